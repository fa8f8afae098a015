#include "game/core/draw_store.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "game/core/draw_store_state.h"
#include "game/core/obj_work.h"
#include "game/core/sprite_frames.h"

DrawStoreState drawStore;

namespace {

// The string copied into this frame's text area, or null when it no longer fits.
const char* copyText(const char* text) {
    if (text == nullptr) return nullptr;
    const size_t size = std::strlen(text) + 1;
    if (size > static_cast<size_t>(kDrawTextArea - drawStore.textUsed)) return nullptr;
    char* copy = drawStore.text + drawStore.textUsed;
    std::memcpy(copy, text, size);
    drawStore.textUsed += static_cast<int>(size);
    return copy;
}

void request(DrawObj* entry) {
    // The store ends the process before the list can fill; this guards a
    // frame whose list was never cleared.
    if (drawStore.requestCount >= DRAWOBJ_STORE_MAX) return;
    drawStore.requests[drawStore.requestCount++] = entry;
    if (drawStore.requestCount < DRAWOBJ_STORE_MAX) drawStore.requests[drawStore.requestCount] = nullptr;
}

DrawObj* queue(ObjWork* owner, int32_t type) {
    DrawObj* entry = OBJdrawObjAlloc(owner, 0, type);
    request(entry);
    return entry;
}

// trunc(value) when it is a finite number well inside 64 bits.
bool truncChecked(float value, int64_t& out) {
    if (!std::isfinite(value) || std::fabs(value) >= 4.0e18f) return false;
    out = static_cast<int64_t>(value);
    return true;
}

int32_t truncInt(float value) {
    int64_t out = 0;
    if (!truncChecked(value, out)) return 0;
    if (out > INT32_MAX) return INT32_MAX;
    if (out < INT32_MIN) return INT32_MIN;
    return static_cast<int32_t>(out);
}

}  // namespace

DrawObj* OBJdrawObjAlloc(ObjWork* owner, int32_t subtype, int32_t type) {
    if (drawStore.count >= DRAWOBJ_STORE_MAX) {
        std::printf("DRAWOBJ_STORE_MAX over !!!!! \r\n");
        std::exit(1);
    }
    DrawObj* entry = &drawStore.entries[drawStore.count++];
    OBJdrawObjReset(entry);
    entry->owner = owner;
    entry->subtype = subtype;
    entry->type = type;
    entry->dstW = 0;
    entry->dstH = 0;
    return entry;
}

void OBJdrawObjReset(DrawObj* entry) {
    entry->text = nullptr;
    entry->type = kDrawNone;
    entry->owner = nullptr;
    entry->subtype = 0;
    entry->frameId = -1;
    entry->motionSlot = -1;
}

void OBJdrawObjResetOwned(const ObjWork* owner) {
    if (owner == nullptr) return;
    for (int i = 0; i < drawStore.count; ++i) {
        if (drawStore.entries[i].owner == owner) OBJdrawObjReset(&drawStore.entries[i]);
    }
}

void OBJdrawSprite(ObjWork* owner, int32_t frameId, float x, float y, int32_t layer, float scaleX, float scaleY,
                   float angle, float alpha, int32_t blend) {
    const SpriteFrame& row = OBJframeRow(frameId);
    const float w = static_cast<float>(static_cast<uint32_t>(row.w));
    const float h = static_cast<float>(static_cast<uint32_t>(row.h));
    int64_t drawnW = 0;
    int64_t drawnH = 0;
    // A size too large for any integer is as undrawable as one of zero.
    if (!truncChecked(w * scaleX, drawnW) || !truncChecked(h * scaleY, drawnH)) return;
    if ((drawnW & 0xFFFF) == 0 || (drawnH & 0xFFFF) == 0 || alpha == 0.0f) return;

    DrawObj* entry = queue(owner, kDrawSprite);
    entry->frame = &row;
    entry->frameId = frameId;
    entry->scaleX = scaleX;
    entry->scaleY = scaleY;
    entry->srcW = row.w;
    entry->srcH = row.h;
    entry->dstW = static_cast<int16_t>(drawnW);
    entry->dstH = static_cast<int16_t>(drawnH);

    float px = static_cast<float>(row.originX + row.pivotX);
    float py = -static_cast<float>(row.originY + row.pivotY);
    const int32_t flip = owner != nullptr ? owner->flip : 0;
    entry->flip = 0;
    if (flip == 1) {
        px = -px;
        entry->flip = 1;
    } else if (flip == 2) {
        py = -py;
        entry->flip = 2;
    }
    if (owner != nullptr && owner->rotate != 0) {
        const float c = std::cos(angle);
        const float s = std::sin(angle);
        const float turnedX = c * px - s * py;
        py = s * px + c * py;
        px = turnedX;
    }
    entry->srcX = 0;
    entry->srcY = 0;
    entry->dstX = truncInt(px * scaleX + x) - truncInt(w * scaleX * 0.5f);
    entry->dstY = truncInt(py * scaleY + y) - truncInt(h * scaleY * 0.5f);
    entry->layer = layer;
    entry->blend = blend;
    entry->alpha = alpha;
    entry->angle = angle;
    entry->r = owner != nullptr ? owner->r : 255;
    entry->g = owner != nullptr ? owner->g : 255;
    entry->b = owner != nullptr ? owner->b : 255;
}

void OBJdrawRect(ObjTask* task, ObjWork* owner, const void* tileList, int32_t layer, int32_t tileSize,
                 int32_t tileColumns, int32_t tileParam1, int32_t tileParam2) {
    DrawObj* entry = queue(owner, kDrawTileLayer);
    entry->task = task;
    entry->tileList = tileList;
    entry->layer = layer;
    entry->tileSize = tileSize;
    entry->tileColumns = tileColumns;
    entry->tileParam1 = tileParam1;
    entry->tileParam2 = tileParam2;
    entry->tileSkipX = 0;
    entry->tileSkipY = 0;
}

void OBJdrawMotion(ObjWork* owner, int32_t motionSlot, int32_t layer, int32_t blend, float alpha, int r, int g,
                   int b) {
    DrawObj* entry = queue(owner, kDrawMotion);
    entry->motionSlot = motionSlot;
    entry->layer = layer;
    entry->blend = blend;
    entry->alpha = alpha;
    entry->r = static_cast<uint8_t>(r);
    entry->g = static_cast<uint8_t>(g);
    entry->b = static_cast<uint8_t>(b);
}

const char* OBJdrawTextCopy(const char* text) { return copyText(text); }

void OBJdrawObjQueue(DrawObj* entry) {
    if (entry != nullptr) request(entry);
}

void OBJdrawText(ObjWork* owner, const char* text, float x, float y, int32_t layer) {
    DrawObj* entry = queue(owner, kDrawBitmapText);
    entry->text = copyText(text);
    entry->x = x;
    entry->y = y;
    entry->layer = layer;
}

void OBJdrawFontText(ObjWork* owner, int32_t fontIndex, const char* text, float x, float y, float alpha, int r,
                     int g, int b, int32_t fontSize) {
    DrawObj* entry = queue(owner, kDrawFontText);
    entry->text = copyText(text);
    entry->layer = kDrawFontLayer;
    entry->fontIndex = fontIndex;
    entry->x = x;
    entry->y = y;
    entry->alpha = alpha;
    entry->r = static_cast<uint8_t>(r);
    entry->g = static_cast<uint8_t>(g);
    entry->b = static_cast<uint8_t>(b);
    entry->fontSize = fontSize;
}

void OBJdrawRequestsClear() {
    drawStore.requestCount = 0;
    drawStore.requests[0] = nullptr;
}

int OBJdrawStoreCount() { return drawStore.count; }
DrawObj* OBJdrawStoreEntry(int index) { return &drawStore.entries[index]; }
int OBJdrawRequestCount() { return drawStore.requestCount; }
int OBJdrawLayerCount(int layer) { return drawStore.layerCounts[layer]; }
