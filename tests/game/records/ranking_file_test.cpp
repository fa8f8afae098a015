// The ranking files: the default file's bytes, load-or-init, short files,
// insertion, names and the category of a play.
#include "game/records/ranking_file.h"

#include <sys/resource.h>

#include <csignal>
#include <cstring>

#include "game/core/play_state.h"
#include "game/core/replay_files.h"
#include "game/records/play_selection.h"
#include "tests/game/records/records_fixture.h"

namespace {

void putU32(std::string& bytes, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes[at + size_t(i)] = char(v >> (8 * i));
}
void putU64(std::string& bytes, size_t at, uint64_t v) {
    for (int i = 0; i < 8; ++i) bytes[at + size_t(i)] = char(v >> (8 * i));
}
uint64_t getU64(const std::string& bytes, size_t at) {
    uint64_t v = 0;
    for (int i = 7; i >= 0; --i) v = v << 8 | uint8_t(bytes[at + size_t(i)]);
    return v;
}

// The default file, written out from the defaults' rules byte by byte.
std::string expectedDefaultFile() {
    std::string bytes(183600, '\0');
    for (int t = 0; t < 5; ++t) {
        for (int c = 0; c < 9; ++c) {
            for (int p = 0; p < 10; ++p) {
                const size_t at = size_t((t * 9 + c) * 10 + p) * 408;
                const uint64_t score = uint64_t(10 - p) * 1000;
                putU64(bytes, at, score);
                for (int i = 0; i < 9; ++i) putU64(bytes, at + 8 + size_t(i) * 8, score + uint64_t(i) + 1);
                putU32(bytes, at + 80, uint32_t(c >= 4 ? c - 3 : p % 5 + 1));
                putU32(bytes, at + 84, uint32_t(p % 3));
                putU32(bytes, at + 100, uint32_t(t >= 1 ? t - 1 : p % 4));
                putU32(bytes, at + 104, uint32_t(p % 10 + 1));
                std::memcpy(&bytes[at + 108], "NO NAME", 7);
                putU32(bytes, at + 368, uint32_t(p % 2));
            }
        }
    }
    return bytes;
}

class RankingFileTest : public RecordsTest {
protected:
    // Loads both tables and gives what the loads printed.
    std::string loadBoth() {
        testing::internal::CaptureStdout();
        rankingTables().all = rankingLoadOrInit(root(kRankingAllFile));
        rankingTables().today = rankingLoadOrInit(root(kRankingTodayFile));
        return testing::internal::GetCapturedStdout();
    }
    int insert(int table, uint64_t score, uint32_t category, bool today = false) {
        const uint64_t subScores[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
        return rankingInsert(table, subScores, score, 2, 1, 1, category, 0, 3, 4, 1, today);
    }
};

TEST_F(RankingFileTest, AMissingFileIsCreatedWithTheDefaults) {
    EXPECT_EQ(loadBoth(), "ranking data init.\nranking data init.\n");
    const std::string expected = expectedDefaultFile();
    EXPECT_EQ(WorkingFolder::read(root(kRankingAllFile)), expected);
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), expected);
    EXPECT_EQ(rankingTables().all->at(0, 6, 4).stage, 3u);
    EXPECT_EQ(loadBoth(), "ranking data load.\nranking data load.\n");
    EXPECT_EQ(rankingEncode(*rankingTables().all), expected);
}

// A short file is kept aside as damaged (player_files_test.cpp) and the
// defaults take its place; in a whole file, names end at their last byte.
TEST_F(RankingFileTest, AShortFileGivesTheDefaultsAndNamesEndAtTheirLastByte) {
    folder.dir().write("root/" + std::string(kRankingAllFile), expectedDefaultFile().substr(0, 408 * 3 + 100));
    testing::internal::CaptureStdout();
    auto table = rankingLoadOrInit(root(kRankingAllFile));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "ranking data init.\n");
    EXPECT_EQ(rankingEncode(*table), expectedDefaultFile());
    EXPECT_EQ(WorkingFolder::read(root(kRankingAllFile)), expectedDefaultFile());

    std::string bytes = expectedDefaultFile();
    std::memset(&bytes[408 + 108], 'N', 256);  // record 1's name without a terminator
    folder.dir().write("root/" + std::string(kRankingAllFile), bytes);
    testing::internal::CaptureStdout();
    table = rankingLoadOrInit(root(kRankingAllFile));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(std::string(table->records[1].name), std::string(255, 'N'));
    EXPECT_EQ(table->records[3].score, 7000u);
}

// Decoding bytes cut anywhere: what they hold is read, the rest is zero
// whatever the table held before, and encoding into a used buffer gives the
// same bytes as a fresh one.
TEST_F(RankingFileTest, CutBytesDecodeWhatTheyHoldAndZerosAfter) {
    const std::string whole = expectedDefaultFile();
    auto table = std::make_unique<RankingTable>();
    std::string reused = "left over";
    for (const size_t cut : {size_t(0), size_t(1), size_t(408), size_t(408 + 200), size_t(183599)}) {
        SCOPED_TRACE(cut);
        rankingInitDefaults(*table);
        rankingDecode(*table, reinterpret_cast<const uint8_t*>(whole.data()), cut);
        const std::string want = whole.substr(0, cut) + std::string(whole.size() - cut, '\0');
        rankingEncode(*table, reused);
        EXPECT_EQ(reused, want);
        EXPECT_EQ(rankingEncode(*table), want);
    }
}

TEST_F(RankingFileTest, InsertionShiftsThePlacesBelowAndRewritesTheFile) {
    loadBoth();
    testing::internal::CaptureStdout();
    rankingCopyName(playRecords.playerName, "PLAYER");
    stageNumber = 4;
    // Equal to place 3 (7000) and above place 4: it goes to place 4.
    EXPECT_EQ(insert(2, 7000, 1), 4);
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "rank in : update ranking. (5)\n");
    RankingTable& all = *rankingTables().all;
    EXPECT_EQ(all.at(2, 1, 3).score, 7000u);
    EXPECT_EQ(std::string(all.at(2, 1, 3).name), "NO NAME");
    const RankingRecord& entered = all.at(2, 1, 4);
    EXPECT_EQ(entered.score, 7000u);
    EXPECT_EQ(std::string(entered.name), "PLAYER");
    EXPECT_EQ(entered.stage, 4u);
    EXPECT_EQ(entered.stageProgress, 2u);
    EXPECT_EQ(entered.finished, 1u);
    EXPECT_EQ(entered.category, 1u);
    EXPECT_EQ(entered.leaderType, 3u);
    EXPECT_EQ(entered.fighterWord, 4u);
    EXPECT_EQ(entered.trueRoute, 1u);
    EXPECT_EQ(entered.assist, 1u);
    EXPECT_EQ(entered.subScores[8], 9u);
    EXPECT_EQ(all.at(2, 1, 5).score, 6000u);  // the old place 4
    EXPECT_EQ(all.at(2, 1, 9).score, 2000u);  // 1000 fell out
    const std::string file = WorkingFolder::read(root(kRankingAllFile));
    EXPECT_EQ(getU64(file, size_t((2 * 9 + 1) * 10 + 4) * 408), 7000u);
    EXPECT_EQ(WorkingFolder::read(root(kRankingTodayFile)), expectedDefaultFile());
}

TEST_F(RankingFileTest, AScoreEqualToPlaceNineDoesNotRankAndTheFileStays) {
    loadBoth();
    testing::internal::CaptureStdout();
    const std::string before = WorkingFolder::read(root(kRankingTodayFile));
    std::filesystem::remove(root(kRankingTodayFile));
    EXPECT_EQ(insert(0, 1000, 0, true), -1);
    EXPECT_EQ(insert(0, 5, 0, true), -1);
    EXPECT_EQ(insert(5, 99999, 0, true), -1);
    EXPECT_EQ(insert(0, 99999, 9, true), -1);
    EXPECT_FALSE(std::filesystem::exists(root(kRankingTodayFile)));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(rankingEncode(*rankingTables().today), before);
}

TEST_F(RankingFileTest, ScoresAboveTwoToTheSixtyThreeCompareUnsigned) {
    loadBoth();
    testing::internal::CaptureStdout();
    const uint64_t huge = (uint64_t(1) << 63) + 5;
    EXPECT_EQ(insert(1, huge, 8), 0);
    EXPECT_EQ(insert(1, huge + 1, 8), 0);
    EXPECT_EQ(insert(1, huge, 8), 2);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(rankingTables().all->at(1, 8, 1).score, huge);
    EXPECT_EQ(getU64(WorkingFolder::read(root(kRankingAllFile)), size_t((1 * 9 + 8) * 10) * 408), huge + 1);
}

TEST_F(RankingFileTest, AWriteThatFailsHalfWayLeavesTheOldFile) {
    loadBoth();
    testing::internal::CaptureStdout();
    const std::string before = WorkingFolder::read(root(kRankingAllFile));
    rlimit previous{};
    getrlimit(RLIMIT_FSIZE, &previous);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limited = previous;
    limited.rlim_cur = 100000;  // about half the file
    setrlimit(RLIMIT_FSIZE, &limited);
    const int place = insert(0, 20000, 0);
    setrlimit(RLIMIT_FSIZE, &previous);
    std::signal(SIGXFSZ, oldHandler);
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(place, 0);
    EXPECT_EQ(rankingTables().all->at(0, 0, 0).score, 20000u);  // memory keeps the entry
    EXPECT_EQ(WorkingFolder::read(root(kRankingAllFile)), before);
    const auto log = folder.logLines();
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].rfind(root(kRankingAllFile) + " : write failed, the old file is kept", 0), 0u) << log[0];
}

TEST(RankingNameTest, NamesAreCutOnACharacterBoundary) {
    char name[256];
    const std::string kana = "\xE3\x81\x82";  // three bytes
    std::string longName;
    for (int i = 0; i < 90; ++i) longName += kana;  // 270 bytes
    rankingCopyName(name, longName.c_str());
    EXPECT_EQ(std::string(name), longName.substr(0, 255));  // 85 whole characters
    rankingCopyName(name, ("x" + longName).c_str());
    EXPECT_EQ(std::string(name), ("x" + longName).substr(0, 253));
    rankingCopyName(name, std::string(300, 'a').c_str());
    EXPECT_EQ(std::string(name), std::string(255, 'a'));
}

TEST(RankingLabelTest, LeaderTypesOutsideTheFourHaveNoLabel) {
    EXPECT_STREQ(rankingTypeLabel(0), "TYPE A");
    EXPECT_STREQ(rankingTypeLabel(3), "TYPE D");
    EXPECT_STREQ(rankingTypeLabel(4), "");
    EXPECT_STREQ(rankingTypeLabel(0xFFFFFFFFu), "");
}

TEST(RankingCategoryTest, ScoreAttackPlaysAndTheirReplaysUseTheirStage) {
    struct Case {
        int32_t kind, stage, replayedCategory, trainingStart, mode, expected;
    };
    const Case cases[] = {
        {2, 3, 0, 0, 1, 6},  // score attack
        {6, 5, 8, 0, 2, 8},  // a score-attack replay
        {6, 2, 4, 0, 0, 5},
        {6, 5, 3, 4, 2, 2},  // a story replay, whatever stage training last started on
        {0, 4, 9, 9, 3, 3},
        {8, 1, 5, 5, 1, 1},
    };
    for (const Case& c : cases) {
        menuResultCode = c.kind;
        stageNumber = c.stage;
        replayHeader.category = c.replayedCategory;
        trainingStartStage = c.trainingStart;
        setGameMode(c.mode);
        EXPECT_EQ(getRankingCategory(), c.expected) << c.kind << " " << c.stage << " " << c.replayedCategory;
    }
    menuResultCode = stageNumber = trainingStartStage = 0;
    replayHeader.category = 0;
    setGameMode(0);
}

}  // namespace
