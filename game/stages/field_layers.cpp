// The background layers' tasks, scroll scripts, movement, tint and tiles.
#include "game/stages/field_layers.h"

#include <algorithm>
#include <cmath>

#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_ref.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/screen_effects.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"
#include "game/objects/fighter_counters.h"
#include "game/records/settings_file.h"
#include "game/stages/stage_field.h"
#include "game/stages/stage_tables.h"

std::array<ObjPoint, 4> fieldLayerShift{};
std::array<ObjPoint, 4> fieldLayerOffset{};
std::array<uint8_t, 4> fieldLayerKill{};
std::array<int32_t, 4> layerFrame{};
FieldLayerTint fieldLayerSharedTint{255, 255, 255};
uint8_t st03WaveFlag = 0;
uint8_t st05bossDarken = 0;

namespace {

constexpr int kFieldLayerGroupFirst = 2;
constexpr int32_t kFieldLayerMaxTiles = 1128;
constexpr float kFieldLayerDepth[4] = {10.0f, 100.0f, 200.0f, 300.0f};
constexpr int32_t kFieldScreenW = 224;
constexpr int32_t kFieldScreenH = 288;

constexpr FieldLayerParams kFieldLayerParams[kStageFields] = {
    {{112, 112, 112, 112}, {144, 144, 288, 288}, 64, 3, 3, {5946, 5966, 5986, 6022}, {20, 20, 36, 36}},
    {{112, 112, 112, 112}, {2016, 2016, 2016, 2016}, 128, 2, 2, {6058, 6122, 6186, 6250}, {64, 64, 64, 64}},
    {{336, 336, 336, 336}, {2224, 2224, 2224, 2224}, 128, 6, 2, {6314, 6524, 6734, 6944}, {210, 210, 210, 210}},
    {{1232, 1232, 1232, 1232}, {928, 928, 928, 928}, 128, 20, 2, {7154, 7454, 7754, 8054}, {300, 300, 300, 300}},
    {{112, 112, 112, 112}, {4292, 4292, 4292, 4292}, 128, 2, 2, {8354, 8490, 8626, 8762}, {136, 136, 136, 136}},
    {{1500, 1500, 1500, 1500},
     {3000, 3000, 3000, 3000},
     128,
     24,
     2,
     {8898, 10026, 11154, 12282},
     {1128, 1128, 1128, 1128}},
};

// Each layer index's tiles' source rectangles, copied at its start.
std::array<std::array<FieldTileSource, kFieldLayerMaxTiles>, 4> fieldTileSource{};

// S[k] = floor(65536 sin(2 pi k / 4096)), the first quarter.
struct FieldSineTable {
    FieldSineTable() {
        for (int k = 0; k < 1024; ++k) s[k] = uint16_t(std::floor(65536.0 * std::sin(2.0 * M_PI * k / 4096.0)));
    }
    uint16_t s[1024];
};
const FieldSineTable fieldSine;

int32_t fieldLayerIndexOf(const ObjWork* work) { return std::clamp(work->kind, 0, 3); }

void fieldLayerJump(LayerFields& l, const LayerScrollState& state) {
    l.offset.x -= state.jumpX;
    l.offset.y -= state.jumpY;
    l.accumulator.x -= state.jumpX * 100.0f;
    l.accumulator.y -= state.jumpY * 100.0f;
}

void fieldScrollRule(LayerScrollState& state, int32_t rule, const ScrollScript& row) {
    const float limit = float(row.a);
    state.jumpX = float(row.b);
    state.jumpY = float(row.c);
    switch (rule) {
    case 6:
        state.rule6 = 1, state.rule7 = 0, state.limit6 = limit;
        break;
    case 7:
        state.rule7 = 1, state.rule6 = 0, state.limit7 = limit;
        break;
    case 8:
        state.rule8 = 1, state.rule9 = 0, state.limit8 = limit;
        break;
    default:
        state.rule9 = 1, state.rule8 = 0, state.limit9 = limit;
        break;
    }
}

void fieldScrollRun(ObjWork* work, LayerScrollState& state, const ScrollScript& row) {
    LayerFields& l = bgLayer(work);
    switch (row.op) {
    case 1:
        l.offset = {float(row.a), float(row.b)};
        l.accumulator = {float(-row.a) * 100.0f, float(-row.b) * 100.0f};
        break;
    case 2:
        work->speed = float(row.a);
        l.pixelSpeedX = l.pixelSpeedY = float(row.a) / 100.0f;
        break;
    case 3:
        work->heading = row.a;
        l.headingRadiansX = l.headingRadiansY = float(row.a * (1.0 / 1024.0) * 2.0 * M_PI);
        break;
    case 5:
        if (row.a >= 0 && row.a <= 3) fieldLayerKill[size_t(row.a)] = 1;
        break;
    case 6:
    case 7:
    case 8:
    case 9:
        fieldScrollRule(state, row.op, row);
        break;
    case 10:
        state.xFactor = float(row.a) / 100.0f;
        break;
    case 11:
        state.yFactor = float(row.a) / 100.0f;
        break;
    default:
        break;  // op 4 does nothing
    }
}

void fieldLayerStart(ObjTask* task, int32_t stage, int32_t index) {
    ObjWork* work = OBJworkNew();
    if (work == nullptr) {
        task->state = kObjStateEnd;
        return;
    }
    task->work = work;
    task->release = fieldLayerFree;
    const FieldLayerParams& p = fieldLayerParams(stage);
    OBJworkSetFrames(work, p.firstFrame[index], std::min(p.tiles[index], kFieldLayerMaxTiles));
    work->draw = fieldLayerDraw;
    LayerFields& l = bgLayer(work);
    l.base = {p.baseX[index], p.baseY[index]};
    l.baseDepth = kFieldLayerDepth[index];
    work->angle = 0.0f;
    work->kind = index;
    work->x = l.base.x;
    work->y = l.base.y;
    work->depth = l.baseDepth;
    for (int32_t i = 0; i < work->frameCount; ++i) {
        const SpriteFrame& row = work->frameTable[i];
        fieldTileSource[size_t(index)][size_t(i)] = {uint32_t(row.x), uint32_t(row.y), uint32_t(row.w),
                                                     uint32_t(row.h)};
    }
    l.stage = stage;
    l.scriptCursor = 0;
    l.tileSize = p.tileSize;
    l.columns = p.columns;
    l.span = p.span;
    l.scroll = LayerScrollState{};
    l.scroll.xFactor = l.scroll.yFactor = 1.0f;
    work->r = work->g = work->b = 255;
    task->state = kObjStateRun;
}

void fieldLayerRun(ObjTask* task, ObjWork* work) {
    LayerFields& l = bgLayer(work);
    const int32_t index = fieldLayerIndexOf(work);
    const ScrollScript* script = stageLayerScript(l.stage, index);
    for (int32_t f = layerFrame[size_t(index)]; f < stageFrame; ++f) {
        l.previous = {work->x, work->y};
        fieldScrollStep(task, work, script, l.scroll, f);
        fieldLayerMove(work, l.scroll);
        work->x = l.base.x + l.offset.x;
        work->y = l.base.y + l.offset.y;
        work->depth = l.baseDepth;
        l.moved = {l.previous.x - work->x, l.previous.y - work->y};
        fieldLayerShift[size_t(index)] = {l.previous.x - work->x, work->y - l.previous.y};
        fieldLayerTint(work);
    }
    layerFrame[size_t(index)] = stageFrame;
}

void fieldLayerActOf(ObjTask* task, int32_t stage, int32_t index) {
    switch (task->state) {
    case kObjStateInit:
        fieldLayerStart(task, stage, index);
        break;
    case kObjStateRun:
        fieldLayerRun(task, task->work);
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}

template <int Stage, int Index>
void fieldLayerActFor(ObjTask* task) {
    fieldLayerActOf(task, Stage, Index);
}

template <int Stage>
constexpr std::array<FieldLayerAct, 4> kFieldLayerStageActs = {fieldLayerActFor<Stage, 0>, fieldLayerActFor<Stage, 1>,
                                                               fieldLayerActFor<Stage, 2>, fieldLayerActFor<Stage, 3>};
constexpr std::array<std::array<FieldLayerAct, 4>, kStageFields> kFieldLayerActs = {
    kFieldLayerStageActs<0>, kFieldLayerStageActs<1>, kFieldLayerStageActs<2>,
    kFieldLayerStageActs<3>, kFieldLayerStageActs<4>, kFieldLayerStageActs<5>};

// One channel toward its target by the step, never past it.
uint8_t fieldTintToward(uint8_t value, int32_t target, int32_t step) {
    const int32_t v = value;
    if (v < target) return uint8_t(std::min(v + step, target));
    if (v > target) return uint8_t(std::max(v - step, target));
    return value;
}

int32_t fieldTintScaled(int32_t target) {
    return std::clamp(target * settingsSnapshot.BG_BRIGHTNESS / 10, 0, 255);
}

}  // namespace

const FieldLayerParams& fieldLayerParams(int32_t stage) {
    return kFieldLayerParams[size_t(std::clamp(stage, 0, kStageFields - 1))];
}

ObjPoint fieldLayerShiftOf(int32_t slot) {
    if (slot < 1 || slot > 4) return {0.0f, 0.0f};
    return fieldLayerShift[size_t(slot - 1)];
}

ObjPoint fieldLayerOffsetOf(int32_t slot) {
    if (slot < 1 || slot > 4) return {0.0f, 0.0f};
    return fieldLayerOffset[size_t(slot - 1)];
}

void fieldScrollReset() {
    fieldLayerShift = {};
    fieldLayerKill = {};
}

void fieldLayersReset() {
    fieldScrollReset();
    fieldLayerOffset = {};
    layerFrame = {};
    fieldLayerSharedTint = {255, 255, 255};
    st03WaveFlag = 0;
    st05bossDarken = 0;
}

void fieldLayersCreate(ObjTask* field, int32_t stage) {
    tileLayerDrawer = fieldLayerDrawTiles;
    for (int32_t index = 0; index < 4; ++index) {
        ObjTask* task = OBJtaskCreate(fieldLayerAct(stage, index), kFieldLayerGroupFirst + index, objTag("FILD"));
        if (task != nullptr) task->parent = objRef(field);
    }
    layerFrame.fill(stageFrame);
    fieldScrollReset();
}

FieldLayerAct fieldLayerAct(int32_t stage, int32_t index) {
    if (stage < 0 || stage >= kStageFields || index < 0 || index > 3) return nullptr;
    return kFieldLayerActs[size_t(stage)][size_t(index)];
}

uint8_t fieldScrollStep(ObjTask* task, ObjWork* work, const ScrollScript* script, LayerScrollState& state,
                        int32_t frame) {
    LayerFields& l = bgLayer(work);
    uint8_t result = 1;
    while (script != nullptr) {
        const ScrollScript& row = script[l.scriptCursor];
        if (row.frame != frame || row.op < 0 || row.op > 11) break;
        if (row.op == 0) {
            result = 0;
            break;
        }
        fieldScrollRun(work, state, row);
        ++l.scriptCursor;
    }
    if (fieldLayerKill[size_t(fieldLayerIndexOf(work))] == 1) task->state = kObjStateEnd;
    return result;
}

void fieldLayerMove(ObjWork* work, LayerScrollState& state) {
    LayerFields& l = bgLayer(work);
    const int32_t s = int32_t(work->speed);
    const int32_t h = ((work->heading % 1024) + 1024) % 1024;
    const int32_t angle16 = h * 65535 / 1024;
    // 32-bit products as the fixed-point step has always wrapped them.
    const int32_t stepX = int32_t(uint32_t(fixedSin(angle16)) * uint32_t(s)) >> 16;
    const int32_t stepY = int32_t(0u - uint32_t(fixedCos(angle16)) * uint32_t(s)) >> 16;
    l.accumulator.x -= float(stepX) * state.xFactor;
    l.accumulator.y -= float(stepY) * state.yFactor;
    l.offset = {l.accumulator.x / 100.0f, l.accumulator.y / 100.0f};
    if (state.rule6 && l.offset.x <= -state.limit6) fieldLayerJump(l, state);
    if (state.rule7 && l.offset.x >= -state.limit7) fieldLayerJump(l, state);
    if (state.rule8 && l.offset.y <= -state.limit8) fieldLayerJump(l, state);
    if (state.rule9 && l.offset.y >= -state.limit9) fieldLayerJump(l, state);
}

void fieldLayerTint(ObjWork* work) {
    int32_t step = 8;
    const bool powerUp = fighterIsPowerUp();
    int32_t r = 255, gb = 255;
    if (powerUp) r = 220, gb = 150;
    if (st03WaveFlag != 0) r = 180, gb = powerUp ? 120 : 180, step = 1;
    if (st05bossDarken != 0) r = 120, gb = powerUp ? 80 : 120, step = 1;
    if (layerTintTimer > 0) r = gb = 128;
    r = fieldTintScaled(r);
    gb = fieldTintScaled(gb);
    work->r = fieldTintToward(work->r, r, step);
    work->g = fieldTintToward(work->g, gb, step);
    work->b = fieldTintToward(work->b, gb, step);
    fieldLayerSharedTint = {work->r, work->g, work->b};
}

void fieldLayerDrawTiles(ObjWork* work, const void* tileSource, int32_t tileSize, int32_t columns, int32_t span,
                         int32_t compareX, int32_t compareY) {
    if (work == nullptr || tileSource == nullptr || tileSize <= 0 || columns <= 0) return;
    const auto* sources = static_cast<const FieldTileSource*>(tileSource);
    const LayerFields& l = bgLayer(work);
    const int32_t offsetX = int32_t(l.offset.x);
    const int32_t offsetY = int32_t(l.offset.y);
    const int32_t first = std::max(0, (-(offsetY / tileSize) - 1) * columns);
    const int32_t last = std::min(work->frameCount, (kFieldScreenH / tileSize + 5) * columns + first);
    const int32_t colMin = -(offsetX / tileSize);
    const int32_t colMax = colMin + span;
    const float cosA = std::cos(work->angle), sinA = std::sin(work->angle);
    for (int32_t i = first; i < last; ++i) {
        MRawTex* sheet = SDL2_wheel_TextureGet(work->frameSheets[i]);
        if (sheet == nullptr) continue;
        const int32_t column = i % columns;
        if (column < colMin || column > colMax) continue;
        const FieldTileSource& source = sources[i];
        if (work->sameSheet[i] != 0 && int32_t(source.x) == compareX && int32_t(source.y) == compareY) continue;
        SDL2_wheel_TextureSetColor(sheet, work->r, work->g, work->b);
        const SpriteFrame& row = work->frameTable[i];
        float px = float(row.originX + row.pivotX), py = float(row.originY + row.pivotY);
        if (work->rotate != 0) {
            const float rx = px * cosA - py * sinA;
            py = px * sinA + py * cosA;
            px = rx;
        }
        const float dx = work->x - float(row.w / 2) + px;
        const float dy = work->y - float(row.h / 2) - py;
        const float t = float(tileSize);
        if (dx < -t || dx > t + kFieldScreenW || dy < -t || dy > t + kFieldScreenH) continue;
        const WheelRect src{float(source.x), float(source.y), float(source.w), float(source.h)};
        const WheelRect dst{dx + quakeOffsetX, dy + quakeOffsetY, float(row.w), float(row.h)};
        SDL2_wheel_TextureDraw(sheet, src, dst, 0, work->angle / 3.1415927f * 180.0f);
    }
}

void fieldLayerDraw(ObjTask* task, ObjWork* work) {
    const LayerFields& l = bgLayer(work);
    OBJdrawRect(task, work, fieldTileSource[size_t(fieldLayerIndexOf(work))].data(), int32_t(l.baseDepth), l.tileSize,
                l.columns, l.span, 0);
}

void fieldLayerFree(ObjTask* task) { TSKgameCtrlKill(task); }

int32_t fixedSin(int32_t angle16) {
    const int32_t i = int32_t(((uint32_t(angle16) + 8u) & 0xFFFFu) >> 4);
    const uint16_t* s = fieldSine.s;
    switch (i & 0xC00) {
    case 0:
        return s[i];
    case 0x400:
        return 2048 - i >= 1024 ? 65536 : s[2048 - i];
    case 0x800:
        return -int32_t(s[i - 2048]);
    default:
        return 4096 - i >= 1024 ? -65536 : -int32_t(s[4096 - i]);
    }
}

int32_t fixedCos(int32_t angle16) {
    const int32_t i = int32_t(((uint32_t(angle16) + 8u) & 0xFFFFu) >> 4);
    const uint16_t* s = fieldSine.s;
    switch (i & 0xC00) {
    case 0:
        return i == 0 ? 65536 : s[1024 - i];
    case 0x400:
        return -int32_t(s[i - 1024]);
    case 0x800:
        return 3072 - i >= 1024 ? -65536 : -int32_t(s[3072 - i]);
    default:
        return s[i - 3072];
    }
}
