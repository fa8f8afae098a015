// The collision pass: who meets whom, strict integer overlap, both callbacks
// target first, the ground and air passes, and callbacks that change things
// while the pass runs.
#include "game/core/collision.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"

namespace {

// Every callback as "<tag>:<other's tag>".
std::vector<std::string> calls;

std::string tagText(uint32_t tag) {
    return {char(tag >> 24), char(tag >> 16), char(tag >> 8), char(tag)};
}

void record(ObjTask* task, ObjWork* work) {
    const ObjTask* other = objRefTask(work->lastCollider);
    calls.push_back(tagText(task->tag) + ":" + (other ? tagText(other->tag) : "?"));
}

void recordOnce(ObjTask* task, ObjWork* work) {
    record(task, work);
    work->hit = nullptr;
}

void freeWork(ObjTask* task) {
    OBJworkFree(task->work);
    task->work = nullptr;
}

ObjTask* collisionTestAdd(int group, const char (&tag)[5], float x, float y, const HitBox* boxes, int32_t count,
                          ObjWorkFn hit) {
    ObjTask* task = OBJtaskCreateTail(nullptr, group, objTag(tag));
    task->work = OBJworkNew();
    task->release = freeWork;
    task->work->x = x;
    task->work->y = y;
    task->work->hit = hit;
    task->work->hitBoxes = boxes;
    task->work->hitBoxCount = count;
    return task;
}

struct Body {
    HitBox boxes[2];
    int32_t count;
};

class CollisionTest : public ::testing::Test {
protected:
    void SetUp() override {
        OBJtaskPoolInit();
        calls.clear();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
    }

    ObjTask* add(int group, const char (&tag)[5], float x, float y, const HitBox* boxes, int32_t count,
                 ObjWorkFn hit = record) {
        return collisionTestAdd(group, tag, x, y, boxes, count, hit);
    }
};

constexpr HitBox kUnit{0.0f, 0.0f, 5.0f, 5.0f};  // 10 by 10 round the position

struct OverlapCase {
    const char* name;
    float targetX;
    float targetY;
    bool hit;
};

TEST_F(CollisionTest, StrictOverlapOfTruncatedRectangles) {
    const OverlapCase cases[] = {
        {"same place", 0.0f, 0.0f, true},
        {"right edge on left edge", 10.0f, 0.0f, false},
        {"bottom edge on top edge", 0.0f, 10.0f, false},
        {"one pixel in", 9.0f, 0.0f, true},
        {"9.9 truncates to 9 and its left to 4", 9.9f, 0.0f, true},
        {"10.9 truncates to the touching 5", 10.9f, 0.0f, false},
        {"left of the attacker, touching", -10.0f, 0.0f, false},
        {"truncation toward zero: -10.9 gives a right edge of -5", -10.9f, 0.0f, false},
        {"diagonal, corners touching", 10.0f, 10.0f, false},
    };
    for (const OverlapCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1);
        add(kGroupEnemies, "ZAKO", c.targetX, c.targetY, &kUnit, 1);
        OBJcollisionPass();
        EXPECT_EQ(calls.size(), c.hit ? 2u : 0u);
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(CollisionTest, TargetIsToldFirstAndEachKnowsTheOther) {
    add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 3.0f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ZAKO:SHOT", "SHOT:ZAKO"}));
}

TEST_F(CollisionTest, TwoTargetBoxesUnderOneAttackerBoxGiveTwoHits) {
    static constexpr HitBox kTwo[] = {{-2.0f, 0.0f, 3.0f, 3.0f}, {2.0f, 0.0f, 3.0f, 3.0f}};
    add(kGroupGunUnits, "GUNU", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemyShots, "ESHT", 0.0f, 0.0f, kTwo, 2);
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ESHT:GUNU", "GUNU:ESHT", "ESHT:GUNU", "GUNU:ESHT"}));
}

TEST_F(CollisionTest, AnAttackerThatClearsItsCallbackStopsInThatPair) {
    add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1, recordOnce);
    add(kGroupEnemies, "ZAKA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKB", 1.0f, 0.0f, &kUnit, 1);
    add(kGroupSpecialEnemyShots, "SPEC", 0.0f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    // The special shot comes first in the table; its hit ends the shot's tests.
    EXPECT_EQ(calls, (std::vector<std::string>{"SPEC:SHOT", "SHOT:SPEC"}));
}

TEST_F(CollisionTest, ATargetThatClearsItsCallbackIsHitOnce) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHTB", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1, recordOnce);
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ZAKO:SHTA", "SHTA:ZAKO"}));
}

struct GroundCase {
    const char* name;
    int32_t ground;
    int32_t groundHittable;
    int shotHits;  // callbacks from the fighter shot's two passes
    int fighterHits;
};

TEST_F(CollisionTest, GroundAndAirPasses) {
    const GroundCase cases[] = {
        {"airborne: pass 0 only", 0, 0, 2, 2},
        {"airborne and marked: still pass 0 only", 0, 1, 2, 2},
        {"on the ground: pass 1 only, the fighter flies over", 1, 0, 2, 0},
        {"on the ground, hittable: both passes and the fighter", 1, 1, 4, 2},
    };
    for (const GroundCase& c : cases) {
        SCOPED_TRACE(c.name);
        calls.clear();
        add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1);
        ObjTask* enemy = add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1);
        enemy->work->ground = c.ground;
        enemy->work->groundHittable = c.groundHittable;
        OBJcollisionPass();
        EXPECT_EQ(int(calls.size()), c.shotHits);
        OBJtaskReleaseAll(nullptr);

        calls.clear();
        add(kGroupFighter, "FIGH", 0.0f, 0.0f, &kUnit, 1);
        enemy = add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1);
        enemy->work->ground = c.ground;
        enemy->work->groundHittable = c.groundHittable;
        OBJcollisionPass();
        EXPECT_EQ(int(calls.size()), c.fighterHits);
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(CollisionTest, TheFighterPicksItemsUpWithTheSquareRoundItsCentre) {
    static constexpr HitBox kLarge{0.0f, 0.0f, 40.0f, 40.0f};
    static constexpr HitBox kItem{0.0f, 0.0f, 2.0f, 2.0f};
    add(kGroupFighter, "FIGH", 100.0f, 100.0f, &kLarge, 1);
    add(kGroupItems, "FARI", 130.0f, 100.0f, &kItem, 1);   // inside the large box only
    add(kGroupItems, "NEAR", 103.0f, 100.0f, &kItem, 1);   // 101..105 against 98..102
    add(kGroupItems, "EDGE", 104.0f, 100.0f, &kItem, 1);   // 102..106: touching
    add(kGroupEnemyShots, "ESHT", 130.0f, 100.0f, &kItem, 1);  // other targets see the whole box
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"NEAR:FIGH", "FIGH:NEAR", "ESHT:FIGH", "FIGH:ESHT"}));
}

TEST_F(CollisionTest, FighterRowsComeLastInTableOrder) {
    add(kGroupFighter, "FIGH", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupGunUnits, "GUNU", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupBombs, "BOMB", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemyShots, "ESHT", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupItems, "ITEM", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupSpecialEnemyShots, "SPEC", 0.0f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    std::vector<std::string> targets;
    for (size_t i = 0; i < calls.size(); i += 2) targets.push_back(calls[i]);
    const std::vector<std::string> want = {"SPEC:SHOT", "SPEC:GUNU", "ZAKO:SHOT", "ZAKO:BOMB", "ZAKO:GUNU",
                                           "ESHT:GUNU", "ITEM:FIGH", "ESHT:FIGH", "SPEC:FIGH", "ZAKO:FIGH"};
    EXPECT_EQ(targets, want);
}

// Callbacks that change their own object, or another one, while the pass runs.
// The other one is kept as every object keeps another: a reference resolved
// before each use.
ObjRef otherTarget;

void recordAndMoveAway(ObjTask* task, ObjWork* work) {
    record(task, work);
    work->x = 500.0f;
}

void recordAndMoveOther(ObjTask* task, ObjWork* work) {
    record(task, work);
    objRefWork(otherTarget)->x = 500.0f;
}

void recordAndDisarmOther(ObjTask* task, ObjWork* work) {
    record(task, work);
    objRefWork(otherTarget)->hit = nullptr;
}

TEST_F(CollisionTest, ATargetThatMovesItselfIsMetWhereItWent) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHTB", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHTC", 500.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1, recordAndMoveAway);
    OBJcollisionPass();
    const std::vector<std::string> want = {"ZAKO:SHTA", "SHTA:ZAKO", "ZAKO:SHTC", "SHTC:ZAKO"};
    EXPECT_EQ(calls, want);
}

TEST_F(CollisionTest, ATargetAnotherCallbackMovedOrDisarmedIsNotHitAtItsOldPlace) {
    for (ObjWorkFn change : {recordAndMoveOther, recordAndDisarmOther}) {
        calls.clear();
        add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
        add(kGroupEnemies, "ZAKA", 0.0f, 0.0f, &kUnit, 1, change);
        otherTarget = objRef(add(kGroupEnemies, "ZAKB", 0.0f, 0.0f, &kUnit, 1));
        OBJcollisionPass();
        EXPECT_EQ(calls, (std::vector<std::string>{"ZAKA:SHTA", "SHTA:ZAKA"}));
        OBJtaskReleaseAll(nullptr);
    }
}

TEST_F(CollisionTest, ATargetThatSwapsItsBoxesIsReadAfresh) {
    static constexpr HitBox kFar[] = {{500.0f, 0.0f, 5.0f, 5.0f}, {0.0f, 0.0f, 5.0f, 5.0f}};
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHTB", 500.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
        record(task, work);
        work->hitBoxes = kFar;
        work->hitBoxCount = 2;
    });
    OBJcollisionPass();
    // SHTA goes on with box 1 of the new array, at the old place; SHTB meets box 0.
    const std::vector<std::string> want = {"ZAKO:SHTA", "SHTA:ZAKO", "ZAKO:SHTA", "SHTA:ZAKO",
                                           "ZAKO:SHTB", "SHTB:ZAKO"};
    EXPECT_EQ(calls, want);
}


TEST_F(CollisionTest, ATargetACallbackAddsAtTheTailIsMetInTheSamePass) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKA", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
        record(task, work);
        work->hit = nullptr;
        collisionTestAdd(kGroupEnemies, "ZAKN", 2.0f, 0.0f, &kUnit, 1, record);
    });
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ZAKA:SHTA", "SHTA:ZAKA", "ZAKN:SHTA", "SHTA:ZAKN"}));
}

TEST_F(CollisionTest, ATargetACallbackMovesUnderTheAttackerIsMet) {
    for (bool sameAttacker : {true, false}) {
        SCOPED_TRACE(sameAttacker ? "moved under the attacker that hit" : "moved under the next attacker");
        calls.clear();
        add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1, sameAttacker ? record : recordOnce);
        if (!sameAttacker) add(kGroupFighterShots, "SHTB", 0.0f, 0.0f, &kUnit, 1);
        add(kGroupEnemies, "ZAKA", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
            record(task, work);
            work->hit = nullptr;
            objRefWork(otherTarget)->x = 1.0f;
        });
        otherTarget = objRef(add(kGroupEnemies, "ZAKB", 300.0f, 0.0f, &kUnit, 1));
        OBJcollisionPass();
        const char* attacker = sameAttacker ? "SHTA" : "SHTB";
        const std::vector<std::string> want = {"ZAKA:SHTA", "SHTA:ZAKA", std::string("ZAKB:") + attacker,
                                               std::string(attacker) + ":ZAKB"};
        EXPECT_EQ(calls, want);
        OBJtaskReleaseAll(nullptr);
    }
}

// A callback that reaches the rest of its group by walking it, as a bomb's
// blast might, and moves a target under the attacker.
TEST_F(CollisionTest, ATargetACallbackMovesThroughAGroupWalkIsMet) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKA", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
        record(task, work);
        work->hit = nullptr;
        OBJtaskWalk(kGroupEnemies, [](ObjTask* other) {
            if (other->tag == objTag("ZAKB")) other->work->x = 1.0f;
        });
    });
    add(kGroupEnemies, "ZAKB", 300.0f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ZAKA:SHTA", "SHTA:ZAKA", "ZAKB:SHTA", "SHTA:ZAKB"}));
}

// The attacker's callback reaches the target it hit through its last collider.
TEST_F(CollisionTest, ATargetTheAttackerMovedIsMetWhereItWent) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
        record(task, work);
        work->hit = nullptr;
        objRefWork(work->lastCollider)->x = 500.0f;
    });
    add(kGroupFighterShots, "SHTB", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupFighterShots, "SHTC", 500.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "ZAKO", 0.0f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    EXPECT_EQ(calls, (std::vector<std::string>{"ZAKO:SHTA", "SHTA:ZAKO", "ZAKO:SHTC", "SHTC:ZAKO"}));
}

TEST_F(CollisionTest, ATargetThatSplitsInItsCallbackHasBothPartsMetByTheNextShot) {
    add(kGroupFighterShots, "SHTA", 0.0f, 0.0f, &kUnit, 1, recordOnce);
    add(kGroupFighterShots, "SHTB", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "SPLT", 0.0f, 0.0f, &kUnit, 1, [](ObjTask* task, ObjWork* work) {
        // The whole leaves the field to its two parts.
        record(task, work);
        work->hit = nullptr;
        collisionTestAdd(kGroupEnemies, "PRTA", -3.0f, 0.0f, &kUnit, 1, record);
        collisionTestAdd(kGroupEnemies, "PRTB", 3.0f, 0.0f, &kUnit, 1, record);
    });
    OBJcollisionPass();
    const std::vector<std::string> want = {"SPLT:SHTA", "SHTA:SPLT", "PRTA:SHTB", "SHTB:PRTA",
                                           "PRTB:SHTB", "SHTB:PRTB"};
    EXPECT_EQ(calls, want);
}

TEST_F(CollisionTest, TheFighterPairKeepsTheNearestEnemyDistance) {
    OBJcollisionPass();
    EXPECT_EQ(nearestEnemyDistance, kNoEnemyDistance) << "no fighter, no enemy";
    add(kGroupFighter, "FIGH", 100.0f, 100.0f, &kUnit, 1);
    add(kGroupEnemies, "FARE", 110.0f, 0.0f, &kUnit, 1);    // 100 + 10 / 2
    add(kGroupEnemies, "NEAR", 130.0f, 140.0f, &kUnit, 1);  // 40 + 30 / 2
    ObjTask* ground = add(kGroupEnemies, "GRND", 100.0f, 150.0f, nullptr, 0, nullptr);  // 50
    ground->work->ground = 1;
    OBJcollisionPass();
    EXPECT_FLOAT_EQ(nearestEnemyDistance, 50.0f);
    ground->work->y = 120.0f;  // enemies without hit boxes or callbacks count too
    OBJcollisionPass();
    EXPECT_FLOAT_EQ(nearestEnemyDistance, 20.0f);
    OBJtaskReleaseAll(nullptr);
    add(kGroupFighter, "FIGH", 100.0f, 100.0f, &kUnit, 1);
    OBJcollisionPass();
    EXPECT_EQ(nearestEnemyDistance, kNoEnemyDistance) << "no enemy left";
}

TEST_F(CollisionTest, MissingBoxesCallbacksAndBrokenNumbersNeverHit) {
    add(kGroupFighterShots, "SHOT", 0.0f, 0.0f, &kUnit, 1);
    add(kGroupEnemies, "NOBX", 0.0f, 0.0f, nullptr, 3);
    add(kGroupEnemies, "ZERO", 0.0f, 0.0f, &kUnit, 0);
    add(kGroupEnemies, "NOHT", 0.0f, 0.0f, &kUnit, 1, nullptr);
    add(kGroupEnemies, "NANX", std::numeric_limits<float>::quiet_NaN(), 0.0f, &kUnit, 1);
    add(kGroupEnemies, "HUGE", 3.0e38f, 0.0f, &kUnit, 1);
    OBJcollisionPass();
    EXPECT_TRUE(calls.empty());

    calls.clear();
    add(kGroupEnemies, "GOOD", 0.0f, 0.0f, &kUnit, 1);
    ObjTask* shot = add(kGroupGunUnits, "GUNU", 0.0f, 0.0f, &kUnit, 1);
    OBJcollideWithGroup(shot, shot->work, kGroupEnemies, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"GOOD:GUNU", "GUNU:GOOD"}));
}

}  // namespace
