// "save.dat": the block's bytes, short and missing files, the play-time
// counter and the daily ranking's date rule over three starts.
#include "game/records/save_block.h"

#include "platform/clock/fake_clock.h"
#include "tests/game/records/records_fixture.h"

namespace {

class SaveBlockTest : public RecordsTest {
protected:
    void SetUp() override {
        RecordsTest::SetUp();
        platform::setClock(&clock);
    }
    void TearDown() override {
        platform::setClock(nullptr);
        RecordsTest::TearDown();
    }
    void setDate(int year, int month, int day) {
        platform::LocalTime t;
        t.year = year;
        t.month = month;
        t.day = day;
        t.hour = 23;
        clock.setLocalTime(t);
    }
    // What game init does with the files at start.
    void start() {
        saveBlock() = SaveBlock{};
        saveDataRead(root("save.dat"));
        rankingTables().all = rankingLoadOrInit(root(kRankingAllFile));
        rankingTables().today = rankingLoadOrInit(root(kRankingTodayFile));
        saveDataApplyRankingDate();
    }
    static uint32_t wordAt(const std::string& bytes, size_t word) {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[word * 4 + size_t(i)]);
        return value;
    }

    platform::FakeClock clock;
};

TEST_F(SaveBlockTest, WordsAreWrittenLittleEndianAndReadBack) {
    saveBlock().playHours = 0x01020304;
    saveBlock().staffRollHighScore = 77;
    saveBlock().reserved[1015] = 0xA0B0C0D0;
    EXPECT_EQ(saveDataWrite(root("save.dat")), 1024);
    const std::string bytes = WorkingFolder::read(root("save.dat"));
    ASSERT_EQ(bytes.size(), 4096u);
    EXPECT_EQ(bytes.substr(12, 4), std::string("\x04\x03\x02\x01", 4));
    EXPECT_EQ(wordAt(bytes, 7), 77u);
    EXPECT_EQ(wordAt(bytes, 1023), 0xA0B0C0D0u);
    saveBlock() = SaveBlock{};
    EXPECT_EQ(saveDataRead(root("save.dat")), 1024);
    EXPECT_EQ(saveBlock().playHours, 0x01020304u);
    EXPECT_EQ(saveBlock().reserved[1015], 0xA0B0C0D0u);
}

// A short file is not taken in part: it is kept aside as damaged
// (player_files_test.cpp) and the block starts from zero, as for a missing one.
TEST_F(SaveBlockTest, AShortFileOrAMissingOneZeroesTheBlock) {
    folder.dir().write("root/save.dat", std::string(100, '\x11'));
    saveBlock().staffRollHighScore = 5;
    EXPECT_EQ(saveDataRead(root("save.dat")), -1);
    EXPECT_EQ(saveBlock().staffRollHighScore, 0u);
    EXPECT_EQ(WorkingFolder::read(root("save.dat.damaged")), std::string(100, '\x11'));
    saveBlock().reserved[17] = 9;
    EXPECT_EQ(saveDataRead(root("none.dat")), -1);
    EXPECT_EQ(saveBlock().reserved[17], 0u);
}

TEST_F(SaveBlockTest, PlayTimeRollsOverIntoTheHours) {
    saveBlock().playFrames = 59;
    saveBlock().playSeconds = 59;
    saveBlock().playMinutes = 59;
    saveBlock().playHours = 7;
    saveDataAdvancePlayTime();
    EXPECT_EQ(saveBlock().playFrames, 0u);
    EXPECT_EQ(saveBlock().playSeconds, 0u);
    EXPECT_EQ(saveBlock().playMinutes, 0u);
    EXPECT_EQ(saveBlock().playHours, 8u);
    for (int i = 0; i < 60 * 61; ++i) saveDataAdvancePlayTime();
    EXPECT_EQ(saveBlock().playFrames, 0u);
    EXPECT_EQ(saveBlock().playSeconds, 1u);
    EXPECT_EQ(saveBlock().playMinutes, 1u);
}

TEST_F(SaveBlockTest, TheDailyRankingIsResetOnTheFirstStartOfEachDay) {
    const uint64_t subScores[9] = {};
    setDate(2026, 12, 10);
    start();  // first start: no save.dat yet
    const std::string defaults = WorkingFolder::read(root(kRankingTodayFile));
    EXPECT_EQ(defaults.size(), kRankingFileBytes);
    const std::string saved = WorkingFolder::read(root("save.dat"));
    ASSERT_EQ(saved.size(), 4096u);
    EXPECT_EQ(wordAt(saved, 4), 2026u);
    EXPECT_EQ(wordAt(saved, 5), 12u);
    EXPECT_EQ(wordAt(saved, 6), 10u);
    EXPECT_EQ(rankingInsert(0, subScores, 50000, 0, 0, 0, 2, 0, 0, 1, 0, true), 0);
    const std::string played = WorkingFolder::read(root(kRankingTodayFile));
    EXPECT_NE(played, defaults);

    start();  // the same day, later
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), played);
    EXPECT_EQ(rankingTables().today->at(0, 2, 0).score, 50000u);

    setDate(2026, 12, 11);
    start();  // the next day
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), defaults);
    EXPECT_EQ(rankingTables().today->at(0, 2, 0).score, 10000u);
    EXPECT_EQ(wordAt(WorkingFolder::read(root("save.dat")), 6), 11u);
}

}  // namespace
