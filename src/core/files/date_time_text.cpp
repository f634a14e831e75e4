#include "files/date_time_text.h"

#include <chrono>
#include <filesystem>

#include "io/path_text.h"

namespace spurwerk {

namespace fs = std::filesystem;

LocalDateTime ToLocalDateTime(std::time_t time) {
    std::tm tm{};
#ifdef _WIN32
    if (localtime_s(&tm, &time) != 0) return {};
#else
    if (!localtime_r(&time, &tm)) return {};
#endif
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, 0};
}

std::optional<LocalDateTime> FileModificationTime(const std::string& path) {
    std::error_code ec;
    auto fileTime = fs::last_write_time(PathFromText(path), ec);
    if (ec) return std::nullopt;
    auto sys = std::chrono::time_point_cast<std::chrono::milliseconds>(std::chrono::file_clock::to_sys(fileTime));
    auto ms = sys.time_since_epoch().count();
    std::time_t seconds = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    LocalDateTime local = ToLocalDateTime(seconds);
    local.millisecond = static_cast<int>(ms - static_cast<std::int64_t>(seconds) * 1000);
    return local;
}

namespace {

std::string Digits(int value, int width) {
    std::string text = std::to_string(value);
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), '0');
    return text;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

std::string FormatDateTimeText(const std::string& format, const LocalDateTime& t) {
    std::string out;
    bool afterHour = false;
    for (std::size_t i = 0; i < format.size();) {
        char c = Lower(format[i]);
        if (format[i] == '"' || format[i] == '\'') {
            std::size_t close = format.find(format[i], i + 1);
            if (close == std::string::npos) close = format.size();
            out += format.substr(i + 1, close - i - 1);
            i = close + 1;
            continue;
        }
        std::size_t run = 1;
        while (i + run < format.size() && Lower(format[i + run]) == c) ++run;
        switch (c) {
            case 'y': out += run <= 2 ? Digits(t.year % 100, 2) : Digits(t.year, 4); break;
            case 'm':
                out += afterHour ? Digits(t.minute, run >= 2 ? 2 : 1) : Digits(t.month, run >= 2 ? 2 : 1);
                break;
            case 'd': out += Digits(t.day, run >= 2 ? 2 : 1); break;
            case 'h': out += Digits(t.hour, run >= 2 ? 2 : 1); break;
            case 'n': out += Digits(t.minute, run >= 2 ? 2 : 1); break;
            case 's': out += Digits(t.second, run >= 2 ? 2 : 1); break;
            case 'z': out += run >= 3 ? Digits(t.millisecond, 3) : std::to_string(t.millisecond); break;
            default: out += format.substr(i, run); break;
        }
        // Literals between an hour and an "m" keep it a minute ("hh:mm").
        if (std::string("ymdhnsz").find(c) != std::string::npos) afterHour = c == 'h';
        i += run;
    }
    return out;
}

std::optional<std::int64_t> ParseListDateTime(const std::string& text, int referenceYear) {
    // dd.mm.yy hh:nn:ss
    static const char pattern[] = "00.00.00 00:00:00";
    if (text.size() != sizeof(pattern) - 1) return std::nullopt;
    for (std::size_t i = 0; i < text.size(); ++i) {
        bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == '0' ? !digit : text[i] != pattern[i]) return std::nullopt;
    }
    auto at = [&](std::size_t i) { return (text[i] - '0') * 10 + (text[i + 1] - '0'); };
    int day = at(0), month = at(3), yy = at(6), hour = at(9), minute = at(12), second = at(15);
    if (day < 1 || day > 31 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    int year = referenceYear - referenceYear % 100 + yy;
    if (year > referenceYear + 49) year -= 100;
    else if (year < referenceYear - 50) year += 100;
    return ((((static_cast<std::int64_t>(year) * 100 + month) * 100 + day) * 100 + hour) * 100 + minute) * 100 + second;
}

}  // namespace spurwerk
