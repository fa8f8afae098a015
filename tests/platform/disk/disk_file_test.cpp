#include "platform/disk/disk_file.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/temp_dir.h"

namespace {

TEST(DiskFile, OpensRegularFilesOnly) {
    TempDir dir;
    dir.write("file.bin", "0123456789");
    dir.write("folder/inside", "x");
    const platform::FileHandle file = platform::openFileForReading(dir / "file.bin");
    ASSERT_NE(file, platform::kNoFile);
    uint64_t size = 0;
    EXPECT_TRUE(platform::fileByteSize(file, size));
    EXPECT_EQ(size, 10u);
    platform::closeFile(file);
    EXPECT_EQ(platform::openFileForReading(dir / "folder"), platform::kNoFile);
    EXPECT_EQ(platform::openFileForReading(dir / "missing"), platform::kNoFile);
}

TEST(DiskFile, AReadPastTheEndReportsTheBytesThatArrived) {
    TempDir dir;
    dir.write("file.bin", "0123456789");
    const platform::FileHandle file = platform::openFileForReading(dir / "file.bin");
    std::vector<uint8_t> buffer(16);
    platform::AsyncFileRead read;
    read.start(file, buffer.data(), 4, 3);
    EXPECT_EQ(read.wait(), 4u);
    EXPECT_EQ(std::string(buffer.begin(), buffer.begin() + 4), "3456");
    read.start(file, buffer.data(), 16, 6);
    EXPECT_EQ(read.wait(), 4u);
    platform::closeFile(file);
}

}  // namespace
