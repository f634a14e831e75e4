#pragma once
// SHA-256 of a stream of bytes: the checksum an archive keeps of every
// original file. The same digest `sha256sum` prints, so a user can check a
// restored file by hand.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

namespace spurwerk {

class Sha256 {
public:
    Sha256();
    void Update(const std::uint8_t* data, std::size_t size);
    // Lower-case hex of the digest; the object is spent afterwards.
    std::string HexDigest();

private:
    void Block(const std::uint8_t* block);
    std::array<std::uint32_t, 8> state_;
    std::array<std::uint8_t, 64> pending_{};
    std::size_t pendingSize_ = 0;
    std::uint64_t totalBytes_ = 0;
};

}  // namespace spurwerk
