#pragma once
// Stage load and release: puts the game into a stage's start state and takes
// the stage's objects away again. Called by the game-control sequence.
//
// Provisional (stage_load_provisional.cpp) until the stage load is built:
// the load sets the stage number, its start frame and the pause rule and
// creates the stand-in field task; the release removes the stage's objects
// by tag. No images or motion files are read.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <memory>

// One image the stage image readers filled, held until freed.
struct StageImageSlot {
    int32_t slot = 0;
    std::unique_ptr<uint8_t[]> image;
    int32_t size = 0;
};
inline constexpr int kStageImageSlots = 16;
extern std::array<StageImageSlot, kStageImageSlots> stageImageSlots;
// Frees every buffer the readers filled and clears its slot.
void stageImageSlotsFree();

// restart: the same stage again (restart stage, or a restarted training or
// score-attack game); the fighter then comes back as it was at the stage start.
void stageLoad(int32_t stage, bool restart);
// restart: the stage's images stay loaded.
void stageRelease(int32_t stage, bool restart);
