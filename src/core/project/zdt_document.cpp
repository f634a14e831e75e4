#include "project/zdt_document.h"

namespace spurwerk {

namespace {
bool InRange(const Bytes& buffer, std::size_t offset, std::size_t width) {
    return offset <= buffer.size() && width <= buffer.size() - offset;
}
}  // namespace

std::uint8_t ReadZDTByte(const Bytes& buffer, std::size_t offset) {
    return InRange(buffer, offset, 1) ? buffer[offset] : 0;
}

std::uint16_t ReadZDTWord(const Bytes& buffer, std::size_t offset) {
    if (!InRange(buffer, offset, 2)) return 0;
    return static_cast<std::uint16_t>(buffer[offset] | (buffer[offset + 1] << 8));
}

std::uint32_t ReadZDTLong(const Bytes& buffer, std::size_t offset) {
    if (!InRange(buffer, offset, 4)) return 0;
    return static_cast<std::uint32_t>(buffer[offset]) |
           (static_cast<std::uint32_t>(buffer[offset + 1]) << 8) |
           (static_cast<std::uint32_t>(buffer[offset + 2]) << 16) |
           (static_cast<std::uint32_t>(buffer[offset + 3]) << 24);
}

std::string ReadZDTString(const Bytes& buffer, std::size_t offset, std::size_t length) {
    if (!InRange(buffer, offset, length)) return std::string(length, ' ');
    return std::string(buffer.begin() + static_cast<std::ptrdiff_t>(offset),
                       buffer.begin() + static_cast<std::ptrdiff_t>(offset + length));
}

void ZDTDocument::WriteBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count) {
    if (count == 0) return;
    if (offset + count > ZDTData.size()) ZDTData.resize(offset + count, 0);
    for (std::size_t i = 0; i < count; ++i) ZDTData[offset + i] = bytes[i];
    if (observer_) observer_(offset, count);
}

void ZDTDocument::WriteZDTByte(std::size_t offset, std::uint8_t value) { WriteBytes(offset, &value, 1); }

void ZDTDocument::WriteZDTWord(std::size_t offset, std::uint16_t value) {
    const std::uint8_t bytes[2] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8)};
    WriteBytes(offset, bytes, 2);
}

void ZDTDocument::WriteZDTLong(std::size_t offset, std::uint32_t value) {
    const std::uint8_t bytes[4] = {static_cast<std::uint8_t>(value), static_cast<std::uint8_t>(value >> 8),
                                   static_cast<std::uint8_t>(value >> 16), static_cast<std::uint8_t>(value >> 24)};
    WriteBytes(offset, bytes, 4);
}

void ZDTDocument::WriteZDTString(std::size_t offset, const std::string& text) {
    WriteBytes(offset, reinterpret_cast<const std::uint8_t*>(text.data()), text.size());
}

std::string TrimControlChars(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 32) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 32) --end;
    return text.substr(begin, end - begin);
}

}  // namespace spurwerk
