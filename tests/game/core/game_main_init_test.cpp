// The game main's initialisation and release over a fresh application root
// and a resource folder of our own: what is registered and in which order,
// the daily ranking's renewal by date (fake clock), the sequence task, and
// the release taking everything down, a leftover motion slot included.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "game/core/game_main.h"
#include "game/core/game_main_resources.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/psb_cache.h"
#include "game/core/replay_files.h"
#include "game/core/sound_ids.h"
#include "game/core/sound_requests.h"
#include "game/core/stage_load.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "game/records/save_block.h"
#include "platform/clock/fake_clock.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/working_folder.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

constexpr platform::LocalTime kDay{2026, 12, 4, 10, 9, 30, 0, 0};
constexpr platform::LocalTime kNextDay{2026, 12, 5, 11, 0, 0, 1, 0};
constexpr uint64_t kMarkedScore = 777;

class GameMainInitTest : public testing::Test {
protected:
    void SetUp() override {
        M_SPEC = "win";
        platform::setClock(&clock);
        clock.setLocalTime(kDay);
        std::filesystem::create_directories(folder.path("root"));
        std::filesystem::create_directories(folder.path("game/resource/motion"));
        setAppRootFolder(folder.path("root"));
        setResourceFolders({folder.path("game") + "/"});
        OBJtaskPoolInit();
    }
    void TearDown() override {
        if (gameMainOwner) {
            OBJworkFree(gameMainOwner);
            gameMainOwner = nullptr;
        }
        delete GameTask::getInstance();
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        rankingTables().all.reset();
        rankingTables().today.reset();
        replayTempFolder.clear();
        OBJtaskPoolInit();
        setResourceFolders({});
        platform::setClock(nullptr);
        M_SPEC.clear();
    }

    std::string root(const std::string& name) const { return folder.path("root/" + name); }
    // A daily ranking on disk whose best entry is marked, and "save.dat"
    // dated the day.
    void startedBefore(const platform::LocalTime& day) {
        RankingTable table{};
        rankingInitDefaults(table);
        table.at(0, 0, 0).score = kMarkedScore;
        ASSERT_TRUE(rankingWrite(table, root(kRankingTodayFile)));
        saveBlock() = SaveBlock{};
        saveBlock().rankingYear = uint32_t(day.year);
        saveBlock().rankingMonth = uint32_t(day.month);
        saveBlock().rankingDay = uint32_t(day.day);
        ASSERT_EQ(saveDataWrite(root(kSaveDataFile)), kSaveBlockWords);
        saveBlock() = SaveBlock{};
    }
    void expectSavedDate(const platform::LocalTime& day) {
        ASSERT_EQ(saveDataRead(root(kSaveDataFile)), kSaveBlockWords);
        EXPECT_EQ(saveBlock().rankingYear, uint32_t(day.year));
        EXPECT_EQ(saveBlock().rankingMonth, uint32_t(day.month));
        EXPECT_EQ(saveBlock().rankingDay, uint32_t(day.day));
    }
    static std::string defaultRanking() {
        RankingTable table{};
        rankingInitDefaults(table);
        return rankingEncode(table);
    }

    platform::FakeClock clock;
    WorkingFolder folder;
};

std::vector<int32_t> idsOf(const std::vector<StartupSound>& loads, StartupSound::Kind kind) {
    std::vector<int32_t> ids;
    for (const StartupSound& load : loads) {
        if (load.kind == kind) ids.push_back(load.id);
    }
    return ids;
}

TEST_F(GameMainInitTest, SoundsAreRegisteredEffectsVoicesBossTunesThenMusicInTheirOrder) {
    const std::vector<StartupSound> loads = startupSoundLoads();
    ASSERT_EQ(loads.size(), 63u + 854u + 8u + 67u);
    const std::vector<int32_t> effects = idsOf(loads, StartupSound::kEffect);
    ASSERT_EQ(effects.size(), 63u);
    EXPECT_EQ(std::count(effects.begin(), effects.end(), 3), 0);
    const std::vector<int32_t> voices = idsOf(loads, StartupSound::kVoice);
    ASSERT_EQ(voices.size(), 854u);
    EXPECT_EQ(voices.front(), 90);
    EXPECT_EQ(voices[918 - 90], 918);
    EXPECT_EQ(voices[918 - 90 + 1], 65);
    EXPECT_EQ(voices.back(), 89);
    const std::vector<int32_t> music = idsOf(loads, StartupSound::kMusic);
    const std::vector<int32_t> firstArrangement{24, 25, 26, 27, 28, 0, 1, 2, 3, 4, 5, 6, 7,
                                                29, 30, 31, 32, 33, 34, 35, 36, 37};
    ASSERT_EQ(music.size(), 67u);
    EXPECT_TRUE(std::equal(firstArrangement.begin(), firstArrangement.end(), music.begin()));
    EXPECT_EQ(music[22], 38);
    EXPECT_EQ(music[27], 8);
    EXPECT_EQ(music[44], 52);
    EXPECT_EQ(music.back(), 66);
    // The kinds come in blocks: every effect before every voice, and so on.
    EXPECT_TRUE(std::is_sorted(loads.begin(), loads.end(),
                               [](const StartupSound& a, const StartupSound& b) { return a.kind < b.kind; }));
    // Channels as the start-up gives them.
    struct Channel {
        StartupSound::Kind kind;
        int32_t id;
        int32_t channel;
    };
    for (const Channel& c : {Channel{StartupSound::kEffect, 0, 1}, {StartupSound::kEffect, 54, 1},
                             {StartupSound::kEffect, 28, 6}, {StartupSound::kEffect, 34, 10},
                             {StartupSound::kEffect, 62, 17}, {StartupSound::kEffect, 63, 25},
                             {StartupSound::kBossTune, 920, 30}, {StartupSound::kBossTune, 927, 29}}) {
        const auto found = std::find_if(loads.begin(), loads.end(), [&](const StartupSound& load) {
            return load.kind == c.kind && load.id == c.id;
        });
        ASSERT_NE(found, loads.end()) << c.id;
        EXPECT_EQ(found->channel, c.channel) << c.id;
    }
    for (int32_t id : voices) {
        const std::string name = soundNameForId(id);
        const auto it = std::find_if(loads.begin(), loads.end(), [&](const StartupSound& l) {
            return l.kind == StartupSound::kVoice && l.id == id;
        });
        int32_t channel = -1;
        if (name.rfind("typeb_", 0) == 0) channel = 21;
        if (name.rfind("types_", 0) == 0) channel = 25;
        if (name.rfind("op_", 0) == 0 || name.rfind("ed_", 0) == 0) channel = 20;
        if (channel != -1) {
            EXPECT_EQ(it->channel, channel) << name;
        }
    }
}

TEST_F(GameMainInitTest, InitialisationRegistersEverySoundButTheUnusedOnesAndReportsMissingFilesOnceInOrder) {
    gameMainInit();
    const SoundLayerState& sound = soundLayerState();
    EXPECT_EQ(std::count(sound.soundLoaded.begin(), sound.soundLoaded.end(), 1), 63 + 854 + 8);
    EXPECT_EQ(std::count(sound.musicLoaded.begin(), sound.musicLoaded.end(), 1), 67);
    for (int id : {3, 64, 919, 928, 943}) EXPECT_EQ(sound.soundLoaded[size_t(id)], 0) << id;

    std::vector<std::string> expected;
    for (const StartupSheet& sheet : kStartupSheets) expected.push_back(makeResourcePath(sheet.path));
    for (const char* name : kBaseMotionFiles) expected.push_back(makeResourcePath(std::string("resource/motion/") + name + ".psb"));
    std::vector<std::string> reported;
    const std::string prefix = "SDL2_wheel_FileGetSize Not Find File = ";
    for (const std::string& line : folder.logLines()) {
        const bool picture = line.find("/resource/graphic/") != std::string::npos;
        const bool motion = line.find("/resource/motion/") != std::string::npos;
        if (line.rfind(prefix, 0) == 0 && (picture || motion)) reported.push_back(line.substr(prefix.size()));
    }
    EXPECT_EQ(reported, expected);
}

TEST_F(GameMainInitTest, GroupZeroHoldsOnlyThePersistentSequenceTask) {
    gameMainInit();
    int tasks = 0;
    OBJtaskWalk(0, [&](ObjTask* task) {
        ++tasks;
        EXPECT_EQ(task->tag, objTag("GCTR"));
        EXPECT_NE(task->flags & kObjTaskPersistent, 0u);
    });
    EXPECT_EQ(tasks, 1);
    EXPECT_NE(gameMainOwner, nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(root("replay")));
    EXPECT_EQ(replayTempFolder, root("replay/temp"));
}

TEST_F(GameMainInitTest, AFirstStartResetsTheDailyRankingAndWritesTheDate) {
    gameMainInit();
    expectSavedDate(kDay);
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), defaultRanking());
    EXPECT_EQ(WorkingFolder::read(root(kRankingAllFile)), defaultRanking());
}

TEST_F(GameMainInitTest, TheSameDayKeepsTheDailyRanking) {
    startedBefore(kDay);
    const std::string before = WorkingFolder::read(root(kRankingTodayFile));
    gameMainInit();
    EXPECT_EQ(rankingTables().today->at(0, 0, 0).score, kMarkedScore);
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), before);
    expectSavedDate(kDay);
}

TEST_F(GameMainInitTest, AnotherDayResetsTheDailyRanking) {
    for (const platform::LocalTime& other :
         {kNextDay, platform::LocalTime{2027, 12, 0, 10}, platform::LocalTime{2026, 11, 0, 10}}) {
        startedBefore(other);
        gameMainInit();
        EXPECT_NE(rankingTables().today->at(0, 0, 0).score, kMarkedScore);
        EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), defaultRanking());
        expectSavedDate(kDay);
        gameMainRelease();
    }
}

TEST_F(GameMainInitTest, ReleaseTakesEverythingDownAndWritesTheSaveBlock) {
    const auto warning = psbwriter::writePsb(psbwriter::motion::motionDocument(
        motionfixture::document("warning", "src", {"sign"}, "warning", {"stage1"})));
    folder.dir().write("game/resource/motion/warning.psb", std::string(warning.begin(), warning.end()));
    gameMainInit();
    ASSERT_NE(getPSBObject("warning"), nullptr);
    // A slot whose object was never released, and the menu frame's.
    const int32_t leftover = SDL2_wheel_MotionCreate(700, "warning");
    SDL2_wheel_MotionPlay(leftover, 0, "warning", "stage1");
    menuFrameSlot = SDL2_wheel_MotionCreate(900, "warning");
    ASSERT_EQ(leftover, 0);
    ASSERT_EQ(menuFrameSlot, 1);
    const ObjTask* stageTask = OBJtaskCreate([](ObjTask*) {}, 1, objTag("ZAKO"));
    ASSERT_NE(stageTask, nullptr);
    std::filesystem::create_directories(replayTempFolder);
    folder.dir().write("root/replay/temp/rep_info.dat", "x");
    std::filesystem::remove(root(kSaveDataFile));
    saveBlock().playMinutes = 42;

    gameMainRelease();

    EXPECT_EQ(menuFrameSlot, -1);
    EXPECT_FALSE(GameTask::getInstance()->motionSlots.valid(leftover));
    EXPECT_TRUE(psbCache().empty());
    EXPECT_EQ(rankingTables().all, nullptr);
    EXPECT_EQ(rankingTables().today, nullptr);
    EXPECT_EQ(gameMainOwner, nullptr);
    EXPECT_EQ(OBJtaskCountByTag(1, objTag("ZAKO")), 0);
    EXPECT_EQ(OBJtaskCountByTag(0, objTag("GCTR")), 1);
    EXPECT_FALSE(std::filesystem::exists(root("replay/temp/rep_info.dat")));
    saveBlock() = SaveBlock{};
    ASSERT_EQ(saveDataRead(root(kSaveDataFile)), kSaveBlockWords);
    EXPECT_EQ(saveBlock().playMinutes, 42u);
}

}  // namespace
