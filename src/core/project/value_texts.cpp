#include "project/value_texts.h"

#include <cstdlib>

#include "io/path_text.h"
#include "project/track_layout.h"
#include "settings/text_table.h"

namespace spurwerk {

namespace {

std::string TwoDigits(std::int64_t n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// a / b rounded to tenths, halves away from zero, without overflow.
std::int64_t RoundedTenths(std::int64_t a, std::int64_t b) {
    bool negative = a < 0;
    std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(a) : static_cast<std::uint64_t>(a);
    std::uint64_t divisor = static_cast<std::uint64_t>(b);
    std::uint64_t tenths = magnitude / divisor * 10 + ((magnitude % divisor) * 10 + divisor / 2) / divisor;
    auto value = static_cast<std::int64_t>(tenths);
    return negative ? -value : value;
}

// The name ends at its first NUL, like every fixed-length text of the recorder.
std::string EffectName(const Bytes& efx, std::size_t offset) {
    if (offset + layout::EfxNameLength > efx.size()) return "xxxxxxxx";
    std::string raw(efx.begin() + static_cast<std::ptrdiff_t>(offset),
                    efx.begin() + static_cast<std::ptrdiff_t>(offset + layout::EfxNameLength));
    return raw.substr(0, raw.find('\0'));
}

int ByteAt(const Bytes& data, std::size_t offset) { return offset < data.size() ? data[offset] : 0; }

std::string InsertPositionText(int v) {
    return v < 8 ? "Input" + std::to_string(v + 1) : "Track" + std::to_string(v + 1 - 8);
}

}  // namespace

std::string FormatTenths(std::int64_t tenths, int integerDigits) {
    // Written from the magnitude so that a value rounding to zero never reads "-0.0".
    std::uint64_t magnitude = tenths < 0 ? 0 - static_cast<std::uint64_t>(tenths) : static_cast<std::uint64_t>(tenths);
    std::string whole = std::to_string(magnitude / 10);
    if (static_cast<int>(whole.size()) < integerDigits)
        whole.insert(0, static_cast<std::size_t>(integerDigits) - whole.size(), '0');
    return (tenths < 0 ? "-" : "") + whole + '.' + std::to_string(magnitude % 10);
}

std::string PanText(int raw) {
    if (raw == 50) return "C";
    return (raw < 50 ? "L" : "R") + std::to_string(2 * std::abs(raw - 50));
}

std::string QualityText(int raw) { return FormatTenths(static_cast<std::int64_t>(raw) + 1); }

std::string MillisecondsText(std::int64_t ms) {
    if (ms < 0) ms = 0;
    std::int64_t seconds = ms / 1000 % 60;
    std::int64_t minutes = ms / 60000 % 60;
    // Hours are counted on past 24; a time of day would start again at 0.
    std::int64_t hours = ms / 3600000;
    std::string text;
    if (ms >= 3600000)
        text = std::to_string(hours) + "h" + TwoDigits(minutes) + "m" + TwoDigits(seconds) + "s";
    else if (ms >= 600000)
        text = "  " + TwoDigits(minutes) + "m" + TwoDigits(seconds) + "s";
    else if (ms >= 60000)
        text = "   " + std::to_string(minutes) + "m" + TwoDigits(seconds) + "s";
    else if (ms >= 10000)
        text = "     " + TwoDigits(seconds) + "s";
    else
        text = "      " + std::to_string(seconds) + "s";
    std::int64_t millis = ms % 1000;
    if (millis == 0) return text + "   ";
    std::string digits = std::to_string(millis);
    return text + std::string(3 - digits.size(), '0') + digits;
}

std::string SizeText(std::int64_t bytes, int width) {
    std::string text = bytes >= 1048576 ? FormatTenths(RoundedTenths(bytes, 1048576)) + "M"
                                        : FormatTenths(RoundedTenths(bytes, 1024)) + "k";
    if (static_cast<int>(text.size()) < width) text.insert(0, static_cast<std::size_t>(width) - text.size(), ' ');
    return text;
}

std::string EffectText(bool off, const std::string& name, int number) {
    std::string shown = off ? "(OFF, " + name + ")" : name;
    return shown + "; " + std::to_string(number) + "(?)";
}

EffectLabels BuildEffectLabels(const Bytes* efxData, int insertPositionByte) {
    if (efxData == nullptr) {
        std::string none = "(" + Txt(211) + " EFXDATA.ZDT)";
        return {none, none, none};
    }
    const Bytes& efx = *efxData;
    using namespace layout;
    int insertOff = ByteAt(efx, EfxInsertOffOffset);
    int sendOff = ByteAt(efx, EfxSendOffOffset);
    EffectLabels labels;
    labels.insert = EffectText((insertOff & 1) != 0, EffectName(efx, EfxInsertNameOffset),
                               ByteAt(efx, EfxInsertNumberOffset) + 1) +
                    ", (ab) " + InsertPositionText(insertPositionByte);
    labels.chorus = EffectText((sendOff & 1) != 0, EffectName(efx, EfxChorusNameOffset),
                               ByteAt(efx, EfxChorusNumberOffset) * 2);
    labels.reverb = EffectText((sendOff & 2) != 0, EffectName(efx, EfxReverbNameOffset),
                               ByteAt(efx, EfxReverbNumberOffset));
    return labels;
}

EffectLabels ReadEffectLabels(const std::string& efxPath, int insertPositionByte) {
    std::filesystem::path path = PathFromText(efxPath);
    if (!IsRegularFile(path)) return BuildEffectLabels(nullptr, insertPositionByte);
    Bytes head = ReadFileHead(path, layout::EfxReverbNameOffset + layout::EfxNameLength);
    return BuildEffectLabels(&head, insertPositionByte);
}

}  // namespace spurwerk
