#pragma once
// The stages' tables held in the program: per stage its spawn table (rows in
// ascending frame order, ended by the end row: kind 0, param -1, frame
// 99999999), its movement scripts by spawn param and the scripts of its four
// background layers. The content generator writes them from
// content/stages/ (generated/stage_tables.cpp); a stage not designed yet has
// the end row alone, no movement scripts and layers that rest.
//
// Every read goes through the accessors below, so a test can point them at
// stages of its own with stageTablesUse.
//
// Threads: main thread (the tables are constant; the pointer to them is set
// by tests only).

#include <cstdint>

// One spawn row, 36 bytes: the kind, the movement script's param (-1 on the
// end row), the stage frame it is due at, the place in hundredths of a pixel
// and four words the kind reads as it likes.
struct SpawnRow {
    int32_t kind;
    int32_t param;
    int32_t frame;
    int32_t x;
    int32_t y;
    int32_t extra[4];
};
static_assert(sizeof(SpawnRow) == 36);

// One row of a movement script, 24 bytes; the enemy's age is the frame.
struct MoveScript {
    int32_t op;
    int32_t frame;
    int32_t a;
    int32_t b;
    int32_t c;
    int32_t d;
};
static_assert(sizeof(MoveScript) == 24);

// One row of a layer's scroll script, 24 bytes; the stage frame is the frame.
struct ScrollScript {
    int32_t op;
    int32_t frame;
    int32_t a;
    int32_t b;
    int32_t c;
    int32_t d;
};
static_assert(sizeof(ScrollScript) == 24);

inline constexpr int32_t kStageTableCount = 6;
inline constexpr int32_t kSpawnEndFrame = 99999999;

struct StageTables {
    const SpawnRow* spawnRows;             // spawnRowCount rows, then the end row
    int32_t spawnRowCount;
    const MoveScript* const* moveScripts;  // by param; null where none
    int32_t moveScriptEntries;             // highest param + 1
    const ScrollScript* layerScripts[4];   // by layer index, each ended by op 0
};

// The content generator's tables, stages 0 to 5.
extern const StageTables stageTablesGenerated[kStageTableCount];

// The spawn table of a stage; null outside 0..5.
const SpawnRow* stageSpawnTable(int32_t stage);
// The rows of a stage's spawn table before its end row; 0 outside 0..5.
int32_t stageSpawnRowCount(int32_t stage);
// The movement script of a stage by spawn param; null for a param without
// one, past the table's end or negative, and for a stage outside 0..5.
const MoveScript* stageMoveScript(int32_t stage, int32_t param);
// The scroll script of a stage's layer index 0..3; null outside them.
const ScrollScript* stageLayerScript(int32_t stage, int32_t layerIndex);

// Six stages to read from now on; null: the generated ones again.
void stageTablesUse(const StageTables* tables);
