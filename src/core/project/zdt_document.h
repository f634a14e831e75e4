#pragma once
// The project document: the bytes of the open project file, a comparison copy
// and a scratch buffer, with little-endian accessors. Reads outside a buffer never
// fail (they give 0 or blanks); writes go to ZDTData only and tell an observer
// which bytes changed, so a hex view can repaint just those cells.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "io/file_io.h"

namespace spurwerk {

// A document shorter than this is no project.
constexpr std::size_t MinProjectDataSize = 3332;

std::uint8_t ReadZDTByte(const Bytes& buffer, std::size_t offset);
std::uint16_t ReadZDTWord(const Bytes& buffer, std::size_t offset);
std::uint32_t ReadZDTLong(const Bytes& buffer, std::size_t offset);
// Exactly `length` bytes as they are (NULs included), or `length` blanks when
// the whole string does not lie inside the buffer.
std::string ReadZDTString(const Bytes& buffer, std::size_t offset, std::size_t length);

class ZDTDocument {
public:
    using WriteObserver = std::function<void(std::size_t offset, std::size_t length)>;

    Bytes ZDTData;
    Bytes CompareData;
    Bytes ScanData;

    std::string LoadedZDTFileName;
    std::string ZDTFileToLoad;
    std::string LastSavedZDTFileName;
    std::string CompareZDTFileName;

    bool DataChanged = false;
    bool IsLoadingZDT = false;
    bool IsSavingZDT = false;

    // A write beyond the end enlarges the buffer with zero bytes.
    void WriteZDTByte(std::size_t offset, std::uint8_t value);
    void WriteZDTWord(std::size_t offset, std::uint16_t value);
    void WriteZDTLong(std::size_t offset, std::uint32_t value);
    void WriteZDTString(std::size_t offset, const std::string& text);

    std::uint8_t ReadByte(std::size_t offset) const { return ReadZDTByte(ZDTData, offset); }
    std::uint16_t ReadWord(std::size_t offset) const { return ReadZDTWord(ZDTData, offset); }
    std::uint32_t ReadLong(std::size_t offset) const { return ReadZDTLong(ZDTData, offset); }
    std::string ReadString(std::size_t offset, std::size_t length) const {
        return ReadZDTString(ZDTData, offset, length);
    }

    bool IsProject() const { return ZDTData.size() >= MinProjectDataSize; }

    void SetWriteObserver(WriteObserver observer) { observer_ = std::move(observer); }

private:
    void WriteBytes(std::size_t offset, const std::uint8_t* bytes, std::size_t count);
    WriteObserver observer_;
};

// Removes all characters of codes 0 to 32 at both ends.
std::string TrimControlChars(const std::string& text);

}  // namespace spurwerk
