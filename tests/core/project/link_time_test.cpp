#include <gtest/gtest.h>

#include <chrono>

#include "io/path_text.h"
#include "project/link_time.h"
#include "test_bytes.h"
#include "test_files.h"

namespace spurwerk {
namespace {

constexpr std::uint32_t FixedStamp = 0x2A425E19;   // 1992-06-19 22:22:17
constexpr std::uint32_t DosStamp = 0x446573CB;     // 2014-03-05 14:30:22
constexpr std::uint32_t DosStampSeconds = 1394029822;

using testing::SetLong;
using testing::SetWord;

// A minimal PE file: DOS header, PE header at 0x80, a .text and a .rsrc section;
// the resource table (RVA 0x2010) lies at file offset 0x610.
struct PeImage {
    std::uint32_t stamp = 0x5F5E1000;
    std::uint16_t optionalSize = 224;
    std::uint16_t magic = 0x10B;
    std::uint32_t resourceAddress = 0x2010;
    std::uint32_t dosStamp = DosStamp;
    bool dosHeader = true;

    Bytes Build() const {
        const std::size_t pe = dosHeader ? 0x80 : 0;
        Bytes b(0x800, 0);
        if (dosHeader) {
            b[0] = 'M';
            b[1] = 'Z';
            SetLong(b, 60, static_cast<std::uint32_t>(pe));
        }
        SetLong(b, pe, 0x00004550);
        SetWord(b, pe + 6, 2);
        SetLong(b, pe + 8, stamp);
        SetWord(b, pe + 20, optionalSize);
        SetWord(b, pe + 24, magic);
        SetLong(b, pe + 136, resourceAddress);
        SetLong(b, pe + 140, 0x100);
        std::size_t sections = pe + 24 + optionalSize;
        for (std::uint32_t i = 0; i < 2; ++i) {
            std::size_t entry = sections + 40 * i;
            SetLong(b, entry + 12, 0x1000 * (i + 1));  // VirtualAddress
            SetLong(b, entry + 16, 0x200);             // SizeOfRawData
            SetLong(b, entry + 20, 0x400 + 0x200 * i);  // PointerToRawData
        }
        SetLong(b, 0x610 + 4, dosStamp);
        return b;
    }
};

class LinkTime : public ::testing::Test {
protected:
    std::uint32_t StampOf(const Bytes& bytes) {
        testing::WriteBytes(dir / "prog.exe", bytes);
        return GetLinkTimeStamp(PathText(dir / "prog.exe"));
    }
    testing::TempDir dir;
};

TEST_F(LinkTime, HeaderStampIsTakenAsItStands) {
    PeImage image;
    EXPECT_EQ(StampOf(image.Build()), 0x5F5E1000u);  // whatever the resource directory holds

    testing::WriteBytes(dir / "prog.exe", image.Build());
    EXPECT_EQ(DateTimeText(GetLinkDateTime(PathText(dir / "prog.exe"))), "2020-09-13 12:26:40");
}

TEST_F(LinkTime, FixedStampIsReplacedByTheResourceDirectoryTime) {
    PeImage image;
    image.stamp = FixedStamp;
    EXPECT_EQ(StampOf(image.Build()), DosStampSeconds);
    EXPECT_EQ(DateTimeText(UnixToDateTime(DosStampSeconds)), "2014-03-05 14:30:22");

    image.optionalSize = 240;  // a longer optional header moves the section table
    EXPECT_EQ(StampOf(image.Build()), DosStampSeconds);
}

TEST_F(LinkTime, FixedStampStaysWhenTheResourceTimeCannotBeHad) {
    PeImage image;
    image.stamp = FixedStamp;

    PeImage wide = image;
    wide.magic = 0x20B;  // 64-bit optional header
    EXPECT_EQ(StampOf(wide.Build()), FixedStamp);

    PeImage shortHeader = image;
    shortHeader.optionalSize = 200;
    EXPECT_EQ(StampOf(shortHeader.Build()), FixedStamp);

    PeImage outside = image;
    outside.resourceAddress = 0x5000;  // in no section
    EXPECT_EQ(StampOf(outside.Build()), FixedStamp);

    PeImage badDate = image;
    badDate.dosStamp = DosStamp & ~(0x0Fu << 21);  // month 0
    EXPECT_EQ(StampOf(badDate.Build()), FixedStamp);
    badDate.dosStamp = (DosStamp & ~(0x1Fu << 11)) | (24u << 11);  // hour 24
    EXPECT_EQ(StampOf(badDate.Build()), FixedStamp);

    Bytes truncated = image.Build();
    truncated.resize(0x80 + 248 + 50);  // section table cut short
    EXPECT_EQ(StampOf(truncated), FixedStamp);
}

TEST_F(LinkTime, FilesWithoutPeSignatureGiveZero) {
    PeImage bare;
    bare.dosHeader = false;  // PE header at offset 0
    EXPECT_EQ(StampOf(bare.Build()), 0x5F5E1000u);

    Bytes noSignature = PeImage{}.Build();
    noSignature[0x80] = 'X';
    EXPECT_EQ(StampOf(noSignature), 0u);

    Bytes tooShort = PeImage{}.Build();
    tooShort.resize(0x80 + 100);
    EXPECT_EQ(StampOf(tooShort), 0u);

    Bytes elf = {0x7F, 'E', 'L', 'F'};
    EXPECT_EQ(StampOf(elf), 0u);

    EXPECT_EQ(GetLinkTimeStamp(PathText(dir / "missing.exe")), 0u);
    EXPECT_EQ(DateTimeText(GetLinkDateTime(PathText(dir / "missing.exe"))), "1970-01-01 00:00:00");
}

TEST(UnixTime, CalendarDatesOverTheWholeRange) {
    EXPECT_EQ(UnixToDateTime(0), (DateTimeParts{1970, 1, 1, 0, 0, 0}));
    EXPECT_EQ(UnixToDateTime(FixedStamp), (DateTimeParts{1992, 6, 19, 22, 22, 17}));
    EXPECT_EQ(UnixToDateTime(951782400 + 3661), (DateTimeParts{2000, 2, 29, 1, 1, 1}));
    EXPECT_EQ(DateTimeText(UnixToDateTime(0xFFFFFFFF)), "2106-02-07 06:28:15");
}

TEST(UnixTime, BuildTimeIsThePast) {
    using namespace std::chrono;
    const auto now = duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
    const std::uint32_t built = BuildTimeStamp();
    EXPECT_GE(built, 1704067200u);  // 2024-01-01
    EXPECT_LE(static_cast<long long>(built), now + 86400);  // local clock time, any zone
}

}  // namespace
}  // namespace spurwerk
