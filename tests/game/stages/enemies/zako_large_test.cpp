// The large air enemies, kinds 40 to 50, over the real shots and the built-in
// sprite table: their gun points, rows, volley timing, the shots of each
// call by rank level, the order of their random draws, and their ends.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

#include "game/core/draw_store.h"
#include "game/core/sound_requests.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_frames.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_sound_gate.h"
#include "game/stages/enemies/zako_large.h"
#include "tests/game/objects/eshot_fixture.h"
#include "tests/game/stages/enemies/enemy_fixture.h"

namespace {

struct Offset {
    float x, y;
};
// The gun points of each kind, from its position (x right, y down).
const std::vector<std::pair<int32_t, std::vector<Offset>>> kLargeGuns = {
    {40, {{-2, 0}, {2, 0}, {-21, 15}, {21, 15}}},
    {41, {{-20, 17}, {20, 17}, {-21, -13}, {20, -13}}},
    {42, {{-20, 17}, {20, 17}, {0, 11}, {-21, -13}, {20, -13}}},
    {43, {{0, 15}, {-30, 0}, {31, 0}}},
    {44, {{-8, 7}, {9, 7}}},
    {45, {{-28, 3}, {29, 3}, {-22, 0}, {21, 0}}},
    {46, {}},
    {47, {{0, 13}, {-24, 3}, {23, 3}}},
    {48, {{-14, 15}, {15, 15}, {0, -8}}},
    {49, {{0, 13}, {-24, 3}, {23, 3}}},
    {50, {{0, 37}, {-24, 25}, {25, 25}, {-26, -20}, {27, -20}}},
};
const std::vector<Offset>& largeGuns(int32_t kind) { return kLargeGuns[size_t(kind - 40)].second; }

constexpr float kLargeX = 112.0f, kLargeY = 100.0f;

// Param 0: down at 3 a frame, and the speed set again at age 12.
constexpr MoveScript kLargeDown[] = {
    {7, 0, 300, 0, 0, 0}, {8, 0, 512, 0, 0, 0}, {7, 12, 300, 0, 0, 0}, {0, 12, 0, 0, 0, 0}};
constexpr const MoveScript* kLargeScripts[] = {kLargeDown};
constexpr StageTables kLargeStage = {
    kEnemyEndRow, 0, kLargeScripts, 1, {kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest, kEnemyLayerRest}};
constexpr StageTables kLargeStages[kStageTableCount] = {kLargeStage, kLargeStage, kLargeStage,
                                                        kLargeStage, kLargeStage, kLargeStage};

struct Shot {
    int32_t type, heading;
    float speed, x, y;
    bool operator==(const Shot&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Shot& s) {
    return out << "{" << s.type << " @" << s.heading << " v" << s.speed << " (" << s.x << "," << s.y << ")}";
}

// What a test expects, gun by gun, in the order they fire.
struct Expect {
    int32_t kind;
    std::vector<Shot> shots;
    Offset gun(int32_t g) const { return largeGuns(kind)[size_t(g)]; }
    int32_t aim(int32_t g) const { return enemyAngleToPlayer(kLargeX + gun(g).x, kLargeY + gun(g).y); }
    Expect& one(int32_t g, int32_t type, int32_t heading, float speed) {
        shots.push_back({type, heading & 1023, speed / 100.0f, kLargeX + gun(g).x, kLargeY + gun(g).y});
        return *this;
    }
    Expect& fan(int32_t g, int32_t type, int32_t heading, float speed, int32_t count, int32_t step) {
        const int32_t half = (count / 2) * step - (count % 2 == 0 ? step / 2 : 0);
        for (int32_t i = 0; i < count; ++i) one(g, type, heading - half + i * step, speed);
        return *this;
    }
};

class ZakoLargeTest : public EnemyFixture {
protected:
    void SetUp() override {
        EnemyFixture::SetUp();
        eshotFixtureClear();
        stageTablesUse(kLargeStages);
        OBJsetFrameTable(spriteFrameTable);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        EnemyFixture::TearDown();
        eshotFixtureClear();
    }
    // The shots made since the last call, in the order they were made.
    static std::vector<Shot> takeShots() {
        std::vector<std::pair<uint32_t, Shot>> made;
        for (int group : {kEshotGroup, kEshotSpecialGroup}) {
            OBJtaskWalk(group, [&](ObjTask* task) {
                const ObjWork* w = task->work;
                made.push_back({w->serial, {w->kind, w->heading, w->speed, w->x, w->y}});
                OBJtaskRelease(task);
            });
        }
        std::sort(made.begin(), made.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<Shot> out;
        for (const auto& [serial, s] : made) out.push_back(s);
        return out;
    }
    static ObjTask* spawn(int32_t kind, int32_t param = -1) {
        return enemySpawnKind(kind, param, kLargeX, kLargeY);
    }
    // Calls 0..call of one volley at a rank level; the shots of the last.
    static std::vector<Shot> fire(int32_t kind, int32_t level, int32_t call) {
        gameMode = level;
        ObjTask* task = spawn(kind);
        for (int32_t k = 0; k <= call; ++k) {
            takeShots();
            enemy(task->work).shotIndex = k;
            task->work->attack(task, task->work);
        }
        std::vector<Shot> got = takeShots();
        OBJtaskRelease(task);
        return got;
    }
};

TEST_F(ZakoLargeTest, GunPointsAreTheSpriteTablesMarkerAnchors) {
    ObjWork work{};
    work.x = kLargeX;
    work.y = kLargeY;
    for (const auto& [kind, guns] : kLargeGuns) {
        ASSERT_EQ(zakoLargeKind(kind).guns, int32_t(guns.size())) << kind;
        for (size_t g = 0; g < guns.size(); ++g) {
            const ObjPoint p = zakoLargeGun(&work, kind, int32_t(g));
            EXPECT_EQ(p.x, kLargeX + guns[g].x) << kind << " gun " << g;
            EXPECT_EQ(p.y, kLargeY + guns[g].y) << kind << " gun " << g;
        }
    }
}

TEST_F(ZakoLargeTest, RowsGiveLifeScoreClassAndVolley) {
    struct Case {
        int32_t kind, hp, cutHp, sizeClass;
        uint64_t score;
        float depth;
        int32_t calls, interval, first, pause, boxes;
    };
    const std::vector<Case> cases = {
        {40, 2304, 1843, 1, 1370, 440, 8, 7, 80, 72, 1},        {41, 1536, 1228, 1, 5740, 440, 5, 6, 54, 352, 1},
        {42, 5120, 4096, 2, 3420, 440, 10, 3, 128, 128, 1},     {43, 2048, 1638, 1, 2260, 440, 4, 8, 80, 256, 2},
        {44, 17920, 14336, 2, 25060, 430, 150, 4, 32, 128, 5},  {45, 896, 716, 1, 3370, 440, 9999, 40, 32, 72, 1},
        {46, 11008, 8806, 2, 3750, 440, 8, 12, 112, 128, 1},    {47, 9984, 7987, 2, 42710, 430, 197, 1, 112, 200, 1},
        {48, 1536, 1228, 1, 2630, 430, 6, 6, 64, 80, 3},        {49, 7168, 5734, 2, 20180, 430, 70, 4, 144, 128, 1},
        {50, 12288, 9830, 2, 51150, 430, 99999, 4, 96, 384, 4},
    };
    for (const Case& c : cases) {
        ObjTask* task = spawn(c.kind);
        ASSERT_NE(task, nullptr) << c.kind;
        EXPECT_EQ(enemyKindAct(c.kind), task->act);
        const EnemyFields& e = enemy(task->work);
        EXPECT_EQ(e.hp, c.hp) << c.kind;
        EXPECT_EQ(e.score, c.score) << c.kind;
        EXPECT_EQ(e.sizeClass, c.sizeClass) << c.kind;
        EXPECT_EQ(task->work->depth, c.depth) << c.kind;
        EXPECT_EQ(e.offscreenTimer, 3600);
        EXPECT_EQ(e.shotsPerVolley, c.calls) << c.kind;
        EXPECT_EQ(e.shotsLeft, c.calls) << c.kind;
        EXPECT_EQ(e.shotInterval, c.interval) << c.kind;
        EXPECT_EQ(e.shotCountdown, c.first) << c.kind;
        EXPECT_EQ(e.volleyPause, c.pause) << c.kind;
        EXPECT_EQ(e.volleysLeft, 9999);
        EXPECT_EQ(task->work->pauseRankCut, 70);
        step(task);
        EXPECT_EQ(task->work->hitBoxCount, c.boxes) << c.kind;
        EXPECT_EQ(task->work->hitBoxes, zakoLargeKind(c.kind).boxes);
        OBJtaskRelease(task);
        gameSystem = 2;
        task = spawn(c.kind);
        EXPECT_EQ(enemy(task->work).hp, c.cutHp) << c.kind;
        OBJtaskRelease(task);
        gameSystem = 0;
        gameMode = 0;
        task = spawn(c.kind);
        EXPECT_EQ(enemy(task->work).hp, c.hp * 8 / 10) << c.kind << " in NOVICE";
        OBJtaskRelease(task);
        gameMode = 2;
    }
}

TEST_F(ZakoLargeTest, HitsOffLeaveNoBoxes) {
    ObjTask* task = spawn(44);
    task->work->hitsOff = 1;
    step(task);
    EXPECT_EQ(task->work->hitBoxCount, 0);
    EXPECT_EQ(task->work->hitBoxes, nullptr);
}

TEST_F(ZakoLargeTest, FirstCallThenOneEveryIntervalThenThePause) {
    eshotFixtureFighter(112.0f, 250.0f, false);
    gameMode = 2;
    ObjTask* task = spawn(40);
    std::vector<int> calls;
    for (int frame = 1; frame <= 210; ++frame) {
        step(task);
        if (!takeShots().empty()) calls.push_back(frame);
    }
    EXPECT_EQ(calls, (std::vector<int>{80, 87, 94, 101, 108, 115, 122, 129, 202, 209}));
}

TEST_F(ZakoLargeTest, ThePauseLosesSeventyHundredthsOfTheRankNeverBelow8) {
    struct Case {
        int32_t kind, rank, countdown;
    };
    for (const Case& c : {Case{40, 0, 72}, Case{40, 50, 37}, Case{40, 100, 8}, Case{41, 100, 282},
                          Case{41, 10000, 8}}) {
        ObjTask* task = spawn(c.kind);
        EnemyFields& e = enemy(task->work);
        e.shotsLeft = 0;
        enemyAttackRank = c.rank;
        enemyRunAttack(task, task->work);
        EXPECT_EQ(e.shotCountdown, c.countdown) << c.kind << " rank " << c.rank;
        EXPECT_EQ(e.shotsLeft, e.shotsPerVolley);
        OBJtaskRelease(task);
    }
}

TEST_F(ZakoLargeTest, AttacksByKindLevelAndCall) {
    struct Case {
        int32_t kind, level, call;
        bool powered;
        std::function<void(Expect&)> expect;
    };
    const std::vector<Case> cases = {
        {40, 0, 0, false,
         [](Expect& e) { e.one(0, 20, e.aim(0), 120).one(1, 20, e.aim(1), 120).one(2, 158, 512, 150).one(3, 158, 512, 150); }},
        {40, 1, 3, false, [](Expect& e) { e.one(0, 20, e.aim(0), 180).one(1, 20, e.aim(1), 180); }},
        {40, 0, 4, false, [](Expect& e) { e.one(2, 158, 512, 150).one(3, 158, 512, 150); }},
        {40, 0, 5, false, [](Expect&) {}},
        {40, 2, 6, false, [](Expect& e) { e.one(2, 158, 512, 220).one(3, 158, 512, 220); }},
        {40, 3, 0, false,
         [](Expect& e) {
             e.fan(0, 20, e.aim(0), 200, 5, 32).fan(1, 20, e.aim(1), 200, 5, 32).one(2, 158, 512, 220).one(3, 158, 512, 220);
         }},
        {41, 0, 1, false, [](Expect& e) { e.one(0, 5, 512, 170).one(1, 5, 512, 170); }},
        {41, 3, 2, false,
         [](Expect& e) {
             e.fan(0, 5, 512, 170, 3, 60).fan(0, 5, 512, 150, 2, 180).fan(1, 5, 512, 170, 3, 60).fan(1, 5, 512, 150, 2, 180);
             e.fan(2, 43, 648, 170, 4, 60).fan(3, 43, 376, 170, 4, 60);
         }},
        {42, 1, 3, false, [](Expect& e) { e.one(2, 133, 392, 90).one(2, 133, 632, 90); }},
        {42, 0, 3, false, [](Expect&) {}},
        {42, 2, 1, false,
         [](Expect& e) {
             for (int32_t h : {492, 532}) e.one(2, 133, h, 150).one(2, 133, h, 170).one(2, 133, h, 190);
         }},
        {43, 0, 0, false, [](Expect& e) { e.one(1, 159, 216, 200).one(2, 159, 808, 200); }},
        {43, 2, 2, false, [](Expect& e) { e.fan(1, 159, 216, 200, 2, 80).fan(2, 159, 808, 200, 2, 80); }},
        {43, 1, 3, false,
         [](Expect& e) { e.fan(0, 23, e.aim(0), 240, 8, 128).fan(0, 12, e.aim(0), 220, 8, 128).fan(0, 1, e.aim(0), 200, 8, 128); }},
        {43, 3, 3, false,
         [](Expect& e) {
             e.fan(0, 23, e.aim(0), 240, 20, 51).fan(0, 12, e.aim(0), 220, 20, 51).fan(0, 1, e.aim(0), 200, 20, 51);
             e.fan(0, 143, e.aim(0), 190, 15, 51).fan(0, 141, e.aim(0), 170, 15, 51).fan(0, 139, e.aim(0), 150, 15, 51);
         }},
        {44, 0, 1, false, [](Expect& e) { e.fan(0, 133, e.aim(0), 140, 3, 60).fan(1, 133, e.aim(1), 140, 3, 60); }},
        {44, 1, 40, false,
         [](Expect& e) {
             e.fan(0, 135, 604, 160, 6, 32).fan(1, 135, 420, 160, 6, 32);
             e.fan(0, 48, e.aim(0), 180, 5, 31).fan(1, 48, e.aim(1), 180, 5, 31);
         }},
        {44, 2, 24, true,
         [](Expect& e) {
             e.fan(0, 135, 598, 160, 6, 32).fan(1, 135, 426, 160, 6, 32);
             e.fan(0, 48, e.aim(0), 180, 6, 32).fan(0, 37, e.aim(0), 150, 5, 51);
             e.fan(1, 48, e.aim(1), 180, 6, 32).fan(1, 37, e.aim(1), 150, 5, 51);
             e.fan(0, 67, e.aim(0), 250, 7, 30).fan(1, 67, e.aim(1), 250, 7, 30);
         }},
        {47, 0, 0, false, [](Expect& e) { e.fan(1, 15, e.aim(1), 220, 17, 60); }},
        {47, 2, 16, false, [](Expect& e) { e.fan(2, 15, e.aim(2), 300, 17, 60).fan(2, 4, e.aim(2), 280, 16, 60); }},
        {47, 3, 32, true,
         [](Expect& e) {
             e.fan(1, 15, e.aim(1), 300, 31, 33).fan(1, 4, e.aim(1), 280, 30, 33);
             e.fan(1, 144, 64, 380, 8, 128).fan(2, 144, -64, 380, 8, 128);
         }},
        {47, 1, 182, false,
         [](Expect& e) {
             for (int32_t h : {-64, 64}) e.one(0, 45, h, 210).one(0, 45, h, 245).one(0, 45, h, 280);
         }},
        {47, 3, 196, false, [](Expect& e) { for (int32_t h : {-512, 512}) e.fan(0, 45, h, 210, 1, 0).one(0, 45, h, 245).one(0, 45, h, 280).one(0, 45, h, 315).one(0, 45, h, 350); }},
        {48, 0, 2, false,
         [](Expect& e) { e.one(0, 133, e.aim(0), 120).one(1, 133, e.aim(1), 120).fan(2, 41, e.aim(2), 100, 5, 33); }},
        {48, 3, 2, false,
         [](Expect& e) {
             e.fan(0, 133, e.aim(0), 190, 5, 60).fan(1, 133, e.aim(1), 190, 5, 60);
             e.fan(2, 41, e.aim(2), 170, 7, 33).fan(2, 52, e.aim(2), 150, 7, 33);
         }},
        {50, 0, 0, false,
         [](Expect& e) { e.one(1, 17, e.aim(1), 170).one(2, 17, e.aim(2), 170).one(3, 139, e.aim(3), 150).one(3, 139, e.aim(3), 170); }},
        {50, 1, 5, false,
         [](Expect& e) {
             const int32_t w = int32_t(256.0 * std::sin(150.0 * 2.0 * std::numbers::pi / 1024.0));
             e.one(1, 17, e.aim(1) + w, 210).one(2, 17, e.aim(2) - w, 210);
             for (int32_t v : {200, 220, 240}) e.one(4, 139, e.aim(4), float(v));
         }},
        {50, 3, 80, false, [](Expect& e) { e.fan(0, 40, e.aim(0), 300, 8, 44); }},
        {50, 3, 90, false, [](Expect& e) { e.fan(0, 40, e.aim(0), 300, 8, 44).fan(0, 158, e.aim(0), 160, 5, 44); }},
        {50, 0, 81, false, [](Expect&) {}},
        {50, 2, 82, true,
         [](Expect& e) {
             e.fan(0, 62, e.aim(0), 300, 7, 44);
             e.fan(1, 68, 482, 400, 4, 160 - int32_t(-80.0 * std::sin(50.0 * 82 * 2.0 * std::numbers::pi / 1024.0)));
             e.fan(2, 68, 542, 400, 4, 160 - int32_t(-80.0 * std::sin(50.0 * 82 * 2.0 * std::numbers::pi / 1024.0)));
         }},
    };
    for (const Case& c : cases) {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureFighter(60.0f, 260.0f, c.powered);
        Expect expect{c.kind, {}};
        c.expect(expect);
        EXPECT_EQ(fire(c.kind, c.level, c.call), expect.shots)
            << "kind " << c.kind << " level " << c.level << " call " << c.call;
    }
}

TEST_F(ZakoLargeTest, SideGunsAreSilentAtLevel0) {
    eshotFixtureFighter(60.0f, 260.0f, false);
    for (int32_t call = 0; call < 5; ++call) {
        for (const Shot& s : fire(41, 0, call)) EXPECT_EQ(s.type, 5) << "rear gun of 41 at call " << call;
    }
    for (int32_t call = 0; call < 6; ++call) {
        for (const Shot& s : fire(45, 0, call)) EXPECT_NE(s.heading, 512) << "side gun of 45 at call " << call;
    }
    for (int32_t call = 0; call < 12; ++call) {
        for (const Shot& s : fire(49, 0, call)) EXPECT_EQ(s.type, 164) << "wing of 49 at call " << call;
    }
}

TEST_F(ZakoLargeTest, Kind45FiresFansOfFansAtTheFighter) {
    eshotFixtureFighter(60.0f, 260.0f, false);
    const int32_t h = enemyAngleToPlayer(kLargeX, kLargeY);
    Expect e{45, {}};
    for (int32_t g : {2, 3}) {
        e.one(g, 21, h, 190).one(g, 21, h, 190);
        e.one(g, 158, h - 12, 180).one(g, 158, h + 12, 180);
        e.one(g, 158, h - 24, 170).one(g, 158, h + 24, 170);
    }
    EXPECT_EQ(fire(45, 0, 0), e.shots);
    Expect three{45, {}};
    for (int32_t g : {2, 3}) {
        for (int32_t j = 0; j < 3; ++j) {
            three.fan(g, 21, h - 4 * j, float(190 - 10 * j), 3, 100).fan(g, 21, h + 4 * j, float(190 - 10 * j), 3, 100);
        }
    }
    three.fan(0, 158, 512, 200, 5, 50).fan(1, 158, 512, 200, 5, 50);
    EXPECT_EQ(fire(45, 3, 0), three.shots);
}

TEST_F(ZakoLargeTest, Kind42DrawsItsStreamsInOrderEvenWhereNothingFires) {
    struct Case {
        int32_t level;
        bool powered;
    };
    for (const Case& c : {Case{0, false}, Case{1, true}, Case{2, true}, Case{3, false}}) {
        OBJtaskReleaseAll(nullptr);
        OBJtaskPoolInit();
        eshotFixtureFighter(60.0f, 260.0f, c.powered);
        gameMode = c.level;
        ObjTask* task = spawn(42);
        gameRandSeed(77);
        Expect e{42, {}};
        const int32_t firsts[2] = {516, 476};
        const int32_t bases[2][4] = {{528, 524, 0, 510}, {488, 484, 0, 450}};
        const int32_t ranges[4] = {8, 16, 0, 64};
        for (int32_t g = 0; g < 2; ++g) {
            for (int32_t i = 0; i < 6 + 2 * c.level; ++i) {
                int32_t heading = firsts[g] + randRange(32);
                if (c.level != 2) heading = bases[g][c.level] + randRange(ranges[c.level]);
                const int32_t speed = c.level == 0 ? 120 + 5 * i : (c.level == 1 ? 120 + 10 * i : 170 + 10 * i);
                e.one(g, 51, heading, float(speed));
            }
        }
        const size_t streams = e.shots.size();
        int32_t q[2] = {0, 0};
        if (c.powered) {
            q[0] = randRange(256);
            q[1] = randRange(256);
        }
        const int32_t next = randRange(1 << 14);
        gameRandSeed(77);
        enemy(task->work).shotIndex = 0;
        TSKzako42Attack(task, task->work);
        const std::vector<Shot> got = takeShots();
        EXPECT_EQ(randRange(1 << 14), next) << c.level;
        ASSERT_GE(got.size(), streams);
        EXPECT_EQ(std::vector<Shot>(got.begin(), got.begin() + long(streams)), e.shots) << c.level;
        if (c.level == 2 && c.powered) {
            Expect p{42, {}};
            p.fan(3, 144, 640 + q[0], 300, 3, 55).fan(4, 144, 128 + q[1], 300, 3, 55);
            EXPECT_EQ(std::vector<Shot>(got.end() - 6, got.end()), p.shots);
        }
    }
}

TEST_F(ZakoLargeTest, Kind44StreamsTakeTheirAimAtCall100AndDrawPerGun) {
    eshotFixtureFighter(60.0f, 260.0f, true);
    gameMode = 3;
    ObjTask* task = spawn(44);
    Expect e{44, {}};
    gameRandSeed(5);
    for (int32_t g = 0; g < 2; ++g) e.fan(g, 38, e.aim(g) + randRange(40) - 20, 70, 3, 100);
    gameRandSeed(5);
    enemy(task->work).shotIndex = 100;
    TSKzako44Attack(task, task->work);
    EXPECT_EQ(takeShots(), e.shots);
    // Call 101 keeps the heading of call 100 though the fighter moved.
    fighterGetWork()->x = 200.0f;
    Expect kept{44, {}};
    gameRandSeed(6);
    for (int32_t g = 0; g < 2; ++g) kept.fan(g, 38, enemy(task->work).aimWords[g] + randRange(40) - 20, 88, 3, 100);
    gameRandSeed(6);
    enemy(task->work).shotIndex = 101;
    TSKzako44Attack(task, task->work);
    EXPECT_EQ(takeShots(), kept.shots);
}

TEST_F(ZakoLargeTest, Kind49StopsDeadWhileDying) {
    eshotFixtureFighter(112.0f, 260.0f, false);
    ObjTask* task = spawn(49, 0);
    for (int i = 0; i < 3; ++i) step(task);
    enter(task);
    ASSERT_GT(task->work->y, kLargeY);
    enemy(task->work).keepMovingWhenDying = 1;  // the library would let it fly on
    enemy(task->work).hp = 1;
    hit(task, 6, 10);
    ASSERT_EQ(task->work->lifeState, 3);
    step(task);
    const float x = task->work->x, y = task->work->y;
    for (int i = 0; i < 15 && task->state == kObjStateRun; ++i) step(task);  // past the script's row at 12
    EXPECT_EQ(task->work->x, x);
    EXPECT_EQ(task->work->y, y);
    EXPECT_EQ(task->release, TSKzako49Free);
}

TEST_F(ZakoLargeTest, SpawnedDuringABossItEndsOnItsFirstFrameWithoutFiring) {
    eshotFixtureFighter(112.0f, 260.0f, false);
    bossPresentFlag = 1;
    for (int32_t kind = 40; kind <= 50; ++kind) {
        ObjTask* task = spawn(kind);
        enemy(task->work).shotCountdown = 1;
        step(task);
        EXPECT_EQ(task->state, kObjStateEnd) << kind;
        EXPECT_TRUE(takeShots().empty()) << kind;
        step(task);
    }
    EXPECT_EQ(OBJtaskCountByTag(kEnemyGroup, kEnemyTag), 0);
}

TEST_F(ZakoLargeTest, AnimatedBodiesStepEveryFourFramesAndWrap) {
    struct Case {
        int32_t kind, frames, cell;
    };
    for (const Case& c : {Case{48, 4, 1}, Case{48, 5, 2}, Case{48, 32, 0}, Case{50, 36, 9}, Case{50, 40, 0}}) {
        ObjTask* task = spawn(c.kind);
        for (int i = 0; i < c.frames; ++i) step(task);
        EXPECT_EQ(task->work->animFrame, c.cell) << c.kind << " after " << c.frames;
        OBJtaskRelease(task);
    }
}

TEST_F(ZakoLargeTest, BodiesDrawTheirCellOnTheDepthsLayerRedWhileFlashing) {
    struct Case {
        int32_t kind, frames, flash, frame, layer;
        uint8_t green;
    };
    const std::vector<Case> cases = {{40, 1, 0, 5589, 440, 255}, {43, 3, 0, 5608, 440, 255}, {43, 10, 4, 5607, 440, 160},
                                     {48, 5, 3, 5563, 430, 160}, {50, 1, 2, 5575, 430, 255}, {46, 1, 3, -1, 0, 0}};
    for (const Case& c : cases) {
        ObjTask* task = spawn(c.kind);
        for (int i = 0; i < c.frames; ++i) step(task);
        enemy(task->work).flashTimer = c.flash;
        const int before = OBJdrawStoreCount();
        task->work->draw(task, task->work);
        const DrawObj* body = nullptr;
        for (int i = before; i < OBJdrawStoreCount(); ++i) {
            if (OBJdrawStoreEntry(i)->frameId != 1754) body = OBJdrawStoreEntry(i);
        }
        if (c.frame < 0) {
            EXPECT_EQ(body, nullptr) << c.kind;
        } else {
            ASSERT_NE(body, nullptr) << c.kind;
            EXPECT_EQ(body->frameId, c.frame) << c.kind;
            EXPECT_EQ(body->layer, c.layer) << c.kind;
            EXPECT_EQ(body->g, c.green) << c.kind;
        }
        EXPECT_EQ(task->work->g, 255) << "the tint is reset after the draw";
        OBJtaskRelease(task);
    }
}

TEST_F(ZakoLargeTest, FlySoundAtCreationForKind44AndOnTheFirstFrameFor42To49) {
    int32_t& guard = soundLayerState().soundGuard[5];
    for (int32_t kind = 40; kind <= 50; ++kind) {
        guard = 0;
        enemySoundGatesClear();
        ObjTask* task = spawn(kind);
        EXPECT_EQ(guard > 0, kind == 44) << kind << " at creation";
        guard = 0;
        enemySoundGatesCountDown();  // the frame's act pass ends
        step(task);
        EXPECT_EQ(guard > 0, kind == 42 || kind == 44 || kind == 47 || kind == 49) << kind << " on its first frame";
        guard = 0;
        step(task);
        EXPECT_EQ(guard, 0) << kind << " afterwards";
        OBJtaskRelease(task);
    }
    guard = 0;
}

}  // namespace
