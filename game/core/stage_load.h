#pragma once
// Stage load and release: puts the game into a stage's start state (the
// replay's start, the per-stage words, the stage's background images once,
// its field task and its boss motion files) and takes the stage's objects,
// motion files and, when the settings ask, its images away again. Called by
// the game-control sequence.
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

inline constexpr int kStages = 6;  // 0 the prologue, 1 to 5
// Per stage: its images are in their sprite-sheet slots.
extern std::array<uint8_t, kStages> stageImagesLoaded;

// restart: the same stage again (restart stage, or a restarted training or
// score-attack game); the fighter then comes back as it was at the stage start.
void stageLoad(int32_t stage, bool restart);
// restart: the stage's images stay loaded.
void stageRelease(int32_t stage, bool restart);
