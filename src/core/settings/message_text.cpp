#include "settings/message_text.h"

#include <algorithm>
#include <vector>

#include "settings/ui_texts.h"

namespace spurwerk {

namespace {

struct Lines {
    std::vector<std::string> lines;
    std::string breakText = "\r\n";
};

Lines Split(const std::string& text) {
    Lines result;
    if (text.find("\r\n") == std::string::npos && text.find('\n') != std::string::npos) result.breakText = "\n";
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? std::string::npos : end - start);
        if (!line.empty() && line.back() == '\r') line.pop_back();
        result.lines.push_back(line);
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return result;
}

std::string Join(const Lines& split) {
    std::string text;
    for (std::size_t i = 0; i < split.lines.size(); ++i) text += (i ? split.breakText : "") + split.lines[i];
    return text;
}

bool OnlyPunctuation(const std::string& line) {
    return line.find_first_not_of(" \t") != std::string::npos && line.find_first_not_of(" \t.!?") == std::string::npos;
}

}  // namespace

std::string JoinLonePunctuation(const std::string& text) {
    Lines split = Split(text);
    std::vector<std::string> kept;
    for (const std::string& line : split.lines) {
        if (!OnlyPunctuation(line)) {
            kept.push_back(line);
            continue;
        }
        std::size_t emptyAfter = 0;
        while (emptyAfter < kept.size() && kept[kept.size() - 1 - emptyAfter].empty()) ++emptyAfter;
        if (emptyAfter == kept.size()) {  // nothing to end: the line stays
            kept.push_back(line);
            continue;
        }
        kept.resize(kept.size() - emptyAfter);
        const std::size_t first = line.find_first_not_of(" \t");
        kept.back() += line.substr(first, line.find_last_not_of(" \t") + 1 - first);
    }
    split.lines = kept;
    return Join(split);
}

std::string CutToLines(const std::string& text, int maxLines) {
    constexpr std::size_t tail = 3;
    const std::size_t most = static_cast<std::size_t>(std::max(maxLines, 5));
    Lines split = Split(text);
    const std::size_t count = split.lines.size();
    if (count <= most) return text;
    const std::size_t head = most - tail - 1;
    std::vector<std::string> kept(split.lines.begin(), split.lines.begin() + static_cast<std::ptrdiff_t>(head));
    kept.push_back(UiTxt(UiText::MoreLines, std::to_string(count - head - tail)));
    kept.insert(kept.end(), split.lines.end() - static_cast<std::ptrdiff_t>(tail), split.lines.end());
    split.lines = kept;
    return Join(split);
}

}  // namespace spurwerk
