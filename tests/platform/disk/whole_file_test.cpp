// Whole-file reads tell a missing file from one that can't be read; whole-
// file replacement keeps the old file's permissions and leaves nothing
// beside it when it fails.
#include "platform/disk/whole_file.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>

#include "tests/support/temp_dir.h"

namespace {

namespace fs = std::filesystem;

TEST(WholeFileTest, AReadTellsMissingFromUnreadable) {
    TempDir dir;
    dir.write("file.bin", std::string("a\0b", 3));
    dir.write("folder/inside.txt", "x");
    struct Case {
        const char* name;
        platform::WholeReadStatus status;
        int error;
        std::string bytes;
    };
    const Case cases[] = {
        {"file.bin", platform::WholeReadStatus::Read, 0, std::string("a\0b", 3)},
        {"none.bin", platform::WholeReadStatus::Missing, ENOENT, ""},
        {"folder", platform::WholeReadStatus::Failed, EISDIR, ""},
        {"file.bin/below", platform::WholeReadStatus::Failed, ENOTDIR, ""},
    };
    for (const Case& c : cases) {
        std::string bytes;
        const platform::WholeRead read = platform::readWholeFile(dir / c.name, bytes);
        EXPECT_EQ(read.status, c.status) << c.name;
        EXPECT_EQ(read.error, c.error) << c.name;
        if (c.status == platform::WholeReadStatus::Read) {
            EXPECT_EQ(bytes, c.bytes) << c.name;
        }
    }
}

TEST(WholeFileTest, AReplacedFileKeepsItsPermissionsAndNothingIsLeftBeside) {
    TempDir dir;
    dir.write("mine.txt", "old");
    fs::permissions(dir / "mine.txt", fs::perms::owner_read | fs::perms::owner_write);
    const platform::ReplaceResult result = platform::replaceFileWhole(dir / "mine.txt", "new bytes", 9);
    EXPECT_TRUE(result.ok());
    EXPECT_TRUE(result.folderSynced);
    std::string bytes;
    platform::readWholeFile(dir / "mine.txt", bytes);
    EXPECT_EQ(bytes, "new bytes");
    EXPECT_EQ(fs::status(dir / "mine.txt").permissions(), fs::perms::owner_read | fs::perms::owner_write);
    EXPECT_FALSE(fs::exists(dir / "mine.txt.tmp"));
}

TEST(WholeFileTest, AFailedReplacementSaysWhereAndLeavesTheTarget) {
    TempDir dir;
    dir.write("target/inside.txt", "x");
    const platform::ReplaceResult missingFolder = platform::replaceFileWhole(dir / "none/file", "x", 1);
    EXPECT_EQ(missingFolder.failedAt, platform::ReplaceStep::Create);
    EXPECT_EQ(missingFolder.error, ENOENT);
    const platform::ReplaceResult overFolder = platform::replaceFileWhole(dir / "target", "x", 1);
    EXPECT_EQ(overFolder.failedAt, platform::ReplaceStep::Rename);
    EXPECT_TRUE(fs::is_directory(dir / "target"));
    EXPECT_FALSE(fs::exists(dir / "target.tmp"));
}

}  // namespace
