#pragma once
// The background layers: four tasks a stage (groups 2 to 5, FILD), each
// running its scroll script against the stage frame, moving in 16.16 fixed
// point by a heading and a speed, jumping back by its wrap rules to loop its
// picture and easing its tint toward the brightness the game state asks
// for. What they publish (their last displacement, the shared tint) moves
// and tints the ground objects that stand on them.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/core/obj_work_views.h"

struct ObjTask;
struct ObjWork;
struct ScrollScript;

// Per layer index 0..3 (follow slots 1..4): (previous x - new x, new y -
// previous y). A follower subtracts x from its own x and adds y to its y.
extern std::array<ObjPoint, 4> fieldLayerShift;
// Per layer index 0..3: a draw offset for ground objects beside the scroll;
// nothing moves it (the quake reaches them through their own draw offset).
extern std::array<ObjPoint, 4> fieldLayerOffset;
// Per layer index: raised by scroll op 5; that layer ends.
extern std::array<uint8_t, 4> fieldLayerKill;
// Per layer index: the stage frame up to which that layer has run.
extern std::array<int32_t, 4> layerFrame;

// The background's current tint, 0..255 each: the last fieldLayerTint's.
struct FieldLayerTint {
    int32_t r, g, b;
};
extern FieldLayerTint fieldLayerSharedTint;

// Set while the stage-3 large enemy (kind 62) lives and while the stage-5
// boss darkens the background; both deepen the layers' tint.
extern uint8_t st03WaveFlag;
extern uint8_t st05bossDarken;

// The shift of follow slot 1..4; (0, 0) for any other slot.
ObjPoint fieldLayerShiftOf(int32_t slot);
// The draw offset of follow slot 1..4; (0, 0) for any other slot.
ObjPoint fieldLayerOffsetOf(int32_t slot);

// One tile's source rectangle on its sheet.
struct FieldTileSource {
    uint32_t x, y, w, h;
};

// A stage's layer parameters.
struct FieldLayerParams {
    float baseX[4], baseY[4];
    int32_t tileSize, columns, span;
    int32_t firstFrame[4];
    int32_t tiles[4];
};
const FieldLayerParams& fieldLayerParams(int32_t stage);

// Clears the shifts and kill flags.
void fieldScrollReset();
// The stage load's reset: the above, the layer frames, the shared tint white
// and the two darkening flags.
void fieldLayersReset();
// The field's set-up: installs fieldLayerDrawTiles as the flush's tile
// drawer; the four layer tasks of the stage (groups 2 to 5,
// FILD, the field their parent), every layer frame the stage frame, the
// shifts and kill flags cleared.
void fieldLayersCreate(ObjTask* field, int32_t stage);

// The act of a stage's layer index; null outside 0..5 and 0..3.
using FieldLayerAct = void (*)(ObjTask*);
FieldLayerAct fieldLayerAct(int32_t stage, int32_t index);

// Runs the script rows of one stage frame: 0 when an op-0 row ran, else 1.
uint8_t fieldScrollStep(ObjTask* task, ObjWork* work, const ScrollScript* script, LayerScrollState& state,
                        int32_t frame);
// One step of movement and the wrap rules.
void fieldLayerMove(ObjWork* work, LayerScrollState& state);
// Eases the layer's tint one step toward its target; stores it in the
// work and the shared tint.
void fieldLayerTint(ObjWork* work);
// Draws the layer's visible tiles (the flush's tile hook).
void fieldLayerDrawTiles(ObjWork* work, const void* tileSource, int32_t tileSize, int32_t columns, int32_t span,
                         int32_t compareX, int32_t compareY);
// Queues the layer's tile draw entry.
void fieldLayerDraw(ObjTask* task, ObjWork* work);
// Frees the layer's work.
void fieldLayerFree(ObjTask* task);

// 16.16 sine and cosine of an angle of 65536 units a turn.
int32_t fixedSin(int32_t angle16);
int32_t fixedCos(int32_t angle16);
