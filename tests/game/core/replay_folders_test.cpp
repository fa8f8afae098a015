// The replay folders, the summary and the work images of the header.
#include <sys/resource.h>

#include <algorithm>
#include <csignal>

#include "game/core/obj_work.h"
#include "tests/game/core/replay_fixture.h"

namespace {

std::vector<std::string> namesIn(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) names.push_back(entry.path().filename());
    std::sort(names.begin(), names.end());
    return names;
}

TEST_F(ReplayTest, ThePlayStartNamesTheDatedFolderAndClearsTheWorkingOne) {
    platform::LocalTime now;
    now.year = 2026;
    now.month = 3;
    now.day = 4;
    now.hour = 5;
    now.minute = 6;
    now.second = 7;
    clock.setLocalTime(now);
    std::filesystem::remove_all(replayTempFolder);
    replayMakeFolder();
    EXPECT_EQ(replayDatedFolder, folder.path("root/replay/20260304_050607"));
    EXPECT_TRUE(std::filesystem::is_directory(replayTempFolder));
    folder.dir().write("root/replay/temp/rep_st02.dat", "old");
    folder.dir().write("root/replay/temp/rep_info.dat", "old");
    folder.dir().write("root/replay/temp/mine.txt", "kept");
    replayMakeFolder();
    EXPECT_EQ(namesIn(replayTempFolder), std::vector<std::string>{"mine.txt"});
    EXPECT_FALSE(std::filesystem::exists(replayDatedFolder));
}

TEST_F(ReplayTest, KeepingAReplayCopiesOnlyTheSevenNames) {
    replayMakeFolder();
    for (const char* name : {"rep_st01.dat", "rep_st06.dat", "rep_info.dat", "rep_st07.dat", "notes.txt"}) {
        folder.dir().write(std::string("root/replay/temp/") + name, name);
    }
    playIsRecorded = 1;
    replayCommitFolder();
    EXPECT_EQ(namesIn(replayDatedFolder), (std::vector<std::string>{"rep_info.dat", "rep_st01.dat", "rep_st06.dat"}));
    EXPECT_EQ(WorkingFolder::read(replayDatedFolder + "/rep_st06.dat"), "rep_st06.dat");
    EXPECT_EQ(namesIn(replayTempFolder), (std::vector<std::string>{"notes.txt", "rep_st07.dat"}));
}

// A file that can't be copied (the file-size limit stands in for a full
// disk) is moved instead; when the dated folder can't be made at all, the
// play's replay stays in the working folder and the log says where.
TEST_F(ReplayTest, AReplayThatCantBeCopiedIsMovedOrKept) {
    replayMakeFolder();
    const std::string stage(20000, 's');
    folder.dir().write("root/replay/temp/rep_st01.dat", stage);
    folder.dir().write("root/replay/temp/rep_info.dat", "info");
    playIsRecorded = 1;
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 10000;
    setrlimit(RLIMIT_FSIZE, &limited);
    replayCommitFolder();
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    EXPECT_EQ(WorkingFolder::read(replayDatedFolder + "/rep_st01.dat"), stage);
    EXPECT_EQ(WorkingFolder::read(replayDatedFolder + "/rep_info.dat"), "info");
    EXPECT_TRUE(std::filesystem::is_empty(replayTempFolder));
    EXPECT_EQ(folder.logLines().back(), replayTempFolder + "/rep_st01.dat : moved to " + replayDatedFolder +
                                            "/rep_st01.dat, as it could not be copied");

    folder.dir().write("root/replay/temp/rep_st02.dat", stage);
    std::filesystem::remove_all(replayDatedFolder);
    folder.dir().write(replayDatedFolder.substr(folder.dir().str().size() + 1), "a file in the folder's place");
    replayCommitFolder();
    EXPECT_EQ(WorkingFolder::read(replayTempFolder + "/rep_st02.dat"), stage);
    EXPECT_EQ(folder.logLines().back(),
              "replay save fail : not copied to " + replayDatedFolder + ", kept in " + replayTempFolder);
}

TEST_F(ReplayTest, AnUnrecordedPlayIsNotKeptButStillCleared) {
    replayMakeFolder();
    folder.dir().write("root/replay/temp/rep_st01.dat", "x");
    playIsRecorded = 0;
    replayCommitFolder();
    EXPECT_FALSE(std::filesystem::exists(replayDatedFolder));
    EXPECT_TRUE(std::filesystem::is_empty(replayTempFolder));
}

TEST_F(ReplayTest, DeletingAFolderLeavesItWhenOtherFilesRemain) {
    folder.dir().write("root/replay/a/rep_st01.dat", "x");
    folder.dir().write("root/replay/a/rep_info.dat", "x");
    folder.dir().write("root/replay/b/rep_st05.dat", "x");
    folder.dir().write("root/replay/b/photo.png", "x");
    replayDeleteFolder(folder.path("root/replay/a"));
    replayDeleteFolder(folder.path("root/replay/b"));
    EXPECT_FALSE(std::filesystem::exists(folder.path("root/replay/a")));
    EXPECT_EQ(namesIn(folder.path("root/replay/b")), std::vector<std::string>{"photo.png"});
}

TEST_F(ReplayTest, TheSummaryHoldsThePlayInFortyBytes) {
    replayPlayFactsHook = [] {
        ReplayPlayFacts facts;
        facts.score = 0x123456789AULL;
        facts.stageProgress = 1;
        facts.trueRoute = true;
        facts.fighterType = 2;
        facts.creditCounter = 4;
        return facts;
    };
    stageNumber = 5;
    replayHeader.category = 6;
    replayWriteInfo(true);
    EXPECT_FALSE(std::filesystem::exists(replayTempFolder + "/rep_info.dat"));  // not a recorded play
    playIsRecorded = 1;
    replayWriteInfo(true);
    const std::string bytes = WorkingFolder::read(replayTempFolder + "/rep_info.dat");
    ASSERT_EQ(bytes.size(), 40u);
    const uint32_t words[] = {0x3456789A, 0x12, 5, 3, 1, 6, 2, 4, 1, 0};
    for (size_t i = 0; i < 10; ++i) EXPECT_EQ(wordAt(bytes, 4 * i), words[i]) << i;
    ReplayInfo info;
    ASSERT_TRUE(replayReadInfo(replayTempFolder, info));
    EXPECT_EQ(info.score, 0x123456789AULL);
    EXPECT_EQ(info.stageProgress, 3);
    folder.dir().write("root/replay/temp/rep_info.dat", bytes.substr(0, 39));
    EXPECT_FALSE(replayReadInfo(replayTempFolder, info));
    EXPECT_FALSE(replayReadInfo(folder.path("root/replay/none"), info));
}

TEST_F(ReplayTest, AWorkImageCarriesValuesAndRestoringKeepsTheLiveLinks) {
    ObjWork recorded;
    OBJworkInit(&recorded);
    recorded.x = 112.5f;
    recorded.y = -3.25f;
    recorded.flip = 2;
    recorded.visible = 0;
    recorded.age = 77;
    recorded.family.words[0] = -9;
    recorded.family.words[63] = 123456;
    recorded.motionSlot0 = 4;
    recorded.draw = [](ObjTask*, ObjWork*) {};
    replayHeaderStoreWork(1, recorded);
    EXPECT_TRUE(replayWorkImageValid(replayHeader.works[1]));

    ObjWork live;
    OBJworkInit(&live);
    const uint32_t serial = live.serial;
    int32_t sheets[2] = {1, 2};
    live.frameSheets = sheets;
    live.frameCount = 2;
    live.motionSlot1 = 7;
    live.parentWork = ObjRef{12, 34};
    replayHeaderRestoreWork(1, live);
    EXPECT_EQ(live.x, 112.5f);
    EXPECT_EQ(live.y, -3.25f);
    EXPECT_EQ(live.flip, 2);
    EXPECT_EQ(live.visible, 0);
    EXPECT_EQ(live.age, 77);
    EXPECT_EQ(live.family.words[0], -9);
    EXPECT_EQ(live.family.words[63], 123456);
    EXPECT_EQ(live.serial, serial);
    EXPECT_EQ(live.frameSheets, sheets);
    EXPECT_EQ(live.frameCount, 2);
    EXPECT_EQ(live.motionSlot0, -1);
    EXPECT_EQ(live.motionSlot1, 7);
    EXPECT_EQ(live.parentWork.index, 12);
    EXPECT_EQ(live.draw, nullptr);
    live.frameSheets = nullptr;
}

}  // namespace
