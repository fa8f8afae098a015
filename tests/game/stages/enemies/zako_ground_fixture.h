#pragma once
// The ground enemies on a synthetic stage: fixture marker frames for every
// aim slot, a stand-in fighter, the shots made, and a kind spawned as the
// field does and run through its first frame.

#include <vector>

#include "game/core/draw_store.h"
#include "game/core/screen_effects.h"
#include "game/core/sprite_frames.h"
#include "game/stages/enemies/zako_ground.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

// A shot as made: type, heading, speed (pixels a frame) and place.
struct ZakoShot {
    int32_t type, heading;
    float speed, x, y;
};

// The fixture's marker frames and their anchors (the tests' own values).
struct ZakoMarker {
    int32_t frame, x, y;
};
inline constexpr ZakoMarker kZakoMarkers[] = {{5433, 3, 5},   {5467, 0, 4},   {5477, 0, 6},  {5324, 10, 12},
                                              {5342, -10, 8}, {5360, 0, -14}, {5380, 2, 9},  {4822, 0, 11},
                                              {5317, -12, 6}, {5318, 12, 6},  {5320, -9, 3}, {5321, 9, 3}};

class ZakoGroundTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
        gameMode = 2;
        frames.assign(5600, SpriteFrame{});
        for (const ZakoMarker& m : kZakoMarkers) {
            frames[size_t(m.frame)].pivotX = m.x;
            frames[size_t(m.frame)].pivotY = m.y;
        }
        OBJsetFrameTable(frames);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        EnemyFixture::TearDown();
        eshotFixtureClear();
    }
    static ObjWork* makeFighterAt(float x, float y, bool powerUp = false) {
        return eshotFixtureFighter(x, y, powerUp);
    }
    static std::vector<ZakoShot> shots() {
        std::vector<ZakoShot> out;
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [&](ObjTask* task) {
                const ObjWork* w = task->work;
                out.push_back({w->kind, w->heading, w->speed, w->x, w->y});
            });
        }
        return out;
    }
    static void clearShots() {
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [](ObjTask* shot) { OBJtaskRelease(shot); });
        }
    }
    // A kind spawned as the field does and run through its first frame.
    static ObjTask* spawnRun(int32_t kind, float x, float y) {
        ObjTask* task = enemySpawnKind(kind, -1, x, y);
        enemy(task->work).offscreenTimer = 0;
        enemy(task->work).shotCountdown = 1000;  // the schedule stays out of the way
        task->act(task);
        return task;
    }
    std::vector<SpriteFrame> frames;
};
