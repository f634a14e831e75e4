#include "project/hex_layout.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "project/track_layout.h"
#include "project/zdt_document.h"

namespace spurwerk {

namespace {

std::string Hex(std::uint32_t value, int digits) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%0*X", digits, static_cast<unsigned>(value));
    return buffer;
}

// The raw bytes of the hint string as text: NUL shows as "~", bytes above 127
// are taken as Latin-1 so the hint stays valid UTF-8.
std::string RawBytesText(const std::string& raw) {
    std::string out;
    for (unsigned char c : raw) {
        if (c == 0)
            out += '~';
        else if (c < 0x80)
            out += static_cast<char>(c);
        else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

}  // namespace

int HexRowHeightFor(int pointSize) {
    return static_cast<int>(std::nearbyint(pointSize * 1.5));  // default rounding: ties to even
}

int HexCellX(std::size_t index, int fontPoints) {
    int column = static_cast<int>(index % HexBytesPerRow);
    int x = 2 * fontPoints * column;
    if (index % 2 == 1) x -= fontPoints / 3;
    return x;
}

int HexCellY(std::size_t index, int rowHeight) { return static_cast<int>(index / HexBytesPerRow) * rowHeight; }

std::size_t HexIndexAt(int x, int y, int fontPoints, int rowHeight) {
    if (x < 0 || y < 0 || fontPoints <= 0 || rowHeight <= 0) return 0;
    return static_cast<std::size_t>(x / (2 * fontPoints)) +
           static_cast<std::size_t>(y / rowHeight) * HexBytesPerRow;
}

int HexPanelHeight(std::size_t size, int rowHeight) {
    return static_cast<int>(size / HexBytesPerRow) * rowHeight + 40;
}

HexCellState HexCellStateAt(const Bytes& data, const Bytes& compare, std::size_t index) {
    if (compare.size() <= index) return HexCellState::NoCompare;
    if (index < data.size() && data[index] != compare[index]) return HexCellState::Different;
    return HexCellState::Equal;
}

std::size_t CountDifferences(const Bytes& data, const Bytes& compare) {
    std::size_t n = std::min(data.size(), compare.size());
    std::size_t count = 0;
    for (std::size_t i = 0; i < n; ++i)
        if (data[i] != compare[i]) ++count;
    return count;
}

std::string DiffBytesText(std::size_t count) { return std::to_string(count) + " B."; }

std::string HexAddressText(std::size_t index) { return "$" + Hex(static_cast<std::uint32_t>(index), 4) + ":"; }

std::string HexByteText(std::uint8_t byte) { return Hex(byte, 2); }

std::string CompareBytesText(const Bytes& compare, std::size_t index, std::size_t count) {
    std::string text;
    for (std::size_t i = index; i < compare.size() && i < index + count; ++i) text += HexByteText(compare[i]) + " ";
    return text;
}

std::string HexHintText(const Bytes& data, const Bytes& compare, std::size_t index, int trackCount) {
    std::uint8_t b = ReadZDTByte(data, index);
    std::uint16_t w = ReadZDTWord(data, index);
    std::uint32_t l = ReadZDTLong(data, index);
    std::string text = "Idx=" + std::to_string(index) + " ($" + Hex(static_cast<std::uint32_t>(index), 4) + "):" +
                       "      1B. = " + std::to_string(b) + " ($" + Hex(b, 2) + ")" +
                       "      2B. = " + std::to_string(w) + " ($" + Hex(w, 4) + ")" +
                       "      4B. = " + std::to_string(static_cast<std::int32_t>(l)) + " ($" + Hex(l, 8) + ")" +
                       "          (8B.-Str. = \"" + RawBytesText(ReadZDTString(data, index, 8)) + "\")" +
                       "\nByte-Compare.: " + CompareBytesText(compare, index, 8) + "...";
    if (index > 0) {
        std::string names;
        for (const std::string& name : ControlsBoundTo(index, trackCount)) names += "\n(" + name + ")";
        if (!names.empty()) text += "\n" + names;
    }
    return text;
}

}  // namespace spurwerk
