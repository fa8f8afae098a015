// Kind 1, the joining pair: the body and its pieces on the screen's edges,
// the join on the 66th closing frame, a lost piece, the fire by rank level
// and the bullet cancel of a powered kill.
#include <gtest/gtest.h>

#include <vector>

#include "game/core/draw_store.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/zako_small.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

class ZakoJoiningPairTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
        OBJsetFrameTable(spriteFrameTable);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        EnemyFixture::TearDown();
    }
    // Every enemy's act once, as the frame's pass runs them.
    static void runAll() {
        std::vector<ObjTask*> tasks;
        OBJtaskWalk(kEnemyGroup, [&](ObjTask* task) { tasks.push_back(task); });
        for (ObjTask* task : tasks) task->act(task);
    }
    static ObjWork* piece(ObjTask* body, int slot) { return objRefWork(enemy(body->work).joinPieces[slot]); }
    // The body's first frame at (40, y): x 112, its pieces made and placed.
    static ObjTask* spawnBody(float y) {
        ObjTask* body = enemySpawnKind(1, -1, 40.0f, y);
        runAll();
        return body;
    }
    static int32_t drawnFrame(ObjWork* work) {
        const int before = OBJdrawStoreCount();
        work->draw(nullptr, work);
        int32_t frame = -1;
        for (int i = before; i < OBJdrawStoreCount(); ++i) {
            if (OBJdrawStoreEntry(i)->frameId != 1754) frame = OBJdrawStoreEntry(i)->frameId;
        }
        return frame;
    }
    static std::vector<ObjWork*> shots() {
        std::vector<ObjWork*> out;
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [&](ObjTask* task) { out.push_back(task->work); });
        }
        return out;
    }
    static void clearShots() {
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [](ObjTask* task) { OBJtaskRelease(task); });
        }
    }
};

TEST_F(ZakoJoiningPairTest, TheBodyStandsAt112WithItsPiecesOnTheEdges) {
    eshotFixtureFighter(112.0f, 200.0f, false);
    ObjTask* body = spawnBody(20.0f);
    EXPECT_EQ(body->work->x, 112.0f);
    EXPECT_EQ(enemy(body->work).joinSpread, 10000);
    ASSERT_NE(piece(body, 0), nullptr);
    ASSERT_NE(piece(body, 1), nullptr);
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 3);
    runAll();
    for (int slot = 0; slot < 2; ++slot) {
        ObjWork* p = piece(body, slot);
        EXPECT_EQ(p->kind, 1);
        EXPECT_EQ(enemy(p).joinIndex, slot + 1);
        EXPECT_EQ(p->x, slot == 0 ? 12.0f : 212.0f);
        EXPECT_EQ(p->y, body->work->y);
        EXPECT_EQ(p->hitBoxCount, 1);
        EXPECT_EQ(drawnFrame(p), slot == 0 ? 5624 : 5625);
        EXPECT_EQ(objRefWork(enemy(p).joinBody), body->work);
    }
    EXPECT_FLOAT_EQ(body->work->y, 20.0f + 2.8f);
    EXPECT_EQ(body->work->hitBoxCount, 0);
    EXPECT_EQ(drawnFrame(body->work), -1);
}

TEST_F(ZakoJoiningPairTest, BothPiecesJoinOnThe66thClosingFrame) {
    eshotFixtureFighter(112.0f, 60.0f, false);
    ObjTask* body = spawnBody(20.0f);
    EnemyFields& e = enemy(body->work);
    int closing = 0;
    for (int frame = 0; frame < 200 && e.phase != 2; ++frame) {
        const int32_t spread = e.joinSpread;
        runAll();
        closing += e.joinSpread < spread;
        if (e.phase != 2) {
            EXPECT_EQ(body->work->hitBoxCount, 0);
        }
    }
    ASSERT_EQ(e.phase, 2);
    EXPECT_EQ(closing, 66);
    EXPECT_EQ(e.joinSpread, 760);
    EXPECT_FLOAT_EQ(piece(body, 0)->x, 112.0f - 7.6f);
    EXPECT_FLOAT_EQ(piece(body, 1)->x, 112.0f + 7.6f);
    const float y = body->work->y;
    runAll();
    runAll();
    EXPECT_EQ(piece(body, 0), nullptr);
    EXPECT_EQ(piece(body, 1), nullptr);
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 1);
    EXPECT_EQ(body->work->hitBoxCount, 1);
    EXPECT_FLOAT_EQ(body->work->y, y + 2.8f);
    EXPECT_EQ(drawnFrame(body->work), 5623);
    EXPECT_EQ(e.shotsPerVolley, 1);
    EXPECT_EQ(e.volleyPause, 72);
}

TEST_F(ZakoJoiningPairTest, ALostPieceLetsTheOtherSlideOffAndTheBodyEndsUnseen) {
    eshotFixtureFighter(112.0f, 60.0f, false);
    ObjTask* body = spawnBody(20.0f);
    runAll();
    ObjWork* left = piece(body, 0);
    ObjTask* leftTask = objRefTask(enemy(body->work).joinPieces[0]);
    enemy(left).offscreenTimer = 0;
    enemy(left).hp = 1;
    hit(leftTask, 6, 10);
    ASSERT_EQ(left->lifeState, 3);
    EXPECT_EQ(piece(body, 0), nullptr);
    EXPECT_NE(enemy(body->work).joinPieceSerials[0], 0u);
    ObjWork* right = piece(body, 1);
    float lowest = right->x;
    int frames = 0;
    while (body->state == kObjStateRun && frames < 400) {
        if (piece(body, 1) != nullptr) lowest = std::min(lowest, piece(body, 1)->x);
        runAll();
        ++frames;
    }
    EXPECT_EQ(body->state, kObjStateEnd);
    EXPECT_LT(lowest, 0.0f);
    EXPECT_NE(body->work->lifeState, 3);  // it never died: no explosion, no score
    EXPECT_NE(enemy(body->work).phase, 2);
}

TEST_F(ZakoJoiningPairTest, FireByRankLevel) {
    struct Case {
        int32_t level;
        int32_t pieceType, pieceCount;
        float pieceSpeed;
        int32_t bodyCount;
        float bodySpeed;
    };
    const std::vector<Case> cases = {
        {0, 158, 1, 1.2f, 3, 1.2f}, {1, 133, 1, 1.2f, 3, 2.5f}, {2, 133, 1, 2.5f, 5, 2.5f}, {3, 133, 3, 2.5f, 7, 2.5f}};
    eshotFixtureFighter(112.0f, 200.0f, false);
    for (const Case& c : cases) {
        gameMode = c.level;
        ObjTask* body = spawnBody(20.0f);
        for (int slot = 0; slot < 2; ++slot) {
            clearShots();
            ObjTask* p = objRefTask(enemy(body->work).joinPieces[slot]);
            TSKzako01Attack(p, p->work);
            const std::vector<ObjWork*> got = shots();
            ASSERT_EQ(int32_t(got.size()), c.pieceCount) << c.level;
            EXPECT_EQ(got[0]->kind, c.pieceType);
            EXPECT_FLOAT_EQ(got[0]->speed, c.pieceSpeed);
            if (c.pieceCount == 1) {
                EXPECT_EQ(got[0]->heading, slot == 0 ? 256 : 768);
            }
        }
        clearShots();
        TSKzako01Attack(body, body->work);
        EXPECT_TRUE(shots().empty()) << "the unjoined body fires nothing";
        enemy(body->work).phase = 2;
        ObjTask* p = objRefTask(enemy(body->work).joinPieces[0]);
        TSKzako01Attack(p, p->work);
        EXPECT_TRUE(shots().empty()) << "a piece fires only while its body descends";
        TSKzako01Attack(body, body->work);
        const std::vector<ObjWork*> got = shots();
        ASSERT_EQ(int32_t(got.size()), c.bodyCount) << c.level;
        EXPECT_EQ(got[0]->kind, 139);
        EXPECT_FLOAT_EQ(got[0]->speed, c.bodySpeed);
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureFighter(112.0f, 200.0f, false);
    }
}

TEST_F(ZakoJoiningPairTest, APoweredKillCancelsThePiecesBullets) {
    eshotFixtureFighter(112.0f, 60.0f, true);
    ObjTask* body = spawnBody(20.0f);
    const uint32_t serials[2] = {piece(body, 0)->serial, piece(body, 1)->serial};
    for (int i = 0; i < 200 && enemy(body->work).phase != 2; ++i) runAll();
    runAll();
    runAll();
    ASSERT_EQ(piece(body, 0), nullptr);
    EXPECT_EQ(enemy(body->work).joinPieceSerials[0], serials[0]);
    EXPECT_EQ(enemy(body->work).joinPieceSerials[1], serials[1]);
    eshotCancelClear();
    enemy(body->work).offscreenTimer = 0;
    enemy(body->work).hp = 1;
    hit(body, 6, 10);
    ASSERT_EQ(body->work->lifeState, 3);
    std::vector<uint32_t> owners;
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) {
        if (slot.ownerSerial != kEshotCancelFree) owners.push_back(slot.ownerSerial);
    }
    ASSERT_GE(owners.size(), 2u);
    EXPECT_EQ(owners[owners.size() - 2], serials[0]);
    EXPECT_EQ(owners[owners.size() - 1], serials[1]);
    EXPECT_GE(eshotCancelQueue.countdown, 4);
}

TEST_F(ZakoJoiningPairTest, APieceNeverMadeCancelsNothing) {
    eshotFixtureFighter(112.0f, 60.0f, true);
    ObjTask* body = enemySpawnKind(1, -1, 40.0f, 20.0f);
    enemy(body->work).phase = 2;
    enemy(body->work).firstFrameSeen = 1;
    enemy(body->work).offscreenTimer = 0;
    enemy(body->work).hp = 1;
    body->work->lifeState = 1;
    eshotCancelClear();
    hit(body, 6, 10);
    ASSERT_EQ(body->work->lifeState, 3);
    for (const EshotCancelSlot& slot : eshotCancelQueue.slots) {
        EXPECT_NE(slot.ownerSerial, 0u) << "owner 0 would cancel every shot";
    }
}

TEST_F(ZakoJoiningPairTest, APieceThatGetsNoRecordIsSkipped) {
    eshotFixtureFighter(112.0f, 60.0f, false);
    ObjTask* body = enemySpawnKind(1, -1, 40.0f, 20.0f);
    std::vector<ObjWork*> taken;
    while (ObjWork* work = OBJworkNew()) taken.push_back(work);
    OBJworkFree(taken.back());
    taken.pop_back();
    runAll();
    for (ObjWork* work : taken) OBJworkFree(work);
    EXPECT_NE(piece(body, 0), nullptr);
    EXPECT_EQ(piece(body, 1), nullptr);
    EXPECT_EQ(enemy(body->work).joinPieceSerials[1], 0u);
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 2) << "no task is left without its record";
    for (int i = 0; i < 5; ++i) runAll();
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 2);
    EXPECT_EQ(body->state, kObjStateRun);
}

TEST_F(ZakoJoiningPairTest, UnderABossTheBodyEndsWithoutPieces) {
    eshotFixtureFighter(112.0f, 60.0f, false);
    bossPresentFlag = 1;
    ObjTask* body = spawnBody(20.0f);
    EXPECT_EQ(body->state, kObjStateEnd);
    runAll();
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 0);
}

}  // namespace
