#pragma once
// The link time of a program file, read from its PE header, and the build time
// of this program for platforms whose program files carry no such stamp.

#include <cstdint>
#include <string>

namespace spurwerk {

struct DateTimeParts {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;

    bool operator==(const DateTimeParts&) const = default;
};

// Seconds since 1970-01-01 00:00:00 of the file's link time; 0 when the file
// cannot be opened or has no PE signature. For the fixed stamp 0x2A425E19 that
// some linkers write, the resource directory's MS-DOS date and time are used.
std::uint32_t GetLinkTimeStamp(const std::string& fileName);

DateTimeParts UnixToDateTime(std::uint32_t seconds);
DateTimeParts GetLinkDateTime(const std::string& fileName);

// "YYYY-MM-DD HH:MM:SS"
std::string DateTimeText(const DateTimeParts& dateTime);

// Seconds since 1970 of the moment this program was compiled (its clock time,
// no time zone applied), for program files without a PE header.
std::uint32_t BuildTimeStamp();

}  // namespace spurwerk
