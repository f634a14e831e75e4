#include "io/text_file.h"

#include "io/file_io.h"
#include "text/text_encoding.h"

namespace spurwerk {

std::string ReadTextFile(const std::filesystem::path& path) {
    return DecodeTextBytes(ReadWholeFile(path, MaxTextFileSize));
}

void WriteTextFile(const std::filesystem::path& path, const std::string& text) {
    WriteFileAtomically(path, EncodeTextBytes(text));
}

std::vector<std::string> SplitTextLines(const std::string& text) {
    std::vector<std::string> lines;
    // A lone CR inside a line is content (a hint may keep one); only files
    // without any LF are taken as CR-ended.
    const char end = text.find('\n') == std::string::npos ? '\r' : '\n';
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t stop = text.find(end, start);
        if (stop == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        std::size_t lineEnd = stop;
        if (end == '\n' && lineEnd > start && text[lineEnd - 1] == '\r') --lineEnd;
        lines.push_back(text.substr(start, lineEnd - start));
        start = stop + 1;
    }
    return lines;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines) {
        text += line;
        text += "\r\n";
    }
    return text;
}

}  // namespace spurwerk
