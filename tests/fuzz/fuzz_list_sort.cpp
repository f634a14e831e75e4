// Project list lines from anywhere (they carry names and dates read from
// cards): every sort order, forwards and reversed, must be a consistent order.

#include <cstdint>
#include <sstream>
#include <string>
#include <vector>

#include "files/project_list_sort.h"

using namespace spurwerk;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> lines;
    std::istringstream text(std::string(reinterpret_cast<const char*>(data), size));
    for (std::string line; lines.size() < 64 && std::getline(text, line);) lines.push_back(line);
    const auto sign = [](int n) { return (n > 0) - (n < 0); };
    for (int type = 0; type < 4; ++type) {
        for (bool reverse : {false, true}) {
            auto sortType = static_cast<ListSortType>(type);
            std::vector<std::string> sorted = lines;
            SortListLines(sorted, sortType, reverse);
            if (sorted.size() != lines.size()) __builtin_trap();
            // The comparison must be an order: antisymmetric, and transitive over
            // each neighbouring triple.
            for (int year : {2026, 1999, 0}) {
                const auto cmp = [&](std::size_t i, std::size_t j) {
                    return CompareListLines(lines[i], lines[j], sortType, reverse, year);
                };
                for (std::size_t i = 0; i + 1 < lines.size(); ++i) {
                    if (sign(cmp(i, i + 1)) != -sign(cmp(i + 1, i))) __builtin_trap();
                    if (i + 2 >= lines.size()) continue;
                    int ab = cmp(i, i + 1), bc = cmp(i + 1, i + 2), ac = cmp(i, i + 2);
                    if ((ab < 0 && bc < 0 && ac >= 0) || (ab > 0 && bc > 0 && ac <= 0)) __builtin_trap();
                }
            }
        }
    }
    return 0;
}
