#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <utility>

#include "text/number_text.h"

namespace spurwerk {
namespace {

TEST(NumberText, IntegerTexts) {
    const std::pair<const char*, std::optional<std::int64_t>> anyForm[] = {
        {" 42 ", 42}, {"\t-7\r\n", -7}, {"$1F", 31}, {"0x1f", 31}, {"0X10", 16}, {"-$10", -16},
        {"12x", std::nullopt}, {"", std::nullopt}, {"+", std::nullopt}, {"1 2", std::nullopt},
        {"99999999999999999999999", std::nullopt},
    };
    for (const auto& [text, value] : anyForm) EXPECT_EQ(ParseIntegerText(text), value) << text;

    const std::pair<const char*, std::optional<int>> decimal[] = {
        {" 12 ", 12}, {"+5", 5}, {"-2147483648", INT_MIN}, {"2147483647", INT_MAX},
        {"2147483648", std::nullopt}, {"$1F", std::nullopt}, {"0x10", std::nullopt}, {"-", std::nullopt},
    };
    for (const auto& [text, value] : decimal) EXPECT_EQ(ParseInt(text), value) << text;
}

}  // namespace
}  // namespace spurwerk
