// The staff roll's mini-game: scoring, the gauge and the partners, the
// character's flight, and the whole scene with its collisions.
#include <gtest/gtest.h>

#include "game/core/game_main.h"
#include "tests/game/frontend/staff_roll/staff_roll_fixture.h"

namespace {

class StaffRollGameScoring : public StaffRollFixture {
protected:
    void SetUp() override {
        StaffRollFixture::SetUp();
        staffRollScore = 0;
        staffRollGauge = staffRollPartners = staffRollMultiplierTime = 0;
        staffRollMultiplier = 1;
        staffRollFinished = 0;
        staffRollStarted = 1;
        staffRollPage = 0;
        staffRollTargetsLeft = 0;
    }
    // A character standing where the letters are hit from.
    ObjTask* character() {
        ObjTask* t = OBJtaskCreateSetUp(staffRollCharacterAct, 9, objTag("FIGH"));
        t->work->x = 112.0f;
        t->work->y = 150.0f;
        return t;
    }
    // The character's touch of the letter, as the collision pass tells it.
    static void touch(ObjWork* letter, ObjTask* by) {
        letter->lastCollider = objRef(by);
        staffRollLetterHit(nullptr, letter);
    }
};

struct ScoringCase {
    const char* name;
    int32_t target;
    int32_t page;
    int32_t targetsBefore;  // targets already standing besides this letter
    int32_t multiplier, multiplierTime;
    uint64_t score;
    int32_t gauge;
    int32_t targetsAfter;
};

TEST_F(StaffRollGameScoring, WhatAHitScores) {
    const ScoringCase cases[] = {
        {"a target at multiplier 4", 1, 0, 1, 4, 100, 880, 1, 1},
        {"the multiplier without its time", 1, 0, 1, 4, 0, 220, 1, 1},
        {"the last target of page 6", 1, 6, 0, 1, 0, 2413 + 220, 11, 0},
        {"the last target of page 2", 1, 2, 0, 1, 0, 5000 + 220, 11, 0},
        {"the last target of page 6 at multiplier 2", 1, 6, 0, 2, 10, 2 * 2413 + 440, 11, 0},
        {"a decoration letter", 0, 0, 0, 3, 50, 66, 0, 0},
    };
    for (const ScoringCase& c : cases) {
        SCOPED_TRACE(c.name);
        OBJtaskReleaseAll(nullptr);
        staffRollScore = 0;
        staffRollGauge = 0;
        staffRollPage = c.page;
        staffRollTargetsLeft = c.targetsBefore;
        staffRollMultiplier = c.multiplier;
        staffRollMultiplierTime = c.multiplierTime;
        scorePopupTimer = 0;
        staffRollSpawnLine("\xE3\x82\xA2", 112.0f, 46.0f, 1.0f, 255, 255, 255, c.target, 0, 22);
        ObjWork* letter = works(7).front();
        touch(letter, character());
        EXPECT_EQ(staffRollScore, c.score);
        EXPECT_EQ(staffRollGauge, c.gauge);
        EXPECT_EQ(staffRollTargetsLeft, c.targetsAfter);
        // The bonus's popup holds back the points' one.
        EXPECT_EQ(countTag(objTag("SPLT")), 1);
    }
}

TEST_F(StaffRollGameScoring, ATargetBreaksIntoAnEffectAndGoes) {
    staffRollSpawnLine("\xE3\x82\xA2", 112.0f, 46.0f, 1.0f, 255, 255, 255, 1, 0, 22);
    ObjWork* letter = works(7).front();
    touch(letter, character());
    EXPECT_EQ(countTag(objTag("EFCT")), 1);
    EXPECT_EQ(letter->hit, nullptr);
    frame();
    EXPECT_EQ(works(7).size(), 0u);
}

TEST_F(StaffRollGameScoring, ADecorationLetterStaysAndCountsAgainOnlyAfter4Frames) {
    staffRollSpawnLine("\xE3\x82\xA2", 112.0f, 46.0f, 1.0f, 255, 255, 255, 0, 0, 22);
    ObjWork* letter = works(7).front();
    ObjTask* by = character();
    touch(letter, by);
    EXPECT_EQ(staffRollScore, 22u);
    for (int f = 0; f < 3; ++f) {
        frame();
        touch(letter, by);
    }
    EXPECT_EQ(staffRollScore, 22u);
    frame();
    touch(letter, by);
    EXPECT_EQ(staffRollScore, 44u);
    EXPECT_EQ(works(7).size(), 1u);
}

TEST_F(StaffRollGameScoring, AfterFourPartnersTheGaugeStays0AndTheMultiplier5) {
    for (int call = 1; call <= 4; ++call) {
        staffRollGaugeAdd(kStaffRollGaugeFull);
        EXPECT_EQ(staffRollGauge, kStaffRollGaugeFull);
        padPressed = kRollButtonOne;
        staffRollGameFrame();
        padPressed = 0;
        EXPECT_EQ(staffRollPartners, call);
        EXPECT_EQ(staffRollGauge, 0);
        EXPECT_EQ(staffRollMultiplier, 1 + call);
        EXPECT_EQ(staffRollMultiplierTime, kStaffRollMultiplierFrames - 1);
    }
    EXPECT_EQ(countTag(objTag("ESHT")), 4);
    staffRollGaugeAdd(kStaffRollGaugeFull);
    staffRollGaugeAdd(10);
    EXPECT_EQ(staffRollGauge, 0);
    padPressed = kRollButtonOne;
    staffRollGameFrame();
    padPressed = 0;
    EXPECT_EQ(staffRollMultiplier, 5);
    EXPECT_EQ(countTag(objTag("ESHT")), 4);
}

TEST_F(StaffRollGameScoring, TheGaugeFillsPast149AndTheLevelFollowsTheScore) {
    staffRollGauge = 145;
    staffRollGaugeAdd(4);
    EXPECT_EQ(staffRollGauge, 149);
    staffRollGaugeAdd(1);
    EXPECT_EQ(staffRollGauge, 150);
    EXPECT_TRUE(played(37));
    staffRollScore = 45000;
    staffRollGameFrame();
    EXPECT_EQ(staffRollLevel, 2);
    staffRollScore = 999999;
    staffRollGameFrame();
    EXPECT_EQ(staffRollLevel, 10);
}

class StaffRollGameCharacter : public StaffRollFixture {
protected:
    void SetUp() override {
        StaffRollFixture::SetUp();
        staffRollFinished = 0;
        body = OBJtaskCreateSetUp(staffRollCharacterAct, 9, objTag("FIGH"));
        ASSERT_NE(body, nullptr);
    }
    void TearDown() override {
        staffRollFinished = 0;
        StaffRollFixture::TearDown();
    }
    StaffRollFields& f() { return staffRoll(body->work); }
    ObjWork* w() { return body->work; }
    ObjTask* body = nullptr;
};

TEST_F(StaffRollGameCharacter, ThrustAndGravity) {
    EXPECT_EQ(w()->y, -30.0f);
    frame();
    EXPECT_EQ(w()->y, 16.0f);  // held under the top before the end
    EXPECT_EQ(f().vy, 0);
    frame();
    EXPECT_EQ(f().vy, 98);
    frame(0, kRollUp);
    EXPECT_EQ(f().vy, 98 - 40 + 98);
    w()->y = 150.0f;
    f().vy = -5000;
    frame(0, 0x02);  // down dives while rising fast
    EXPECT_EQ(f().vy, -5000 + 50 + 98);
    const float x = w()->x;
    frame(0, 0x04);
    EXPECT_EQ(w()->x, x - 2.0f);
    EXPECT_EQ(f().facing, 1);
}

TEST_F(StaffRollGameCharacter, TheSideEdgesTurnTheKnockBack) {
    w()->x = 207.0f;
    w()->y = 100.0f;
    f().vx = 5000;
    frame();
    EXPECT_EQ(w()->x, 208.0f);
    EXPECT_EQ(f().vx, -(5000 - 98));
    w()->x = 17.0f;
    f().vx = -5000;
    frame();
    EXPECT_EQ(w()->x, 16.0f);
    EXPECT_EQ(f().vx, 5000 - 98);
}

TEST_F(StaffRollGameCharacter, ItBouncesAt272) {
    w()->y = 270.0f;
    f().vy = 5000;
    frame();
    EXPECT_EQ(w()->y, 272.0f);
    EXPECT_EQ(f().vy, -6000);
    EXPECT_EQ(f().landed, 0);
}

TEST_F(StaffRollGameCharacter, AfterTheEndItLeavesUpwards) {
    staffRollFinished = 1;
    w()->y = 270.0f;
    f().vy = 5000;
    frame(0, 0x04);  // input no longer counts
    EXPECT_EQ(w()->x, 112.0f);
    EXPECT_EQ(f().vy, -3000);
    EXPECT_EQ(f().landed, 1);
    frame();
    EXPECT_EQ(f().vy, -3000);  // landed: no gravity while rising
    EXPECT_EQ(w()->y, 269.0f);
    EXPECT_EQ(w()->spriteBase, 1610);
    frames(100);
    EXPECT_EQ(OBJtaskCountByTag(9, objTag("FIGH")), 0);
}

TEST_F(StaffRollGameCharacter, APartnerKnocksItBackAndStunsIt) {
    staffRollGauge = 0;
    staffRollPartners = 0;
    staffRollPartnerCreate(1);
    ObjTask* partner = nullptr;
    OBJtaskWalk(11, [&partner](ObjTask* t) { partner = t; });
    ASSERT_NE(partner, nullptr);
    partner->work->x = w()->x + 5.0f;
    w()->lastCollider = objRef(partner);
    staffRollCharacterHit(body, w());
    EXPECT_EQ(f().vx, -12000);
    EXPECT_EQ(f().vy, -7000);
    EXPECT_EQ(f().stun, 120);
    EXPECT_EQ(staffRollGauge, 3);
    EXPECT_EQ(countTag(objTag("EFCT")), 5);
}

class StaffRollGameScene : public StaffRollFixture {};

constexpr uint32_t kRollObjectTags[] = {objTag("ZAKO"), objTag("FIGH"), objTag("EFCT"), objTag("SPLT"),
                                        objTag("ESHT")};

TEST_F(StaffRollGameScene, BeforeJoiningNoLetterCanBeHit) {
    startRoll();
    runToPages();
    frames(60);
    EXPECT_EQ(works(7).size(), 3u);
    EXPECT_EQ(countTag(objTag("FIGH")), 0);
    EXPECT_EQ(staffRollScore, 0u);
    EXPECT_EQ(staffRollTargetsLeft, 3);
}

TEST_F(StaffRollGameScene, AJoinedCharacterBreaksLettersThroughTheCollisionPass) {
    startRoll();
    runToPages();
    frames(60);
    frame(kRollButtonOne);
    EXPECT_EQ(staffRollStarted, 1);
    ObjTask* body = nullptr;
    OBJtaskWalk(9, [&body](ObjTask* t) { body = t; });
    ASSERT_NE(body, nullptr);
    ObjWork* letter = works(7).front();
    body->work->x = letter->x;
    body->work->y = letter->y + 4.0f;
    staffRoll(body->work).vy = -500;
    frame();
    EXPECT_EQ(staffRollScore, 220u);
    EXPECT_EQ(staffRollTargetsLeft, 2);
    EXPECT_EQ(staffRollGauge, 1);
    EXPECT_EQ(staffRoll(body->work).vy, 500 - 98);  // rose into it, turned back down
}

TEST_F(StaffRollGameScene, AtItsEndTheSceneReleasesItsObjects) {
    startRoll();
    runToPages();
    frame(kRollButtonOne);
    staffRollGaugeAdd(kStaffRollGaugeFull);
    frame(kRollButtonOne);
    staffRollSpawnLine("\xE3\x82\xA2", 112.0f, 100.0f, 1.0f, 255, 255, 255, 1, 0, 22);
    ObjTask* body = nullptr;
    OBJtaskWalk(9, [&body](ObjTask* t) { body = t; });
    ASSERT_NE(body, nullptr);
    ObjWork* letter = works(7).back();
    letter->lastCollider = objRef(body);
    scorePopupTimer = 0;
    staffRollLetterHit(nullptr, letter);
    for (uint32_t tag : kRollObjectTags) EXPECT_GT(countTag(tag), 0) << tag;
    frame(kRollReturn);
    runToEnd();
    for (uint32_t tag : kRollObjectTags) EXPECT_EQ(countTag(tag), 0) << tag;
    EXPECT_EQ(menuResultCode, 3);
}

TEST_F(StaffRollGameScene, TheHeadUpDisplayShowsScoreTimeAndMultiplier) {
    startRoll();
    runToPages();
    frame(kRollButtonOne);
    staffRollScore = 1234;
    staffRollMultiplier = 2;
    staffRollMultiplierTime = 125;
    padPressed = 0;
    OBJdrawRequestsClear();
    staffRollHudDraw(rollTask, rollTask->work);
    std::vector<std::string> texts;
    for (int i = 0; i < OBJdrawRequestCount(); ++i) {
        const DrawObj* e = OBJdrawStoreEntry(i);
        if (e->text) texts.emplace_back(e->text);
    }
    const std::vector<std::string> expected = {"        1234", "HI        1234", "TIME 2:080", "x2"};
    EXPECT_EQ(texts, expected);
    OBJdrawRequestsClear();
}

}  // namespace
