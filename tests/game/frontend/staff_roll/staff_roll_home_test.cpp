// The staff roll as a new player at home finds it: CREDIT on the main menu,
// every frame through the game main update (act passes, collision pass,
// draws), the generated pages flying in, joining, a partner, the closing
// page and the way back to the main menu with the hi-score in "save.dat".
#include <string>

#include "game/core/game_main.h"
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/staff_roll/staff_roll_pages.h"
#include "game/records/save_block.h"
#include "game/stages/rank_carriers.h"
#include "tests/game/core/sequence_fixture.h"

namespace {

constexpr int32_t kMainMenuWait = 2102;
constexpr int32_t kStaffRollWait = 2192;
constexpr int32_t kCreditRow = 6;

class StaffRollHomePlay : public SequenceTest {
protected:
    void SetUp() override {
        SequenceTest::SetUp();
        arcadeMode = false;
        mainMenuCursor = 0;
        saveBlock() = SaveBlock{};
    }
    bool homeFrame() {
        coinFlag = 0;
        SDL2_wheel_APMUpdate(kFrameMicroseconds, attractMode);
        const bool goOn = gameMainUpdate(true);
        flushDraws();
        if (sequence->state != visited.back()) visited.push_back(sequence->state);
        return goOn;
    }
    bool homeRunTo(int32_t state, int limit = 600) {
        for (int i = 0; i < limit && sequence->state != state; ++i) homeFrame();
        return sequence->state == state;
    }
    void tap(const char* button, int times = 1) {
        for (int i = 0; i < times; ++i) {
            script(std::string("+1 tap ") + button);
            for (int f = 0; f < 3; ++f) homeFrame();
        }
    }
    void homeLogin() {
        for (int32_t screen : {0, 2, 15}) {
            bool shown = false;
            for (int i = 0; i < 200 && !shown; ++i) {
                homeFrame();
                shown = titleAt(screen);
            }
            ASSERT_TRUE(shown) << "the title never showed login screen " << screen;
            tap("button1");
        }
    }
    static ObjTask* roll() {
        ObjTask* found = nullptr;
        OBJtaskWalk(13, [&found](ObjTask* t) {
            if (t->act == TSKstaffRoll) found = t;
        });
        return found;
    }
    static int letters() { return OBJtaskCountByTag(7, objTag("ZAKO")); }
};

TEST_F(StaffRollHomePlay, CreditRollsThePagesAndKeepsABetterScore) {
    boot();
    ASSERT_TRUE(homeRunTo(201, 1000));
    homeLogin();
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 60));
    for (int f = 0; f < 12; ++f) homeFrame();
    tap("down", kCreditRow);
    tap("button1");
    ASSERT_TRUE(homeRunTo(kStaffRollWait, 120));
    ASSERT_NE(roll(), nullptr);

    // The first page's letters fly in from the right and come to rest.
    EXPECT_GT(letters(), 0);
    for (int f = 0; f < 60; ++f) homeFrame();
    EXPECT_EQ(staffRollPage, 0);
    EXPECT_GT(staffRollTargetsLeft, 0);

    // Button 1 joins; the character falls in and bounces under the pad.
    tap("button1");
    EXPECT_EQ(staffRollStarted, 1);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 1);
    // The play's rank step reads only the play fighter, never the character.
    rankCounter = 7;
    for (int f = 0; f < 120; ++f) homeFrame();
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 1);
    EXPECT_EQ(rankCounter, 7);
    rankCounter = 0;

    // The next page comes on its clock.
    for (int f = 0; f < kStaffRollPageFrames && staffRollPage == 0; ++f) homeFrame();
    EXPECT_EQ(staffRollPage, 1);

    // A full gauge calls a partner and raises the multiplier.
    staffRollGaugeAdd(kStaffRollGaugeFull);
    tap("button1");
    EXPECT_EQ(staffRollPartners, 1);
    EXPECT_EQ(staffRollMultiplier, 2);
    EXPECT_EQ(OBJtaskCountByTag(11, objTag("ESHT")), 2);

    // After page 27 the closing page shows the score; button 1 leaves.
    staffRollScore = 4321;
    staffRoll(roll()->work).pageIndex = kStaffRollCreditPages - 1;
    staffRoll(roll()->work).pageTimer = kStaffRollPageFrames;
    homeFrame();
    EXPECT_EQ(staffRollFinished, 1);
    EXPECT_EQ(staffRollPage, kStaffRollPlayedPage);
    for (int f = 0; f < 30; ++f) homeFrame();
    tap("button1");
    ASSERT_TRUE(homeRunTo(kMainMenuWait, 200));
    EXPECT_TRUE(visitedInOrder({2190, kStaffRollWait, 2100, kMainMenuWait}));
    EXPECT_EQ(letters(), 0);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);

    saveBlock() = SaveBlock{};
    ASSERT_EQ(saveDataRead(makeAppRootPath(kSaveDataFile)), kSaveBlockWords);
    EXPECT_EQ(saveBlock().staffRollHighScore, 4321u);
}

}  // namespace
