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

TEST_F(LinkTime, TheHeaderStampOrForTheFixedOneTheResourceDirectoryTime) {
    PeImage fixed;
    fixed.stamp = FixedStamp;
    auto with = [&](auto change) {
        PeImage image = fixed;
        change(image);
        return image.Build();
    };
    Bytes truncated = fixed.Build();
    truncated.resize(0x80 + 248 + 50);  // section table cut short
    Bytes noSignature = PeImage{}.Build();
    noSignature[0x80] = 'X';
    Bytes tooShort = PeImage{}.Build();
    tooShort.resize(0x80 + 100);
    const std::pair<Bytes, std::uint32_t> cases[] = {
        {PeImage{}.Build(), 0x5F5E1000u},  // whatever the resource directory holds
        {with([](PeImage& i) { i.stamp = 0x5F5E1000, i.dosHeader = false; }), 0x5F5E1000u},  // PE header at 0
        {fixed.Build(), DosStampSeconds},
        {with([](PeImage& i) { i.optionalSize = 240; }), DosStampSeconds},  // moves the section table
        // the fixed stamp stays when the resource time cannot be had
        {with([](PeImage& i) { i.magic = 0x20B; }), FixedStamp},  // 64-bit optional header
        {with([](PeImage& i) { i.optionalSize = 200; }), FixedStamp},
        {with([](PeImage& i) { i.optionalSize = 223; }), FixedStamp},
        {with([](PeImage& i) { i.resourceAddress = 0x5000; }), FixedStamp},  // in no section
        {with([](PeImage& i) { i.dosStamp = DosStamp & ~(0x0Fu << 21); }), FixedStamp},  // month 0
        {with([](PeImage& i) { i.dosStamp = (DosStamp & ~(0x1Fu << 11)) | (24u << 11); }), FixedStamp},  // hour 24
        {with([](PeImage& i) { i.dosStamp = (DosStamp & ~(0x0Fu << 21 | 0x1Fu << 16)) | 2u << 21 | 30u << 16; }),
         FixedStamp},  // 30 February
        {truncated, FixedStamp},
        {noSignature, 0u},
        {tooShort, 0u},
        {Bytes{0x7F, 'E', 'L', 'F'}, 0u},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) EXPECT_EQ(StampOf(cases[i].first), cases[i].second) << i;

    EXPECT_EQ(DateTimeText(GetLinkDateTime(PathText(dir / "prog.exe"))), "1970-01-01 00:00:00");  // the ELF
    EXPECT_EQ(GetLinkTimeStamp(PathText(dir / "missing.exe")), 0u);
    testing::WriteBytes(dir / "prog.exe", PeImage{}.Build());
    EXPECT_EQ(DateTimeText(GetLinkDateTime(PathText(dir / "prog.exe"))), "2020-09-13 12:26:40");
}

TEST(UnixTime, CalendarDatesOverTheWholeRange) {
    EXPECT_EQ(UnixToDateTime(0), (DateTimeParts{1970, 1, 1, 0, 0, 0}));
    EXPECT_EQ(DateTimeText(UnixToDateTime(DosStampSeconds)), "2014-03-05 14:30:22");
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
