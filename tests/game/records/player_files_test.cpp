// The player's files under faults: each one unreadable (as another user, or
// a folder in its place), of the wrong size, garbage, on a read-only folder
// and on a full disk, and a ranking write killed at random points. Faults a
// test can't make in its own process run in a child: another user through
// setuid when the tests run as root, a full disk through a small
// RLIMIT_FSIZE.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <random>
#include <thread>

#include "game/core/wheel_config.h"
#include "platform/clock/fake_clock.h"
#include "tests/game/records/records_fixture.h"

namespace {

namespace fs = std::filesystem;

struct PlayerFilesChild {
    bool otherUser = false;
    rlim_t fileSizeLimit = RLIM_INFINITY;
};

// Runs check in a child process and gives its exit code (check's result),
// or 100 + the signal that ended it.
int runPlayerFilesChild(const PlayerFilesChild& how, const std::function<int()>& check) {
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child == 0) {
        if (how.otherUser && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) _exit(90);
        if (how.fileSizeLimit != RLIM_INFINITY) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{how.fileSizeLimit, how.fileSizeLimit};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        _exit(check());
    }
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 100 + WTERMSIG(status);
}

constexpr const char* kPlayerFiles[] = {"config.txt", "save.dat", "ranking_100.dat", "ranking_today_100.dat"};

class PlayerFilesTest : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        platform::LocalTime today;
        today.year = 2026;
        today.month = 12;
        today.day = 11;
        clock.setLocalTime(today);
        platform::setClock(&clock);
    }
    void TearDown() override {
        platform::setClock(nullptr);
        RecordsTest::TearDown();
    }

    // The player's own files: every setting with BGM_VOLUME=42 after a long
    // comment (so the file is larger than the full disk's limit), 5 hours of
    // play with today's date, and a 50,000 ORIGINAL score in both rankings.
    void writeGoodFiles() {
        std::string config = "; " + std::string(200, 'c') + "\n";
        for (int i = 0; i < 4; ++i) config += config;
        for (const SettingKey& key : kSettingKeyTable) {
            const int value = std::string(key.key) == "BGM_VOLUME" ? 42 : key.defaultValue;
            config += std::string(key.key) + "=" + std::to_string(value) + "\n";
        }
        std::string save(kSaveBlockBytes, '\0');
        const uint32_t words[7] = {0, 0, 0, 5, 2026, 12, 11};
        for (size_t w = 0; w < 7; ++w) {
            for (size_t b = 0; b < 4; ++b) save[w * 4 + b] = char(words[w] >> (8 * b));
        }
        RankingTable table;
        rankingInitDefaults(table);
        table.at(0, 2, 0).score = 50000;
        const std::string ranking = rankingEncode(table);
        for (const auto& [name, bytes] : {std::pair{"config.txt", config}, {"save.dat", save},
                                          {"ranking_100.dat", ranking}, {"ranking_today_100.dat", ranking}}) {
            folder.dir().write(std::string("root/") + name, bytes);
            good[name] = bytes;
        }
    }

    // Game init's part with the files.
    void start() {
        testing::internal::CaptureStdout();
        configEnsureFile();
        configLoad();
        configSave();
        saveDataRead(root("save.dat"));
        rankingTables().all = rankingLoadOrInit(root(kRankingAllFile));
        rankingTables().today = rankingLoadOrInit(root(kRankingTodayFile));
        saveDataApplyRankingDate();
        testing::internal::GetCapturedStdout();
    }
    bool onDefaults() const {
        return gameSettings.BGM_VOLUME == 100 && saveBlock().playHours == 0 &&
               rankingTables().all->at(0, 2, 0).score == 10000 && rankingTables().today->at(0, 2, 0).score == 10000;
    }
    bool onGoodFiles() const {
        return gameSettings.BGM_VOLUME == 42 && saveBlock().playHours == 5 &&
               rankingTables().all->at(0, 2, 0).score == 50000 && rankingTables().today->at(0, 2, 0).score == 50000;
    }
    // A play that changes every file, and the saves that follow it.
    void playAndSave() const {
        testing::internal::CaptureStdout();
        gameSettings.BGM_VOLUME = 7;
        configSave();
        saveBlock().playHours += 1;
        saveDataWrite(root("save.dat"));
        const uint64_t subScores[9] = {};
        rankingInsert(0, subScores, 60000, 0, 0, 0, 2, 0, 0, 1, 0, false);
        rankingInsert(0, subScores, 60000, 0, 0, 0, 2, 0, 0, 1, 0, true);
        testing::internal::GetCapturedStdout();
    }
    void expectGoodFilesKept() const {
        for (const auto& [name, bytes] : good) {
            EXPECT_EQ(WorkingFolder::read(root(name)), bytes) << name;
            EXPECT_FALSE(fs::exists(root(name + ".tmp"))) << name;
        }
    }
    // How many log lines begin with the file's path and hold the text.
    int logLinesAbout(const std::string& name, const std::string& text) const {
        int count = 0;
        for (const std::string& line : folder.logLines()) {
            count += line.rfind(root(name) + " : ", 0) == 0 && line.find(text) != std::string::npos;
        }
        return count;
    }
    void openToEveryone() const {
        fs::permissions(folder.dir().str(), fs::perms::all);
        fs::permissions(root(""), fs::perms::all);
    }

    platform::FakeClock clock;
    std::map<std::string, std::string> good;
};

TEST_F(PlayerFilesTest, UnreadableFilesAreLoggedPlayedOnDefaultsAndNeverWritten) {
    writeGoodFiles();
    openToEveryone();  // the game could replace them: only its care keeps them
    for (const char* name : kPlayerFiles) fs::permissions(root(name), fs::perms::none);
    const int result = runPlayerFilesChild({.otherUser = true}, [this] {
        start();
        if (!onDefaults()) return 1;
        playAndSave();
        start();  // a settings screen or the next start reads them again
        playAndSave();
        return 0;
    });
    EXPECT_EQ(result, 0);
    for (const char* name : kPlayerFiles) fs::permissions(root(name), fs::perms::owner_read | fs::perms::owner_write);
    expectGoodFilesKept();
    for (const char* name : kPlayerFiles) {
        EXPECT_EQ(logLinesAbout(name, "can't be read (Permission denied); the game runs on the defaults"), 1) << name;
    }
}

TEST_F(PlayerFilesTest, AFolderInAFilesPlaceIsLeftAloneAndTheGameRunsOnDefaults) {
    for (const char* name : kPlayerFiles) folder.dir().write(std::string("root/") + name + "/mine.txt", "mine");
    start();
    EXPECT_TRUE(onDefaults());
    playAndSave();
    start();
    for (const char* name : kPlayerFiles) {
        EXPECT_EQ(WorkingFolder::read(root(name) + "/mine.txt"), "mine") << name;
        EXPECT_EQ(logLinesAbout(name, "can't be read (Is a directory)"), 1) << name;
    }
    EXPECT_EQ(std::distance(fs::directory_iterator(root("")), fs::directory_iterator()), 4);
    EXPECT_EQ(gameSettings.BGM_VOLUME, 7);  // the run keeps its own settings
}

TEST_F(PlayerFilesTest, FilesOfTheWrongSizeAreKeptAsideAndTheDefaultsUsed) {
    struct Case {
        const char* name;
        size_t size;
    };
    const Case cases[] = {
        {"save.dat", 0},           {"save.dat", 100},           {"save.dat", 4095},
        {"save.dat", 4097},        {"ranking_100.dat", 0},      {"ranking_100.dat", 408 * 3 + 100},
        {"ranking_100.dat", 183599}, {"ranking_100.dat", 183601},
    };
    RankingTable defaults;
    rankingInitDefaults(defaults);
    for (const Case& c : cases) {
        const std::string bytes(c.size, char('a' + c.size % 26));
        folder.dir().write(std::string("root/") + c.name, bytes);
        folder.clearLog();
        testing::internal::CaptureStdout();
        saveBlock().playHours = 9;
        const bool save = std::string(c.name) == "save.dat";
        if (save) {
            EXPECT_EQ(saveDataRead(root(c.name)), -1) << c.size;
            EXPECT_EQ(saveBlock().playHours, 0u) << c.size;
            EXPECT_FALSE(fs::exists(root(c.name))) << c.size;
        } else {
            auto table = rankingLoadOrInit(root(c.name));
            EXPECT_EQ(rankingEncode(*table), rankingEncode(defaults)) << c.size;
            EXPECT_EQ(WorkingFolder::read(root(c.name)), rankingEncode(defaults)) << c.size;
        }
        testing::internal::GetCapturedStdout();
        // One copy: each damaged file replaces the one before.
        EXPECT_EQ(WorkingFolder::read(root(c.name) + ".damaged"), bytes) << c.size;
        const size_t whole = save ? kSaveBlockBytes : kRankingFileBytes;
        EXPECT_EQ(folder.logLines(), std::vector<std::string>{root(c.name) + " : " + std::to_string(c.size) +
                                                              " bytes where " + std::to_string(whole) +
                                                              " belong; kept as " + root(c.name) +
                                                              ".damaged, the defaults are used"});
    }
}

TEST_F(PlayerFilesTest, GarbageOfTheRightSizeLoadsAsItStands) {
    std::mt19937 random(55);
    std::string garbage(kRankingFileBytes, '\0');
    for (char& byte : garbage) byte = char(random());
    folder.dir().write("root/save.dat", garbage.substr(0, kSaveBlockBytes));
    folder.dir().write("root/ranking_100.dat", garbage);
    folder.dir().write("root/config.txt", garbage.substr(0, 60000));
    testing::internal::CaptureStdout();
    configLoad();
    EXPECT_LE(gameSettings.BG_BRIGHTNESS, 10);
    EXPECT_EQ(saveDataRead(root("save.dat")), 1024);
    auto table = rankingLoadOrInit(root(kRankingAllFile));
    testing::internal::GetCapturedStdout();
    for (const RankingRecord& record : table->records) EXPECT_EQ(record.name[255], '\0');
    configSave();
    EXPECT_EQ(saveDataWrite(root("save.dat")), 1024);
    EXPECT_EQ(WorkingFolder::read(root("save.dat")), garbage.substr(0, kSaveBlockBytes));
    EXPECT_FALSE(fs::exists(root("save.dat.damaged")));
    EXPECT_FALSE(fs::exists(root("ranking_100.dat.damaged")));
}

TEST_F(PlayerFilesTest, OnAReadOnlyFolderTheFilesAreReadAndNothingIsWritten) {
    writeGoodFiles();
    fs::permissions(folder.dir().str(), fs::perms::all);  // the log is still written
    fs::permissions(root(""), fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                  fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec);
    const int result = runPlayerFilesChild({.otherUser = true}, [this] {
        start();
        if (!onGoodFiles()) return 1;
        playAndSave();
        return 0;
    });
    fs::permissions(root(""), fs::perms::all);
    EXPECT_EQ(result, 0);
    expectGoodFilesKept();
    EXPECT_EQ(logLinesAbout("config.txt", "can't be written (Permission denied)"), 2);  // init's save, the play's
    EXPECT_EQ(logLinesAbout("save.dat", "can't be written (Permission denied)"), 2);  // the date rule's, the play's
    EXPECT_EQ(logLinesAbout(kRankingAllFile, "can't be written (Permission denied)"), 1);
    EXPECT_EQ(logLinesAbout(kRankingTodayFile, "can't be written (Permission denied)"), 1);
}

TEST_F(PlayerFilesTest, OnAFullDiskEveryOldFileStaysWhole) {
    writeGoodFiles();
    const int result = runPlayerFilesChild({.fileSizeLimit = 3000}, [this] {
        start();
        if (!onGoodFiles()) return 1;
        playAndSave();
        // Memory keeps what the play changed.
        return gameSettings.BGM_VOLUME == 7 && rankingTables().all->at(0, 2, 0).score == 60000 ? 0 : 2;
    });
    EXPECT_EQ(result, 0);
    expectGoodFilesKept();
    for (const char* name : kPlayerFiles) {
        EXPECT_GE(logLinesAbout(name, "write failed, the old file is kept (File too large)"), 1) << name;
    }
}

TEST_F(PlayerFilesTest, MissingFilesOnAFullDiskLeaveNoPartOfAFile) {
    folder.dir().write("resource/data/config.txt", std::string(4000, ';') + "\n");
    const int result = runPlayerFilesChild({.fileSizeLimit = 500}, [this] {
        start();
        return onDefaults() ? 0 : 1;
    });
    EXPECT_EQ(result, 0);
    EXPECT_TRUE(fs::is_empty(root("")));
}

// The kill lands anywhere in the write: in the bytes, the sync, the rename.
TEST_F(PlayerFilesTest, AKillDuringARankingWriteLeavesTheOldOrTheNewFileWhole) {
    RankingTable table;
    rankingInitDefaults(table);
    const std::string before = rankingEncode(table);
    table.at(0, 2, 0).score = 70000;
    const std::string after = rankingEncode(table);
    // The kills spread over about three writes on this disk (within 1 to 60 ms).
    const auto begun = std::chrono::steady_clock::now();
    rankingWrite(table, root(kRankingAllFile));
    const int64_t oneWrite =
        std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - begun).count();
    const int64_t span = std::clamp<int64_t>(3 * oneWrite, 1000, 60000);
    std::mt19937 random(2026);
    int sawOld = 0;
    int sawNew = 0;
    for (int round = 0; round < 60; ++round) {
        folder.dir().write("root/ranking_100.dat", before);
        std::fflush(nullptr);
        const pid_t child = fork();
        if (child == 0) {
            for (int write = 0;; ++write) rankingWrite(table, root(kRankingAllFile));
        }
        std::this_thread::sleep_for(std::chrono::microseconds(int64_t(random()) % span));
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        const std::string found = WorkingFolder::read(root(kRankingAllFile));
        ASSERT_TRUE(found == before || found == after) << "round " << round << ": " << found.size() << " bytes";
        (found == before ? sawOld : sawNew) += 1;
        testing::internal::CaptureStdout();
        EXPECT_EQ(rankingLoadOrInit(root(kRankingAllFile))->at(0, 2, 0).score, found == before ? 10000u : 70000u);
        EXPECT_EQ(testing::internal::GetCapturedStdout(), "ranking data load.\n");
    }
    RecordProperty("old", sawOld);
    RecordProperty("new", sawNew);
}

}  // namespace
