#pragma once
// File times as the lists show them, in the format strings the options use
// ("dd.mm.yyyy hh:nn:ss": d day, m month, yy/yyyy year, h hour, n minute,
// s second, z millisecond; "m" after an hour means minutes; text in quotes is
// copied; every other character stands for itself).

#include <cstdint>
#include <ctime>
#include <optional>
#include <string>

namespace spurwerk {

struct LocalDateTime {
    int year = 1899, month = 12, day = 30;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

// The file's modification time in local time; nullopt when it cannot be read.
std::optional<LocalDateTime> FileModificationTime(const std::string& path);
LocalDateTime ToLocalDateTime(std::time_t time);

std::string FormatDateTimeText(const std::string& format, const LocalDateTime& time);

// Reads "dd.mm.yy hh:nn:ss" (two-digit years within 50 years of `referenceYear`)
// as a number that orders by time; nullopt for any other text.
std::optional<std::int64_t> ParseListDateTime(const std::string& text, int referenceYear);

}  // namespace spurwerk
