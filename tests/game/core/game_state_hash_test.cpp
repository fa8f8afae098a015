// The state hash counts what a reference resolves to, never the serials,
// which run on through the process: a play and its playback, or two plays
// in one process, make their records with other serials.
#include "game/core/game_state_hash.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "tests/game/core/obj_fixture.h"

namespace {

constexpr int kEnemyGroup = 7;

class GameStateHashTest : public ObjFixture {
protected:
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        ObjFixture::TearDown();
    }

    static ObjTask* makeEnemy() {
        ObjTask* task = OBJtaskCreate([](ObjTask*) {}, kEnemyGroup, objTag("ZAKO"));
        task->work = OBJworkNew();
        return task;
    }

    // A joining body and its two pieces, linked both ways (the right piece
    // lost when told); the state hash of the three.
    static uint64_t joinedPairHash(bool rightPieceLost) {
        ObjTask* body = makeEnemy();
        ObjTask* left = makeEnemy();
        ObjTask* right = makeEnemy();
        EnemyFields& b = enemy(body->work);
        b.joinPieces[0] = objRef(left);
        b.joinPieceSerials[0] = left->work->serial;
        if (!rightPieceLost) {
            b.joinPieces[1] = objRef(right);
            b.joinPieceSerials[1] = right->work->serial;
        }
        enemy(left->work).joinBody = objRef(body);
        enemy(right->work).joinBody = objRef(body);
        return gameStateHash();
    }

    // The pool made afresh, after records that moved the serials on.
    static void freshPoolLater() {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        for (int i = 0; i < 5; ++i) OBJworkFree(OBJworkNew());
    }
};

TEST_F(GameStateHashTest, AJoiningPairHashesAlikeWhateverItsSerials) {
    const uint64_t first = joinedPairHash(false);
    freshPoolLater();
    EXPECT_EQ(joinedPairHash(false), first);
}

TEST_F(GameStateHashTest, AJoiningBodyThatLostAPieceHashesOtherwise) {
    const uint64_t whole = joinedPairHash(false);
    freshPoolLater();
    EXPECT_NE(joinedPairHash(true), whole);
}

}  // namespace
