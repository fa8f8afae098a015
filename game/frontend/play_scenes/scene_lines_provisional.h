#pragma once
// Provisional: the leader lines of the stage result (25 a leader type) and
// the parting lines of the game over (10 a fighter type), until the front
// end's generated word tables give them (see README.md). The stand-in holds
// a few lines a type and repeats them.
//
// Threads: main thread only.

#include <cstdint>

// lines[type * perType + index]: UTF-8, zero-terminated, at most 256 bytes.
struct SceneLineTable {
    const char* const* lines;
    int32_t perType;
};
inline constexpr int32_t kSceneLineTypes = 4;
extern SceneLineTable leaderLineTable;
extern SceneLineTable partingLineTable;

// The line, "" for a type outside 0..3; an index past the table's lines
// wraps round them.
const char* sceneLine(const SceneLineTable& table, int32_t type, int32_t index);
