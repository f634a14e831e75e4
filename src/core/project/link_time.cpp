#include "project/link_time.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>

#include "io/path_text.h"
#include "project/zdt_document.h"

namespace spurwerk {

namespace {

constexpr std::uint32_t FixedLinkerStamp = 0x2A425E19;
constexpr std::uint32_t PeSignature = 0x00004550;
constexpr std::size_t DosHeaderSize = 64;
constexpr std::size_t PeHeaderSize = 248;  // file header + 224-byte optional header
constexpr std::size_t PlainOptionalHeaderSize = 224;
constexpr std::uint16_t OptionalHeaderMagic32 = 0x10B;
constexpr std::size_t SectionEntrySize = 40;

// Reads out.size() bytes at `offset`; false when the file does not hold them all.
bool ReadAt(std::ifstream& in, std::int64_t offset, Bytes& out) {
    if (offset < 0) return false;
    in.clear();
    in.seekg(offset);
    in.read(reinterpret_cast<char*>(out.data()), static_cast<std::streamsize>(out.size()));
    return in.gcount() == static_cast<std::streamsize>(out.size());
}

// Days from 1970-01-01 to the given date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(int year, int month, int day) {
    year -= month <= 2;
    const int era = (year >= 0 ? year : year - 399) / 400;
    const int yearOfEra = year - era * 400;
    const int dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return static_cast<std::int64_t>(era) * 146097 + dayOfEra - 719468;
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

int DaysInMonth(int year, int month) {
    static constexpr int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && IsLeapYear(year) ? 29 : days[month - 1];
}

// An MS-DOS date (high half) and time (low half) as seconds since 1970; false
// for a field out of range or a moment beyond the 32-bit count.
bool DosStampToUnix(std::uint32_t stamp, std::uint32_t& seconds) {
    const int year = 1980 + static_cast<int>(stamp >> 25);
    const int month = static_cast<int>(stamp >> 21 & 0x0F);
    const int day = static_cast<int>(stamp >> 16 & 0x1F);
    const int hour = static_cast<int>(stamp >> 11 & 0x1F);
    const int minute = static_cast<int>(stamp >> 5 & 0x3F);
    const int second = static_cast<int>(stamp & 0x1F) * 2;
    if (month < 1 || month > 12 || day < 1 || day > DaysInMonth(year, month) || hour > 23 || minute > 59 ||
        second > 59)
        return false;
    std::int64_t total = DaysFromCivil(year, month, day) * 86400 + hour * 3600 + minute * 60 + second;
    if (total > std::numeric_limits<std::uint32_t>::max()) return false;
    seconds = static_cast<std::uint32_t>(total);
    return true;
}

// The resource directory's stamp, for files whose linker wrote the fixed value.
bool ResourceStamp(std::ifstream& in, std::int64_t peOffset, const Bytes& pe, std::uint32_t& seconds) {
    const std::uint16_t sectionCount = ReadZDTWord(pe, 6);
    const std::uint16_t optionalSize = ReadZDTWord(pe, 20);
    const std::uint32_t resourceAddress = ReadZDTLong(pe, 136);
    const std::uint32_t resourceSize = ReadZDTLong(pe, 140);

    Bytes sections(sectionCount * SectionEntrySize);
    const std::int64_t tableOffset = peOffset + static_cast<std::int64_t>(PeHeaderSize) +
                                     (optionalSize - static_cast<std::int64_t>(PlainOptionalHeaderSize));
    if (!sections.empty() && !ReadAt(in, tableOffset, sections)) return false;

    for (std::size_t i = 0; i < sectionCount; ++i) {
        const std::size_t entry = i * SectionEntrySize;
        const std::int64_t virtualAddress = ReadZDTLong(sections, entry + 12);
        const std::int64_t rawSize = ReadZDTLong(sections, entry + 16);
        const std::int64_t rawPointer = ReadZDTLong(sections, entry + 20);
        if (virtualAddress > resourceAddress ||
            virtualAddress + rawSize < static_cast<std::int64_t>(resourceAddress) + resourceSize)
            continue;
        Bytes directory(16);
        if (!ReadAt(in, rawPointer - (virtualAddress - resourceAddress), directory)) return false;
        return DosStampToUnix(ReadZDTLong(directory, 4), seconds);
    }
    return false;
}

int MonthFromName(const char* name) {
    static constexpr const char* months[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                             "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    for (int i = 0; i < 12; ++i)
        if (std::strncmp(name, months[i], 3) == 0) return i + 1;
    return 1;
}

}  // namespace

std::uint32_t GetLinkTimeStamp(const std::string& fileName) {
    std::ifstream in(PathFromText(fileName), std::ios::binary);
    if (!in) return 0;

    Bytes dos(DosHeaderSize);
    std::int64_t peOffset = 0;
    if (ReadAt(in, 0, dos) && dos[0] == 'M' && dos[1] == 'Z') peOffset = ReadZDTLong(dos, 60);

    Bytes pe(PeHeaderSize);
    if (!ReadAt(in, peOffset, pe) || ReadZDTLong(pe, 0) != PeSignature) return 0;

    const std::uint32_t stamp = ReadZDTLong(pe, 8);
    if (stamp != FixedLinkerStamp || ReadZDTWord(pe, 20) < PlainOptionalHeaderSize ||
        ReadZDTWord(pe, 24) != OptionalHeaderMagic32)
        return stamp;
    std::uint32_t resourceSeconds = 0;
    return ResourceStamp(in, peOffset, pe, resourceSeconds) ? resourceSeconds : stamp;
}

DateTimeParts UnixToDateTime(std::uint32_t seconds) {
    // Civil date from a day count (1970-01-01 = day 0).
    const std::int64_t days = seconds / 86400 + 719468;
    const std::int64_t era = days / 146097;
    const std::int64_t dayOfEra = days - era * 146097;
    const std::int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const std::int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const std::int64_t monthIndex = (5 * dayOfYear + 2) / 153;
    DateTimeParts t;
    t.day = static_cast<int>(dayOfYear - (153 * monthIndex + 2) / 5 + 1);
    t.month = static_cast<int>(monthIndex < 10 ? monthIndex + 3 : monthIndex - 9);
    t.year = static_cast<int>(yearOfEra + era * 400 + (t.month <= 2));
    const std::uint32_t secondOfDay = seconds % 86400;
    t.hour = static_cast<int>(secondOfDay / 3600);
    t.minute = static_cast<int>(secondOfDay / 60 % 60);
    t.second = static_cast<int>(secondOfDay % 60);
    return t;
}

DateTimeParts GetLinkDateTime(const std::string& fileName) { return UnixToDateTime(GetLinkTimeStamp(fileName)); }

std::string DateTimeText(const DateTimeParts& t) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return text;
}

std::uint32_t BuildTimeStamp() {
    // __DATE__ is "Mmm dd yyyy" (day padded with a blank), __TIME__ "hh:mm:ss".
    static constexpr char date[] = __DATE__;
    static constexpr char time[] = __TIME__;
    int day = 0, year = 0, hour = 0, minute = 0, second = 0;
    std::sscanf(date + 4, "%d %d", &day, &year);
    std::sscanf(time, "%d:%d:%d", &hour, &minute, &second);
    const std::int64_t total =
        DaysFromCivil(year, MonthFromName(date), day) * 86400 + hour * 3600 + minute * 60 + second;
    return total < 0 ? 0 : static_cast<std::uint32_t>(total);
}

}  // namespace spurwerk
