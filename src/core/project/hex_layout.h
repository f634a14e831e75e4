#pragma once
// The hex view of the project document: where each byte's cell lies, how it
// is coloured against the comparison bytes, and the hint that decodes the byte
// under the mouse. The widget only paints what this computes.

#include <cstddef>
#include <cstdint>
#include <string>

#include "io/file_io.h"

namespace spurwerk {

constexpr int HexBytesPerRow = 16;

// Row height for a font of `pointSize` points: 1.5 times it, ties to even.
int HexRowHeightFor(int pointSize);

// Left edge of cell i; odd columns move F div 3 pixels left so bytes pair up.
int HexCellX(std::size_t index, int fontPoints);
int HexCellY(std::size_t index, int rowHeight);
// The byte under a pixel position, without clamping (right of the 16th column
// counts on into the next row). Negative positions give index 0.
std::size_t HexIndexAt(int x, int y, int fontPoints, int rowHeight);

// Height of the panel that holds the view for a document of `size` bytes.
int HexPanelHeight(std::size_t size, int rowHeight);

enum class HexCellState {
    Equal,      // green on white
    Different,  // red on yellow
    NoCompare,  // purple on white: the comparison has no byte here
};
HexCellState HexCellStateAt(const Bytes& data, const Bytes& compare, std::size_t index);

// Bytes of the document that differ from the comparison (bytes beyond either
// end do not count).
std::size_t CountDifferences(const Bytes& data, const Bytes& compare);
// "5 B."
std::string DiffBytesText(std::size_t count);

// "$0010:"
std::string HexAddressText(std::size_t index);
// Two upper-case hex digits: "0A".
std::string HexByteText(std::uint8_t byte);
// Two upper-case hex digits and a blank per byte of `compare` from i, at most
// n, stopping at its end.
std::string CompareBytesText(const Bytes& compare, std::size_t index, std::size_t count);

// The mouse hint for byte i: the byte, 16- and 32-bit values, the 8-byte
// string, the comparison bytes and (for i > 0) the names of the mixer controls
// bound to offset i on the first `trackCount` strips. Lines end with LF.
std::string HexHintText(const Bytes& data, const Bytes& compare, std::size_t index, int trackCount);

}  // namespace spurwerk
