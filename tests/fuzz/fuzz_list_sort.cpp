// Project list lines from anywhere (they carry names and dates read from
// cards): every sort order, forwards and reversed, must be a consistent order.

#include <cstdint>
#include <string>
#include <vector>

#include "files/project_list_sort.h"

using namespace spurwerk;

namespace {

int Sign(int n) { return (n > 0) - (n < 0); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    std::string text(reinterpret_cast<const char*>(data), size);
    for (std::size_t start = 0; start <= text.size() && lines.size() < 64;) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    const int years[] = {2026, 1999, 0};
    for (int type = 0; type < 4; ++type) {
        for (bool reverse : {false, true}) {
            auto sortType = static_cast<ListSortType>(type);
            std::vector<std::string> sorted = lines;
            SortListLines(sorted, sortType, reverse);
            if (sorted.size() != lines.size()) __builtin_trap();
            for (int year : years) {
                // The comparison must be an order: antisymmetric, and transitive
                // over each neighbouring triple.
                for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
                    const std::string& a = lines[i];
                    const std::string& b = lines[i + 1];
                    int ab = CompareListLines(a, b, sortType, reverse, year);
                    if (Sign(ab) != -Sign(CompareListLines(b, a, sortType, reverse, year))) __builtin_trap();
                    if (i + 2 >= lines.size()) continue;
                    const std::string& c = lines[i + 2];
                    int bc = CompareListLines(b, c, sortType, reverse, year);
                    int ac = CompareListLines(a, c, sortType, reverse, year);
                    if (ab < 0 && bc < 0 && ac >= 0) __builtin_trap();
                    if (ab > 0 && bc > 0 && ac <= 0) __builtin_trap();
                }
            }
        }
    }
    return 0;
}
