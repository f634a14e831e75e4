#include <gtest/gtest.h>

#include "io/file_io.h"
#include "test_files.h"
#include "ui/errors.h"

namespace spurwerk {
namespace {

TEST(ReadWholeFile, TakesAFileOfExactlyTheLimitAndRefusesOneByteMore) {
    testing::TempDir dir;
    testing::WriteBytes(dir / "f", Bytes(10, 7));
    EXPECT_EQ(ReadWholeFile(dir / "f", 10), Bytes(10, 7));
    EXPECT_THROW(ReadWholeFile(dir / "f", 9), FileError);
}

}  // namespace
}  // namespace spurwerk
