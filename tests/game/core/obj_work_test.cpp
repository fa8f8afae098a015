#include "game/core/obj_work.h"

#include <vector>

#include "game/core/obj_ref.h"
#include "tests/game/core/obj_fixture.h"

namespace {

class ObjWorkTest : public ObjFixture {};

TEST_F(ObjWorkTest, NewRecordsTakeConsecutiveSerialsAndInitTakesOneToo) {
    ObjWork* a = OBJworkNew();
    ObjWork* b = OBJworkNew();
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->serial, a->serial + 1);
    ObjWork own;
    OBJworkInit(&own);
    EXPECT_EQ(own.serial, b->serial + 1);
    OBJworkInit(nullptr);
    EXPECT_EQ(OBJworkNextSerial(), own.serial + 1);
    OBJworkFree(a);
    OBJworkFree(b);
}

TEST_F(ObjWorkTest, NoRecordHasSerialZero) {
    // 0 is "no object": the bullet cancel reads an owner of 0 as every shot.
    EXPECT_GE(OBJworkNextSerial(), 1u);
    ObjWork* work = OBJworkNew();
    EXPECT_NE(work->serial, 0u);
    OBJworkFree(work);
}

TEST_F(ObjWorkTest, ASecondFreeOfTheSameRecordDoesNothing) {
    ObjWork* work = OBJworkNew();
    OBJworkFree(work);
    OBJworkFree(work);
    ObjWork* first = OBJworkNew();
    ObjWork* second = OBJworkNew();
    EXPECT_EQ(first, work);
    EXPECT_NE(second, work) << "the record went back to the pool twice and has two owners";
    EXPECT_NE(first->serial, second->serial);
    OBJworkFree(first);
    OBJworkFree(second);
}

TEST_F(ObjWorkTest, FamilyViewsShareTheZeroedWordsAndHoldValuesOnly) {
    ObjWork* work = OBJworkNew();
    for (int32_t word : work->family.words) ASSERT_EQ(word, 0);
    enemy(work).aimSlots[kEnemyAimSlots - 1].param = 7;
    enemy(work).partLink[kEnemyParts - 1] = ObjRef{3, 9};
    enemy(work).score = 0x123456789ull;
    EXPECT_EQ(enemy(work).aimSlots[kEnemyAimSlots - 1].param, 7);
    EXPECT_EQ(enemy(work).score, 0x123456789ull);
    fighter(work).history[9] = {1.0f, 2.0f};
    EXPECT_EQ(fighter(work).history[9].y, 2.0f);
    shot(work).parentSerial = -1;
    effect(work).additive = 1;
    item(work).anchor = {5.0f, 6.0f};
    EXPECT_EQ(item(work).anchor.x, 5.0f);
    OBJworkFree(work);
}

TEST_F(ObjWorkTest, NewRecordDrawsIsNotCollidableHasNoSlotsAndIsWhite) {
    ObjWork* work = OBJworkNew();
    EXPECT_EQ(work->visible, 1);
    EXPECT_EQ(work->hit, nullptr);
    EXPECT_EQ(work->motionSlot0, -1);
    EXPECT_EQ(work->motionSlot1, -1);
    EXPECT_EQ(work->scaleX, 1.0f);
    EXPECT_EQ(work->scaleY, 1.0f);
    EXPECT_EQ(work->alpha, 1.0f);
    EXPECT_EQ((std::array<int, 4>{work->r, work->g, work->b, work->a}), (std::array<int, 4>{255, 255, 255, 255}));
    EXPECT_EQ(work->enemyTimer, 7200);
    EXPECT_EQ(work->family.words[kObjWorkFamilyWords - 1], 0);
    OBJworkFree(work);
}

std::vector<int32_t> releasedSlots;

TEST_F(ObjWorkTest, FreeReleasesItsSlotsAndResetsOnlyItsOwnDrawEntries) {
    releasedSlots.clear();
    objMotionSlotRelease = [](int32_t slot) { releasedSlots.push_back(slot); };
    ObjWork* mine = OBJworkNew();
    ObjWork* other = OBJworkNew();
    mine->motionSlot0 = 4;
    mine->motionSlot1 = 9;
    for (int i = 0; i < 3; ++i) {
        OBJdrawSprite(mine, 1, 50, 50, 10, 1, 1, 0, 1, 7);
        OBJdrawSprite(other, 1, 50, 50, 10, 1, 1, 0, 1, 7);
    }
    OBJworkFree(mine);
    objMotionSlotRelease = nullptr;
    EXPECT_EQ(releasedSlots, (std::vector<int32_t>{4, 9}));
    ASSERT_EQ(OBJdrawStoreCount(), 6);
    for (int i = 0; i < 6; ++i) {
        const DrawObj* entry = OBJdrawStoreEntry(i);
        if (i % 2 == 0) {
            EXPECT_EQ(entry->owner, nullptr);
            EXPECT_EQ(entry->type, kDrawNone);
        } else {
            EXPECT_EQ(entry->owner, other);
            EXPECT_EQ(entry->type, kDrawSprite);
        }
    }
    OBJworkFree(other);
}

TEST_F(ObjWorkTest, SetFramesMarksTheRowsOnTheFirstRowsSheet) {
    ObjWork* work = OBJworkNew();
    OBJworkSetFrames(work, 1, 0);
    EXPECT_EQ(work->frameCount, 0);
    EXPECT_NE(work->frameSheets, nullptr);
    OBJworkSetFrames(work, 2, 3);
    EXPECT_EQ(work->frameTable, &kTestFrames[2]);
    EXPECT_EQ(work->frameCount, 3);
    EXPECT_EQ((std::vector<int>(work->sameSheet, work->sameSheet + 3)), (std::vector<int>{1, 1, 0}));
    EXPECT_EQ((std::vector<int>(work->frameSheets, work->frameSheets + 3)), (std::vector<int>{4, 4, 5}));
    // Never past the table's end.
    OBJworkSetFrames(work, 4, 10);
    EXPECT_EQ(work->frameCount, 2);
    OBJworkFree(work);
}

TEST_F(ObjWorkTest, FrameRectAndInfoReadTheRow) {
    const FrameRect rect = OBJgetFrameRect(1);
    EXPECT_EQ((std::array<int, 4>{rect.x, rect.y, rect.w, rect.h}), (std::array<int, 4>{8, 16, 20, 10}));
    EXPECT_EQ(OBJgetFrameRect(5).w, 0xFFF8);
    EXPECT_EQ(OBJgetFrameInfo(1).pivotX, 1.0f);
    EXPECT_EQ(OBJgetFrameInfo(1).pivotY, -1.0f);
    EXPECT_EQ(OBJgetFrameRect(99999).w, 0);
}

TEST_F(ObjWorkTest, ReferenceResolvesToNullOnceTheObjectIsReleasedOrItsRecordReused) {
    auto release = [](ObjTask* task) {
        OBJworkFree(task->work);
        task->work = nullptr;
    };
    ObjTask* target = OBJtaskCreate([](ObjTask*) {}, 7, objTag("ZAKO"));
    target->work = OBJworkNew();
    target->release = release;
    const ObjRef ref = objRef(target);
    EXPECT_EQ(objRefTask(ref), target);
    EXPECT_EQ(objRefWork(ref), target->work);
    OBJtaskRelease(target);
    EXPECT_EQ(objRefWork(ref), nullptr);
    ObjTask* reuse = OBJtaskCreate([](ObjTask*) {}, 7, objTag("ZAKO"));
    ASSERT_EQ(reuse, target);
    reuse->work = OBJworkNew();
    reuse->release = release;
    EXPECT_EQ(objRefTask(ref), nullptr);
    EXPECT_EQ(objRefWork(ObjRef{}), nullptr);
    EXPECT_EQ(objRefWork(objRef(reuse)), reuse->work);
    OBJtaskRelease(reuse);
}

}  // namespace
