#include "project/hex_layout.h"

#include <gtest/gtest.h>

namespace spurwerk {
namespace {

TEST(HexLayout, CellsPairUpAndPointerPositionsCountOnIntoTheNextRow) {
    EXPECT_EQ(HexRowHeightFor(8), 12);
    EXPECT_EQ(HexRowHeightFor(9), 14);  // 13.5: ties to even
    EXPECT_EQ(HexRowHeightFor(11), 16);  // 16.5: ties to even
    EXPECT_EQ(HexCellX(0, 8), 0);
    EXPECT_EQ(HexCellX(1, 8), 14);
    EXPECT_EQ(HexCellX(2, 8), 32);
    EXPECT_EQ(HexCellX(17, 8), 14);
    EXPECT_EQ(HexCellY(17, 12), 12);
    EXPECT_EQ(HexIndexAt(0, 0, 8, 12), 0u);
    EXPECT_EQ(HexIndexAt(33, 13, 8, 12), 18u);
    EXPECT_EQ(HexIndexAt(259, 0, 8, 12), 16u);  // right of the last column
    EXPECT_EQ(HexPanelHeight(3332, 12), 2536);
    EXPECT_EQ(HexPanelHeight(0, 12), 40);
}

TEST(HexLayout, ColoursCountAndCompareTextAgainstAShorterFile) {
    Bytes data{1, 2, 3, 4, 5};
    Bytes compare{1, 9, 3};
    EXPECT_EQ(HexCellStateAt(data, compare, 0), HexCellState::Equal);
    EXPECT_EQ(HexCellStateAt(data, compare, 1), HexCellState::Different);
    EXPECT_EQ(HexCellStateAt(data, compare, 3), HexCellState::NoCompare);
    EXPECT_EQ(CountDifferences(data, compare), 1u);
    EXPECT_EQ(CountDifferences(compare, data), 1u);  // extra compare bytes are not counted
    EXPECT_EQ(DiffBytesText(5), "5 B.");
    EXPECT_EQ(CompareBytesText(compare, 1, 8), "09 03 ");
    EXPECT_EQ(CompareBytesText(compare, 7, 8), "");
    EXPECT_EQ(HexAddressText(16), "$0010:");
    EXPECT_EQ(HexAddressText(0xABC0), "$ABC0:");
    EXPECT_EQ(HexByteText(0x0A), "0A");
}

TEST(HexLayout, HintDecodesValuesAndNamesBoundControls) {
    Bytes data(3332, 0);
    data[0] = 0x41;
    data[1] = 0x80;
    data[3] = 0xFF;  // 32-bit value at 0 has the top bit set
    std::string first = HexHintText(data, data, 0, 16);
    EXPECT_EQ(first,
              "Idx=0 ($0000):      1B. = 65 ($41)      2B. = 32833 ($8041)      4B. = -16744383 ($FF008041)"
              "          (8B.-Str. = \"A\xC2\x80~\xC3\xBF~~~~\")\nByte-Compare.: 41 80 00 FF 00 00 00 00 ...");

    std::size_t last = data.size() - 1;
    std::string end = HexHintText(data, Bytes{}, last, 16);
    EXPECT_NE(end.find("2B. = 0 ($0000)"), std::string::npos);
    EXPECT_NE(end.find("4B. = 0 ($00000000)"), std::string::npos);
    EXPECT_NE(end.find("(8B.-Str. = \"        \")"), std::string::npos);
    EXPECT_EQ(end.substr(end.find('\n')), "\nByte-Compare.: ...");

    // The fader of track 3 lies at 104; track 16's is named only with 16 strips.
    std::string fader = HexHintText(data, data, 104, 16);
    EXPECT_NE(fader.find("...\n\n(TBFader_3)"), std::string::npos);
    std::size_t fader16 = 156;
    EXPECT_NE(HexHintText(data, data, fader16, 16).find("(TBFader_16)"), std::string::npos);
    EXPECT_EQ(HexHintText(data, data, fader16, 15).find("(TBFader_16)"), std::string::npos);
}

}  // namespace
}  // namespace spurwerk
