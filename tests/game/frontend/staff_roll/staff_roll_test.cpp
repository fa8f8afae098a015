// The staff roll's scene: the page clock, the closing pages, the leave, the
// hi-score in "save.dat", and how a line becomes letters.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "game/frontend/play_scenes/kana_font.h"
#include "tests/game/frontend/staff_roll/staff_roll_fixture.h"

namespace {

using StaffRollPageTiming = StaffRollFixture;

TEST_F(StaffRollPageTiming, TheNextPageSpawnsOnTheFrameThePageTimerPasses540) {
    startRoll();
    runToPages();
    EXPECT_EQ(staffRollPage, 0);
    EXPECT_EQ(staffRollTargetsLeft, 3);
    int spawnedAt = 0;
    for (int f = 1; f <= 600 && spawnedAt == 0; ++f) {
        frame();
        if (staffRollPage == 1) spawnedAt = f;
    }
    EXPECT_EQ(spawnedAt, kStaffRollPageFrames + 1);
    EXPECT_EQ(clock().pageIndex, 1);
    EXPECT_EQ(clock().pageTimer, 0);
    // Page 1 holds only decoration: no targets.
    EXPECT_EQ(staffRollTargetsLeft, 0);
}

TEST_F(StaffRollPageTiming, ReturnOnPage27EndsWithoutTheClosingPage) {
    startRoll();
    runToPages();
    clock().pageIndex = kStaffRollCreditPages - 1;
    frame(kRollReturn);
    EXPECT_EQ(step(), 4);
    runToEnd();
    EXPECT_EQ(staffRollFinished, 0);
    EXPECT_NE(staffRollPage, kStaffRollPlayedPage);
    EXPECT_NE(staffRollPage, kStaffRollNotPlayedPage);
    EXPECT_EQ(menuResultCode, 3);
}

TEST_F(StaffRollPageTiming, FromPage28OnlyButtonOneLeaves) {
    startRoll();
    runToPages();
    lastFrameOfPage27();
    frame();
    EXPECT_EQ(step(), 3);
    EXPECT_EQ(staffRollFinished, 1);
    frame(kRollReturn);
    frames(40);
    EXPECT_EQ(step(), 3);
    EXPECT_TRUE(rollAlive());
    frame(kRollButtonOne);
    EXPECT_EQ(step(), 4);
    runToEnd();
    EXPECT_EQ(menuResultCode, 3);
}

TEST_F(StaffRollPageTiming, APlayerWhoNeverJoinedSeesPage101AndKeepsTheHiScore) {
    saveBlock().staffRollHighScore = 500;
    startRoll();
    runToPages();
    lastFrameOfPage27();
    frame();
    EXPECT_EQ(staffRollPage, kStaffRollNotPlayedPage);
    EXPECT_EQ(saveBlock().staffRollHighScore, 500u);
    EXPECT_FALSE(saveFileExists());
}

struct HighScoreCase {
    uint32_t stored;
    uint64_t score;
    bool written;
    uint32_t kept;
};

TEST_F(StaffRollPageTiming, TheHiScoreRule) {
    const HighScoreCase cases[] = {
        {500, 500, false, 500},                                   // equal: save.dat untouched
        {500, 501, true, 501},                                    // better
        {0xFFFFFFFFu, 0, true, 0},                                // the stored word read as signed: -1
        {0x80000000u, 10, true, 10},                              // INT32_MIN
        {100, uint64_t(INT32_MAX) + 5, true, uint32_t(INT32_MAX)},  // clamped, not cut to its low bits
    };
    for (const HighScoreCase& c : cases) {
        SCOPED_TRACE(c.score);
        std::filesystem::remove(makeAppRootPath(kSaveDataFile));
        OBJtaskReleaseAll(nullptr);
        saveBlock() = SaveBlock{};
        saveBlock().staffRollHighScore = c.stored;
        startRoll();
        runToPages();
        staffRollStarted = 1;
        staffRollScore = c.score;
        lastFrameOfPage27();
        frame();
        EXPECT_EQ(staffRollPage, kStaffRollPlayedPage);
        EXPECT_EQ(saveBlock().staffRollHighScore, c.kept);
        EXPECT_EQ(saveFileExists(), c.written);
        if (c.written) {
            saveBlock() = SaveBlock{};
            ASSERT_EQ(saveDataRead(makeAppRootPath(kSaveDataFile)), kSaveBlockWords);
            EXPECT_EQ(saveBlock().staffRollHighScore, c.kept);
        }
    }
}

TEST_F(StaffRollPageTiming, TheClosingPageShowsTheScoreInACopyOfPage100) {
    startRoll();
    runToPages();
    staffRollStarted = 1;
    staffRollScore = 1234;
    lastFrameOfPage27();
    frame();
    std::string expected;
    for (int k = 0; k < 8; ++k) expected += "\xE3\x80\x80";
    expected += "\xEF\xBC\x91\xEF\xBC\x92\xEF\xBC\x93\xEF\xBC\x94";
    EXPECT_EQ(std::string((*staffRollPageLines(kStaffRollPlayedPage))[kStaffRollScoreLine].text), expected);
    // The table keeps its own text; the copy's twelve places spawn four letters.
    EXPECT_STREQ(rollFixturePages()[staffRollPageSlot(kStaffRollPlayedPage)][kStaffRollScoreLine].text,
                 kRollFullWidthZero);
    int digits = 0;
    for (ObjWork* w : works(7)) {
        if (staffRoll(w).homeY == 46.0f + 14.0f * kStaffRollScoreLine) ++digits;
    }
    EXPECT_EQ(digits, 4);
}

// How a line becomes letters.
struct SpawnCase {
    const char* name;
    const char* text;
    int32_t target;
    std::vector<std::pair<float, float>> places;  // home x, y of each letter
};

class StaffRollSpawn : public StaffRollFixture {};

TEST_F(StaffRollSpawn, LinesBecomeCentredLetters) {
    const SpawnCase cases[] = {
        // x + 6 - 6 x 3 = x - 12
        {"three letters", kRollTargetText, 1, {{88, 50}, {100, 50}, {112, 50}}},
        // "￥" recentres the next row 12 pixels lower on its own count
        {"a break", "\xE3\x82\xA2\xE3\x82\xA4\xE3\x82\xA6\xEF\xBF\xA5\xE3\x82\xAB\xE3\x82\xAD", 1,
         {{88, 50}, {100, 50}, {112, 50}, {94, 62}, {106, 62}}},
        // U+3000 takes a place without a letter
        {"a gap", "\xE3\x82\xA2\xE3\x80\x80\xE3\x82\xA4", 1, {{88, 50}, {112, 50}}},
        // a character outside the font takes none
        {"outside the font", "\xE3\x82\xA2x\xE4\xB8\x80\xE3\x82\xA4", 1, {{94, 50}, {106, 50}}},
        {"decoration only", kRollDecorationText, 0, {{94, 50}, {106, 50}}},
    };
    for (const SpawnCase& c : cases) {
        SCOPED_TRACE(c.name);
        OBJtaskReleaseAll(nullptr);
        staffRollTargetsLeft = 5;
        staffRollSpawnLine(c.text, 100.0f, 50.0f, 0.5f, 10, 20, 30, c.target, 0, 22);
        const std::vector<ObjWork*> letters = works(7);
        ASSERT_EQ(letters.size(), c.places.size());
        for (size_t k = 0; k < letters.size(); ++k) {
            EXPECT_EQ(staffRoll(letters[k]).homeX, c.places[k].first) << k;
            EXPECT_EQ(staffRoll(letters[k]).homeY, c.places[k].second) << k;
            EXPECT_EQ(staffRoll(letters[k]).value, 220);
            EXPECT_EQ(staffRoll(letters[k]).decoration, c.target == 0 ? 1 : 0);
            EXPECT_EQ(letters[k]->alpha, 0.5f);
            EXPECT_EQ(letters[k]->g, 20);
        }
        EXPECT_EQ(staffRollTargetsLeft, c.target != 0 ? 5 + int32_t(c.places.size()) : 5);
    }
}

TEST_F(StaffRollSpawn, SetPageSpawnsEachLineAtItsPlaceAndValue) {
    staffRollSetPage(1);
    const std::vector<ObjWork*> letters = works(7);
    ASSERT_EQ(letters.size(), 2u);
    EXPECT_EQ(staffRoll(letters[0]).homeY, 46.0f + 14.0f * 2);
    EXPECT_EQ(staffRoll(letters[0]).value, (22 - 2) * 10);
    EXPECT_EQ(staffRoll(letters[0]).glyph, kanaFontFrame(0x30AB));
    EXPECT_EQ(staffRollPage, 1);
    EXPECT_EQ(staffRollTargetsLeft, 0);
}

TEST_F(StaffRollSpawn, LettersSlideInStayAndSlideOut) {
    staffRollSpawnLine(kRollTargetText, 112.0f, 60.0f, 1.0f, 255, 255, 255, 1, 0, 22);
    ObjWork* letter = works(7).front();
    frame();  // set up last frame: first move now
    EXPECT_EQ(staffRoll(letter).slide, 224.0f - 6.0f);
    EXPECT_EQ(letter->x, staffRoll(letter).homeX + 218.0f);
    frames(40);
    EXPECT_EQ(staffRoll(letter).slide, 0.0f);
    frames(421);
    EXPECT_EQ(staffRoll(letter).phase, 2);
    frames(80);
    EXPECT_EQ(works(7).size(), 0u);
}

TEST_F(StaffRollSpawn, FastLettersWaitThenDashIn) {
    staffRollSpawnLine(kRollTargetText, 112.0f, 60.0f, 1.0f, 255, 255, 255, 1, 1, 22);
    ObjWork* letter = works(7).front();
    frames(120);
    EXPECT_EQ(staffRoll(letter).slide, 896.0f);
    frame();
    EXPECT_EQ(staffRoll(letter).slide, 896.0f - 24.0f);
    frames(40);
    EXPECT_EQ(staffRoll(letter).slide, 0.0f);
    EXPECT_EQ(staffRoll(letter).phase, 2);
    staffRollFinished = 1;
    frames(400);
    EXPECT_EQ(staffRoll(letter).phase, 2);  // stays for good once the roll is over
    staffRollFinished = 0;
}

}  // namespace
