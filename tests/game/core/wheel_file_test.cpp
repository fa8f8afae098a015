// The log and the file operations.
#include "game/core/wheel_file.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/core/wheel_log.h"
#include "tests/game/working_folder.h"

namespace {

TEST(WheelLogTest, TheFirstLineMakesTheFileAndEachCallAppendsOne) {
    WorkingFolder folder;
    SDL2_wheel_Log("first %d", 1);
    SDL2_wheel_Log("%s", std::string(2000, 'x').c_str());
    SDL2_wheel_Log("名前");
    const auto lines = folder.logLines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], "first 1");
    EXPECT_EQ(lines[1], std::string(1023, 'x'));
    EXPECT_EQ(lines[2], "名前");
}

TEST(WheelLogTest, ASinkTakesTheLinesUntilItIsTakenAway) {
    WorkingFolder folder;
    std::FILE* sink = std::tmpfile();
    ASSERT_NE(sink, nullptr);
    SDL2_wheel_SetLogSink(sink);
    SDL2_wheel_Log("to the sink %d", 1);
    SDL2_wheel_Log("%s", std::string(2000, 'y').c_str());
    SDL2_wheel_SetLogSink(nullptr);
    SDL2_wheel_Log("to the file");
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"to the file"});
    std::rewind(sink);
    char text[2048] = {};
    const size_t read = std::fread(text, 1, sizeof text - 1, sink);
    EXPECT_EQ(std::string(text, read), "to the sink 1\n" + std::string(1023, 'y') + "\n");
    std::fclose(sink);
}

// A "Log.txt" that is a folder can't be opened: said once for a run of lines,
// and again once a line went in between.
TEST(WheelLogTest, ALogThatCantBeWrittenIsSaidOncePerFailingRun) {
    WorkingFolder folder;
    std::filesystem::create_directory(folder.path("Log.txt"));
    testing::internal::CaptureStdout();
    for (int i = 0; i < 50; ++i) SDL2_wheel_Log("line %d", i);
    std::filesystem::remove(folder.path("Log.txt"));
    SDL2_wheel_Log("written");
    std::filesystem::remove(folder.path("Log.txt"));
    std::filesystem::create_directory(folder.path("Log.txt"));
    SDL2_wheel_Log("lost");
    SDL2_wheel_Log("lost");
    const std::string said = testing::internal::GetCapturedStdout();
    EXPECT_EQ(said, "Log.txtファイルが開けません\nLog.txtファイルが開けません\n");
    std::filesystem::remove(folder.path("Log.txt"));
}

TEST(WheelFileTest, WriteThenReadGivesTheBytesBack) {
    WorkingFolder folder;
    const uint32_t words[3] = {1, 2, 3};
    EXPECT_EQ(SDL2_wheel_FileWrite("w.bin", words, 4, 3), 3);
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc("w.bin", &size);
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(size, 12);
    EXPECT_EQ(std::string(reinterpret_cast<char*>(bytes), 12), WorkingFolder::read(folder.path("w.bin")));
    std::free(bytes);
    EXPECT_EQ(SDL2_wheel_FileWrite("no/such/folder/w.bin", words, 4, 3), -1);
    EXPECT_EQ(SDL2_wheel_DirCreate("d"), 0);
    EXPECT_EQ(SDL2_wheel_DirCreate("d"), -1);
}

TEST(WheelFileTest, ReadingAMissingFileLogsAndGivesNull) {
    WorkingFolder folder;
    long size = 5;
    EXPECT_EQ(SDL2_wheel_FileReadAlloc("none", &size), nullptr);
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"fileReadAlloc none : file not found."});
}

// A write that stops half-way (the file-size limit stands in for a full
// disk) leaves the old file whole and says so.
TEST(WheelFileTest, AFailedWriteKeepsTheOldFile) {
    WorkingFolder folder;
    folder.dir().write("keep.bin", "old content");
    const std::string big(64 * 1024, 'n');
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 1000;
    setrlimit(RLIMIT_FSIZE, &limited);
    const int written = SDL2_wheel_FileWrite("keep.bin", big.data(), 1, big.size());
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(written, -1);
    EXPECT_EQ(WorkingFolder::read(folder.path("keep.bin")), "old content");
    EXPECT_FALSE(std::filesystem::exists(folder.path("keep.bin.tmp")));
    const auto log = folder.logLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind("keep.bin : write failed, the old file is kept", 0), 0u) << log[0];
}

}  // namespace
