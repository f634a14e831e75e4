#include "text/placeholders.h"

namespace spurwerk {

std::string FillPlaceholders(const std::string& pattern, const std::vector<std::string>& values) {
    std::string result;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        std::size_t end = i + 1;
        std::size_t number = 0;
        // All digits count, so "%1" never takes the start of "%10".
        while (pattern[i] == '%' && end < pattern.size() && pattern[end] >= '0' && pattern[end] <= '9' && end - i < 4)
            number = number * 10 + static_cast<std::size_t>(pattern[end++] - '0');
        if (number >= 1 && number <= values.size()) {
            result += values[number - 1];
            i = end - 1;
            continue;
        }
        result += pattern[i];
    }
    return result;
}

}  // namespace spurwerk
