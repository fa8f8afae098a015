// The stage tables compiled into the game: row counts and end rows, the rows
// and scripts that must stand as given, stages not designed yet, and the
// accessors pointed at a stage of the test's own.
#include "game/stages/stage_tables.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

std::array<int32_t, 9> stageTablesWords(const SpawnRow& r) {
    return {r.kind, r.param, r.frame, r.x, r.y, r.extra[0], r.extra[1], r.extra[2], r.extra[3]};
}

// A movement or scroll script's rows up to its op-0 row.
template <class Row>
std::vector<std::array<int32_t, 6>> stageTablesRows(const Row* s) {
    std::vector<std::array<int32_t, 6>> rows;
    for (;; ++s) {
        rows.push_back({s->op, s->frame, s->a, s->b, s->c, s->d});
        if (s->op == 0) return rows;
    }
}

TEST(StageTables, EachDesignedStageHasItsRowsInFrameOrderAndItsEndRow) {
    const int32_t counts[] = {52, 420, 520, 463, 920, 1239};
    for (int32_t stage = 0; stage < kStageTableCount; ++stage) {
        const SpawnRow* rows = stageSpawnTable(stage);
        ASSERT_NE(rows, nullptr);
        EXPECT_EQ(stageTablesGenerated[stage].spawnRowCount, counts[stage]);
        for (int32_t i = 0; i < counts[stage]; ++i) {
            EXPECT_NE(rows[i].param, -1) << stage << " " << i;
            if (i > 0) {
                EXPECT_GE(rows[i].frame, rows[i - 1].frame) << stage << " " << i;
            }
            EXPECT_NE(stageMoveScript(stage, rows[i].param), nullptr) << stage << " " << i;
        }
        EXPECT_EQ(stageTablesWords(rows[counts[stage]]), (std::array<int32_t, 9>{0, -1, 99999999, 0, 0, 0, 0, 0, 0}));
    }
}

TEST(StageTables, TheTellingRowsStandAsGiven) {
    struct Telling {
        int32_t stage, row;
        std::array<int32_t, 5> words;
    };
    const Telling rows[] = {
        {0, 0, {122, 130, 1, 11200, 14400}},    {1, 0, {2, 0, 135, 9200, -3000}},
        {1, 196, {80, 100, 2105, -6400, -15700}}, {1, 418, {134, 120, 5753, 11200, 14400}},
        {1, 419, {100, 110, 6033, -3200, -12000}}, {2, 407, {123, 130, 5054, 17400, 14100}},
        {3, 85, {140, 4, 1196, 2200, -2800}},    {3, 205, {82, 102, 3932, 18900, -16800}},
        {3, 462, {62, 62, 12080, 11200, -28900}}, {5, 1148, {141, 11, 18814, -2400, 2000}},
        {5, 1238, {104, 114, 21789, 11900, -10300}},
    };
    for (const Telling& t : rows) {
        const SpawnRow& r = stageSpawnTable(t.stage)[t.row];
        EXPECT_EQ((std::array<int32_t, 5>{r.kind, r.param, r.frame, r.x, r.y}), t.words) << t.stage << " " << t.row;
    }
    EXPECT_EQ(stageSpawnTable(3)[85].extra[0], 6);
    EXPECT_EQ(stageSpawnTable(5)[1148].extra[0], 15);
    EXPECT_EQ(stageSpawnTable(5)[1148].extra[1], 35);
    std::vector<int32_t> lifetimes;
    for (const SpawnRow* r = stageSpawnTable(2); r->param != -1; ++r) {
        if (r->kind == 24) lifetimes.push_back(r->extra[0]);
    }
    EXPECT_EQ(lifetimes, (std::vector<int32_t>{442, 876, 1196}));
}

// Rows whose place in the table is open: found by kind and frame.
const SpawnRow* stageTablesFind(int32_t stage, int32_t kind, int32_t frame) {
    for (const SpawnRow* r = stageSpawnTable(stage); r->param != -1; ++r) {
        if (r->kind == kind && r->frame == frame) return r;
    }
    return nullptr;
}

TEST(StageTables, TheStageFourArenaComesBeforeItsDoorsAndTheShieldedTrainsMeetTheirWindows) {
    const SpawnRow* arena = stageTablesFind(4, 126, 14683);
    ASSERT_NE(arena, nullptr);
    EXPECT_EQ((std::array<int32_t, 3>{arena->param, arena->x, arena->y}), (std::array<int32_t, 3>{132, 11200, -47900}));
    int32_t shieldedTrains = 0;
    for (const SpawnRow* r = stageSpawnTable(4); r->param != -1; ++r) {
        if ((r->kind == 70 || r->kind == 71) && r->extra[0] == 1) {
            ++shieldedTrains;
            EXPECT_GE(r->frame, 6000) << "a shielded train is on the field in its windows";
            EXPECT_LE(r->frame, 7500) << "a shielded train is on the field in its windows";
        }
    }
    EXPECT_GT(shieldedTrains, 0);
}

TEST(StageTables, TheTellingScriptsStandAsGiven) {
    using Rows = std::vector<std::array<int32_t, 6>>;
    EXPECT_EQ(stageTablesRows(stageMoveScript(1, 0)),
              (Rows{{1, 0, 13600, 13600, 0, 0}, {7, 0, 300, 0, 0, 0}, {8, 0, 512, 0, 0, 0}, {0, 0, 0, 0, 0, 0}}));
    EXPECT_EQ(stageTablesRows(stageMoveScript(2, 130)),
              (Rows{{1, 0, 80000, 80000, 0, 0}, {2, 0, 0, 0, 0, 0}, {7, 0, 0, 0, 0, 0}, {8, 0, 0, 0, 0, 0},
                    {9, 1930, 0, 0, 0, 0}, {0, 1930, 0, 0, 0, 0}}));
    const Rows follower = stageTablesRows(stageMoveScript(1, 20));
    ASSERT_EQ(follower.size(), 13u);
    EXPECT_EQ(follower[1], (std::array<int32_t, 6>{2, 0, 2, 0, 0, 0}));
    EXPECT_EQ(follower[4], (std::array<int32_t, 6>{6, 0, 0, 0, 0, 0}));
    for (int32_t k = 0; k < 7; ++k) EXPECT_EQ(follower[size_t(5 + k)], (std::array<int32_t, 6>{8, 150 + 5 * k, 400 + 40 * k, 0, 0, 0}));
    EXPECT_EQ(stageTablesRows(stageMoveScript(3, 130)), stageTablesRows(stageMoveScript(2, 130)));
    const Rows crawl = stageTablesRows(stageMoveScript(3, 102));
    EXPECT_EQ(crawl[0], (std::array<int32_t, 6>{1, 0, 40000, 30000, 0, 0}));
    EXPECT_EQ(crawl[1], (std::array<int32_t, 6>{2, 0, 1, 0, 0, 0}));
    EXPECT_EQ(crawl[3], (std::array<int32_t, 6>{8, 0, 640, 0, 0, 0}));
    EXPECT_EQ(crawl[crawl.size() - 2], (std::array<int32_t, 6>{9, 3500, 0, 0, 0, 0}));
    EXPECT_NE(stageMoveScript(0, 130), nullptr);
    EXPECT_EQ(stageTablesGenerated[0].moveScriptEntries, 131);
    EXPECT_EQ(stageTablesGenerated[1].moveScriptEntries, 123);
    EXPECT_EQ(stageTablesGenerated[2].moveScriptEntries, 131);
    EXPECT_EQ(stageTablesGenerated[3].moveScriptEntries, 132);
}

TEST(StageTables, TheTellingScrollRowsStandAsGiven) {
    using Rows = std::vector<std::array<int32_t, 6>>;
    EXPECT_EQ(stageTablesRows(stageLayerScript(0, 0)),
              (Rows{{1, 0, 0, 0, 0, 0}, {4, 0, 1, 0, 0, 0}, {5, 0, 0, 0, 0, 0}, {2, 0, 0, 0, 0, 0}, {3, 0, 256, 0, 0, 0},
                    {0, 0, 0, 0, 0, 0}}));
    const Rows layer3 = stageTablesRows(stageLayerScript(0, 2));
    EXPECT_EQ(layer3[3], (std::array<int32_t, 6>{8, 0, 288, 0, -288, 0}));
    for (int32_t layer = 0; layer < 3; ++layer) {
        const Rows rows = stageTablesRows(stageLayerScript(1, layer));
        ASSERT_EQ(rows.size(), 19u);
        EXPECT_EQ(rows[0], (std::array<int32_t, 6>{1, 0, 0, 3744, 0, 0}));
        EXPECT_EQ(rows[1], (std::array<int32_t, 6>{9, 0, 0, 0, 288, 0}));
        EXPECT_EQ(rows[2], (std::array<int32_t, 6>{2, 0, 150, 0, 0, 0}));
        EXPECT_EQ(rows[12], (std::array<int32_t, 6>{2, 480, 50, 0, 0, 0}));
        EXPECT_EQ(rows[17], (std::array<int32_t, 6>{2, 5830, 500, 0, 0, 0}));
    }
    const Rows layer4 = stageTablesRows(stageLayerScript(1, 3));
    EXPECT_EQ(layer4[layer4.size() - 2], (std::array<int32_t, 6>{5, 1000, 3, 0, 0, 0}));
    std::vector<int32_t> headings;
    for (const auto& row : stageTablesRows(stageLayerScript(2, 1))) {
        if (row[0] == 3) headings.push_back(row[2]);
    }
    EXPECT_EQ(headings, (std::vector<int32_t>{20,  40,  60,  80,  100, 120, 128, 108, 88,  68,  48,  28,  8,    0,
                                              1004, 984, 964, 944, 924, 904, 896, 916, 936, 956, 976, 996, 1016, 0}));
}

TEST(StageTables, StageFiveHasItsGatesItsSecondMidBossAndItsCutOffs) {
    for (const int32_t frame : {301, 4569, 7155, 12424}) {
        const SpawnRow* gate = stageTablesFind(5, 127, frame);
        ASSERT_NE(gate, nullptr) << frame;
        EXPECT_EQ(gate->param, 133);
    }
    const SpawnRow* midBoss = stageTablesFind(5, 85, 12550);
    ASSERT_NE(midBoss, nullptr);
    EXPECT_EQ((std::array<int32_t, 3>{midBoss->param, midBoss->x, midBoss->y}), (std::array<int32_t, 3>{105, 11300, -14800}));
    for (const SpawnRow* r = stageSpawnTable(5); r->param != -1; ++r) {
        if (r->kind >= 70 && r->kind <= 73) {
            EXPECT_LE(r->frame, 12000) << r->kind;
        }
        if (r->kind == 75) {
            EXPECT_LE(r->frame, 4300);
        }
    }
    // Down at 0.5, a slow climb from age 550 to 840, and away from age 1800
    // at 0.2 more every 20 frames up to 1.4.
    using Rows = std::vector<std::array<int32_t, 6>>;
    const Rows script = stageTablesRows(stageMoveScript(5, 105));
    EXPECT_EQ(script[0], (std::array<int32_t, 6>{1, 0, 65000, 30000, 0, 0}));
    EXPECT_EQ(script[1], (std::array<int32_t, 6>{7, 0, 50, 0, 0, 0}));
    EXPECT_EQ(script[script.size() - 2], (std::array<int32_t, 6>{7, 1940, 140, 0, 0, 0}));
}

TEST(StageTables, TheAccessorsReadAStageOfTheTestsOwn) {
    static constexpr SpawnRow rows[] = {{2, 1, 5, 100, -200, {1, 2, 3, 4}}, {0, -1, kSpawnEndFrame, 0, 0, {0, 0, 0, 0}}};
    static constexpr MoveScript script[] = {{7, 0, 100, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    static constexpr const MoveScript* scripts[] = {nullptr, script};
    static constexpr ScrollScript layer[] = {{2, 0, 50, 0, 0, 0}, {0, 0, 0, 0, 0, 0}};
    static constexpr StageTables stage = {rows, 1, scripts, 2, {layer, layer, layer, layer}};
    static constexpr StageTables six[kStageTableCount] = {stage, stage, stage, stage, stage, stage};
    stageTablesUse(six);
    EXPECT_EQ(stageSpawnTable(4), rows);
    EXPECT_EQ(stageMoveScript(4, 1), script);
    EXPECT_EQ(stageMoveScript(4, 0), nullptr);   // no script
    EXPECT_EQ(stageMoveScript(4, 2), nullptr);   // past the end
    EXPECT_EQ(stageMoveScript(4, -1), nullptr);
    EXPECT_EQ(stageLayerScript(4, 3), layer);
    EXPECT_EQ(stageLayerScript(4, 4), nullptr);
    EXPECT_EQ(stageSpawnTable(6), nullptr);
    EXPECT_EQ(stageMoveScript(-1, 1), nullptr);
    stageTablesUse(nullptr);
    EXPECT_EQ(stageSpawnTable(4), stageTablesGenerated[4].spawnRows);
}

}  // namespace
