#include <cstdint>

#include "engine/render/raw_tex.h"
#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/draw_store_state.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"

DrawTileLayerFn tileLayerDrawer = nullptr;

namespace {

const DrawFlushHooks* flushHooks = nullptr;

void drawSprite(const DrawObj& entry) {
    MRawTex* sheet = SDL2_wheel_TextureGet(entry.frame->sheet);
    if (sheet == nullptr) return;
    const bool ownMode = entry.blend != kDrawBlendNormal;
    if (ownMode) {
        sheet->setDrawMode(static_cast<MDrawMode>(entry.blend));
        sheet->setAlpha(static_cast<uint8_t>(static_cast<int32_t>(entry.alpha * 255.0f)));
    }
    SDL2_wheel_TextureSetColor(sheet, entry.r, entry.g, entry.b);
    const SpriteFrame& row = *entry.frame;
    const WheelRect source{float(row.x), float(row.y), float(int16_t(row.w)), float(int16_t(row.h))};
    const WheelRect destination{float(entry.dstX), float(entry.dstY), float(entry.dstW), float(entry.dstH)};
    SDL2_wheel_TextureDraw(sheet, source, destination, entry.flip, entry.angle / 3.1415927f * 180.0f);
    if (ownMode) {
        sheet->setDrawMode(kDrawBlendNormal);
        sheet->setAlpha(255);
    }
}

void drawEntry(DrawObj& entry) {
    switch (entry.type) {
    case kDrawSprite:
        drawSprite(entry);
        break;
    case kDrawTileLayer:
        if (flushHooks != nullptr && flushHooks->drawTileLayer != nullptr) {
            flushHooks->drawTileLayer(entry.owner, entry.tileList, entry.tileSize, entry.tileColumns,
                                      entry.tileParam1, entry.tileSkipX, entry.tileSkipY);
        }
        break;
    case kDrawBitmapText:
        if (entry.text != nullptr) {
            SDL2_wheel_TextDraw(0, entry.text, int16_t(int32_t(entry.x)), int16_t(int32_t(entry.y)), entry.layer);
        }
        break;
    case kDrawFontText:
        if (entry.text != nullptr && flushHooks != nullptr && flushHooks->printTextLine != nullptr) {
            flushHooks->printTextLine(entry.fontIndex, entry.text, float(int16_t(int32_t(entry.x))),
                                      float(int16_t(int32_t(entry.y))), entry.r, entry.g, entry.b, entry.alpha,
                                      entry.fontSize);
        }
        break;
    default:
        break;  // motion slots are drawn by their own motion layer
    }
}

}  // namespace

void OBJdrawSetFlushHooks(const DrawFlushHooks* hooks) { flushHooks = hooks; }

void OBJdrawSortLayers() {
    for (int& count : drawStore.layerCounts) count = 0;
    for (int i = 0; i < drawStore.requestCount; ++i) {
        const DrawObj* entry = drawStore.requests[i];
        const int32_t layer = entry->layer;
        // Layers outside the buckets have nowhere to go.
        if (layer < 0 || layer >= kDrawLayers) continue;
        int& count = drawStore.layerCounts[layer];
        if (count >= kDrawLayerMax) continue;
        drawStore.buckets[layer][count++] = static_cast<uint16_t>(entry - drawStore.entries);
    }
}

void OBJdrawFlush() {
    for (int layer = 0; layer < kDrawLayers; ++layer) {
        selectSpriteLayer(layer);
        for (int i = 0; i < drawStore.layerCounts[layer]; ++i) drawEntry(drawStore.entries[drawStore.buckets[layer][i]]);
    }
    drawStore.count = 0;
    drawStore.textUsed = 0;
    // The buckets point at entries that are no longer this frame's.
    for (int& count : drawStore.layerCounts) count = 0;
}
