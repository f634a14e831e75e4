#include <gtest/gtest.h>

#include "project/zdt_document.h"

namespace spurwerk {
namespace {

TEST(ZDTAccessors, ReadsAtTheEdgeOfTheBuffer) {
    Bytes b = {0x01, 0x02, 0x03, 0x04, 0x05, 0x06};
    EXPECT_EQ(ReadZDTByte(b, 5), 0x06);
    EXPECT_EQ(ReadZDTByte(b, 6), 0);
    EXPECT_EQ(ReadZDTWord(b, 4), 0x0605);  // size - 2: last bytes
    EXPECT_EQ(ReadZDTWord(b, 5), 0);       // size - 1: out of range
    EXPECT_EQ(ReadZDTLong(b, 2), 0x06050403u);
    EXPECT_EQ(ReadZDTLong(b, 3), 0u);
    EXPECT_EQ(ReadZDTLong(b, static_cast<std::size_t>(-2)), 0u);  // no wrap-around
    EXPECT_EQ(ReadZDTString(b, 4, 2), std::string("\x05\x06"));
    EXPECT_EQ(ReadZDTString(b, 4, 3), "   ");  // never a shorter string
    EXPECT_EQ(ReadZDTString(Bytes{}, 0, 8), "        ");
    EXPECT_EQ(ReadZDTString(Bytes{'A', 0, 'B'}, 0, 3), std::string("A\0B", 3));  // zero bytes are kept
}

TEST(ZDTDocument, WritesAreLittleEndianAndReportTheirBytes) {
    ZDTDocument doc;
    doc.ReplaceZDTData(Bytes(8, 0xEE));
    // Two listeners both hear every write; one that unsubscribed hears nothing more.
    std::vector<std::pair<std::size_t, std::size_t>> writes, others;
    doc.Subscribe([&](const DocumentChange& c) {
        if (c.event == DocumentEvent::Written) writes.emplace_back(c.offset, c.length);
    });
    int token = doc.Subscribe([&](const DocumentChange& c) {
        if (c.event == DocumentEvent::Written) others.emplace_back(c.offset, c.length);
    });
    doc.WriteZDTWord(1, 0x1234);
    doc.Unsubscribe(token);
    doc.WriteZDTLong(4, 0xA1B2C3D4);
    EXPECT_EQ(doc.ZDTData(), (Bytes{0xEE, 0x34, 0x12, 0xEE, 0xD4, 0xC3, 0xB2, 0xA1}));
    ASSERT_EQ(writes.size(), 2u);
    EXPECT_EQ(writes[1], std::make_pair(std::size_t{4}, std::size_t{4}));
    EXPECT_EQ(others.size(), 1u);
    EXPECT_EQ(doc.ReadLong(4), 0xA1B2C3D4u);
}

TEST(ZDTDocument, WriteBeyondTheEndGrowsWithZeros) {
    ZDTDocument doc;
    doc.ReplaceZDTData({1, 2});
    doc.WriteZDTString(5, "AB");
    EXPECT_EQ(doc.ZDTData(), (Bytes{1, 2, 0, 0, 0, 'A', 'B'}));
}

TEST(TrimControlChars, RemovesCodesUpTo32AtBothEnds) {
    EXPECT_EQ(TrimControlChars(std::string("\0 SONG\t\0", 8)), "SONG");
    EXPECT_EQ(TrimControlChars(std::string(8, '\0')), "");
    EXPECT_EQ(TrimControlChars("A B"), "A B");
}

}  // namespace
}  // namespace spurwerk
