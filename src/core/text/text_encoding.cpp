#include "text/text_encoding.h"

#include <array>
#include <cstdint>

namespace spurwerk {

namespace {

// Code points of the bytes 0x80..0x9F; the rest of the upper half equals Latin-1.
constexpr std::array<char32_t, 32> HighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t Windows1252CodePoint(unsigned char byte) {
    if (byte >= 0x80 && byte <= 0x9F) return HighControlRange[byte - 0x80];
    return byte;
}

// Length of the valid UTF-8 sequence at `pos` and its code point; 0 when invalid.
std::size_t DecodeOne(std::string_view s, std::size_t pos, char32_t& cp) {
    auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b0 = byte(pos);
    if (b0 < 0x80) {
        cp = b0;
        return 1;
    }
    static constexpr char32_t LeadBits[] = {0, 0, 0x1F, 0x0F, 0x07};
    static constexpr char32_t Shortest[] = {0, 0, 0x80, 0x800, 0x10000};
    std::size_t length = Utf8SequenceLength(b0);
    if (length == 1) return 0;
    cp = b0 & LeadBits[length];
    const char32_t min = Shortest[length];
    if (pos + length > s.size()) return 0;
    for (std::size_t i = 1; i < length; ++i) {
        unsigned char b = byte(pos + i);
        if ((b & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (b & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}

bool HasBom(std::string_view s) { return s.size() >= 3 && s.substr(0, 3) == "\xEF\xBB\xBF"; }

}  // namespace

bool IsValidUtf8(std::string_view bytes) {
    char32_t cp;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t n = DecodeOne(bytes, pos, cp);
        if (n == 0) return false;
        pos += n;
    }
    return true;
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    for (std::size_t pos = 0; pos < bytes.size();) {
        // Text is mostly ASCII, which stays as it is: copied a run at a time.
        std::size_t run = pos;
        while (run < bytes.size() && static_cast<unsigned char>(bytes[run]) < 0x80) ++run;
        out.append(bytes.substr(pos, run - pos));
        if (run == bytes.size()) break;
        AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(bytes[run])));
        pos = run + 1;
    }
    return out;
}

std::optional<std::string> Utf8ToWindows1252(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    char32_t cp;
    for (std::size_t pos = 0; pos < utf8.size();) {
        std::size_t n = DecodeOne(utf8, pos, cp);
        if (n == 0) return std::nullopt;
        pos += n;
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            out += static_cast<char>(cp);
            continue;
        }
        bool found = false;
        for (std::size_t i = 0; i < HighControlRange.size(); ++i) {
            if (HighControlRange[i] == cp) {
                out += static_cast<char>(0x80 + i);
                found = true;
                break;
            }
        }
        if (!found) return std::nullopt;
    }
    return out;
}

std::string SanitizeUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size());
    char32_t cp;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t n = DecodeOne(bytes, pos, cp);
        if (n == 0) {
            AppendUtf8(out, Windows1252CodePoint(static_cast<unsigned char>(bytes[pos])));
            ++pos;
        } else {
            out.append(bytes.substr(pos, n));
            pos += n;
        }
    }
    return out;
}

std::string EscapeNonUtf8Bytes(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    char32_t cp;
    for (std::size_t pos = 0; pos < bytes.size();) {
        std::size_t n = DecodeOne(bytes, pos, cp);
        if (n == 0 || bytes[pos] == '\\') {
            unsigned char b = static_cast<unsigned char>(bytes[pos]);
            out += "\\x";
            out += hex[b >> 4];
            out += hex[b & 15];
            ++pos;
        } else {
            out.append(bytes.substr(pos, n));
            pos += n;
        }
    }
    return out;
}

std::optional<std::string> UnescapeNonUtf8Bytes(std::string_view text) {
    auto digit = [](char c) {
        if (c >= '0' && c <= '9') return c - '0';
        if (c >= 'A' && c <= 'F') return c - 'A' + 10;
        if (c >= 'a' && c <= 'f') return c - 'a' + 10;
        return -1;
    };
    std::string out;
    bool escaped = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' && digit(text[i + 2]) >= 0 &&
            digit(text[i + 3]) >= 0) {
            out += static_cast<char>(digit(text[i + 2]) * 16 + digit(text[i + 3]));
            i += 3;
            escaped = true;
        } else {
            out += text[i];
        }
    }
    if (!escaped || IsValidUtf8(out)) return std::nullopt;
    return out;
}

std::string DecodeTextBytes(const Bytes& bytes) {
    std::string_view raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (HasBom(raw) && IsValidUtf8(raw.substr(3))) return std::string(raw.substr(3));
    if (IsValidUtf8(raw)) return std::string(raw);
    return Windows1252ToUtf8(raw);
}

Bytes EncodeTextBytes(std::string_view text) {
    std::string valid = SanitizeUtf8(text);
    if (auto ansi = Utf8ToWindows1252(valid)) return Bytes(ansi->begin(), ansi->end());
    Bytes out = {0xEF, 0xBB, 0xBF};
    out.insert(out.end(), valid.begin(), valid.end());
    return out;
}

std::size_t Utf8SequenceLength(unsigned char leadByte) {
    if ((leadByte & 0xE0) == 0xC0) return 2;
    if ((leadByte & 0xF0) == 0xE0) return 3;
    if ((leadByte & 0xF8) == 0xF0) return 4;
    return 1;
}

std::size_t Utf8Length(std::string_view utf8) {
    std::size_t count = 0;
    for (char c : utf8)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++count;
    return count;
}

std::string Utf8Prefix(std::string_view utf8, std::size_t count) {
    std::size_t seen = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++pos) {
        if ((static_cast<unsigned char>(utf8[pos]) & 0xC0) != 0x80) {
            if (seen == count) return std::string(utf8.substr(0, pos));
            ++seen;
        }
    }
    return std::string(utf8);
}

}  // namespace spurwerk
