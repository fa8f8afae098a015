#include "platform/disk/disk_file.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
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

TEST(DiskFile, AMappingHoldsTheWholeFileAfterTheFileIsClosed) {
    TempDir dir;
    dir.write("file.bin", "0123456789");
    const platform::FileHandle file = platform::openFileForReading(dir / "file.bin");
    platform::FileMapping mapping;
    ASSERT_TRUE(mapping.map(file, 10));
    platform::closeFile(file);
    const uint8_t* bytes = mapping.bytes();
    platform::FileMapping moved(std::move(mapping));
    EXPECT_FALSE(mapping);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved.bytes(), bytes);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(moved.bytes()), moved.size()), "0123456789");
    platform::FileMapping assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.bytes(), bytes);
    EXPECT_EQ(assigned.size(), 10u);
}

TEST(DiskFile, NothingIsMappedForAnEmptyFileOrNoFile) {
    TempDir dir;
    dir.write("empty.bin", "");
    const platform::FileHandle file = platform::openFileForReading(dir / "empty.bin");
    platform::FileMapping mapping;
    EXPECT_FALSE(mapping.map(file, 0));
    EXPECT_FALSE(mapping.map(platform::kNoFile, 10));
    EXPECT_FALSE(mapping);
    EXPECT_EQ(mapping.bytes(), nullptr);
    EXPECT_EQ(mapping.size(), 0u);
    platform::closeFile(file);
}

}  // namespace
