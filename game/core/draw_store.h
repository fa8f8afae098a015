#pragma once
// The draw store: game objects queue draw requests (DrawObj entries) during
// the frame's last act pass and the game's main draw; the main draw then
// sorts them into 1024 layer buckets (OBJdrawSortLayers) and flushes them
// layer by layer (OBJdrawFlush) into sprite quads on the root task's sprite
// layers, tile-layer draws, bitmap text and font text lines.
//
// The store, the request list, the buckets and the text copies are fixed
// arrays: queueing never allocates. Text entries copy their string into a
// per-frame text area, emptied by the flush; a text that no longer fits is
// not drawn.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;
struct SpriteFrame;

inline constexpr int DRAWOBJ_STORE_MAX = 16384;
inline constexpr int kDrawLayers = 1024;
inline constexpr int kDrawLayerMax = 1024;
inline constexpr int kDrawTextArea = 256 * 1024;
inline constexpr int32_t kDrawBlendNormal = 7;
inline constexpr int32_t kDrawFontLayer = 1001;

enum DrawObjType : int32_t {
    kDrawNone = -1,
    kDrawSprite = 0,
    kDrawTileLayer = 1,
    kDrawMotion = 3,
    kDrawBitmapText = 4,
    kDrawFontText = 6,
};

struct DrawObj {
    ObjTask* task;
    ObjWork* owner;
    int32_t subtype;
    int32_t type;
    float x, y;
    int32_t layer;
    float scaleX, scaleY;
    float angle;
    int32_t flip;
    int32_t frameId;
    const SpriteFrame* frame;
    int32_t srcX, srcY, srcW, srcH;
    int32_t dstX, dstY;
    int32_t dstW, dstH;
    int32_t blend;
    uint8_t r, g, b;
    float alpha;
    int32_t motionSlot;
    const char* text;
    const void* tileList;
    int32_t tileSize, tileColumns, tileParam1, tileParam2;
    int32_t tileSkipX, tileSkipY;
    int32_t fontSize;
    int32_t fontIndex;
};

using DrawTileLayerFn = void (*)(ObjWork* owner, const void* tileList, int32_t tileSize, int32_t tileColumns,
                                 int32_t tileParam1, int32_t tileSkipX, int32_t tileSkipY);

// What the flush hands on beyond sprites and bitmap text; installed by the root task.
struct DrawFlushHooks {
    void (*printTextLine)(int font, const char* text, float x, float y, int r, int g, int b, float alpha,
                          int fontSize);
    DrawTileLayerFn drawTileLayer;
};
void OBJdrawSetFlushHooks(const DrawFlushHooks* hooks);
// The stage background's tile drawing, set by the stage layers: the root
// task's flush hooks hand every tile-layer entry to it; null draws none.
extern DrawTileLayerFn tileLayerDrawer;

// The next store entry, reset and given to the owner; ends the process when
// the store is full. Does not queue it.
DrawObj* OBJdrawObjAlloc(ObjWork* owner, int32_t subtype, int32_t type);
void OBJdrawObjReset(DrawObj* entry);
// Resets every entry of this frame that the owner queued.
void OBJdrawObjResetOwned(const ObjWork* owner);
// For callers that fill an entry by hand: a copy of the text in the frame's
// text area (null when it no longer fits), and the entry's queueing.
const char* OBJdrawTextCopy(const char* text);
void OBJdrawObjQueue(DrawObj* entry);

void OBJdrawSprite(ObjWork* owner, int32_t frameId, float x, float y, int32_t layer, float scaleX, float scaleY,
                   float angle, float alpha, int32_t blend);
void OBJdrawRect(ObjTask* task, ObjWork* owner, const void* tileList, int32_t layer, int32_t tileSize,
                 int32_t tileColumns, int32_t tileParam1, int32_t tileParam2);
void OBJdrawMotion(ObjWork* owner, int32_t motionSlot, int32_t layer, int32_t blend, float alpha, int r, int g,
                   int b);
void OBJdrawText(ObjWork* owner, const char* text, float x, float y, int32_t layer);
void OBJdrawFontText(ObjWork* owner, int32_t fontIndex, const char* text, float x, float y, float alpha, int r,
                     int g, int b, int32_t fontSize);

// Empties the request list (the game's main update, once a frame).
void OBJdrawRequestsClear();
// Sorts the requests into the layer buckets; past 1024 a layer drops them.
void OBJdrawSortLayers();
// Draws the buckets, layer 0 first, and empties the store.
void OBJdrawFlush();

int OBJdrawStoreCount();
DrawObj* OBJdrawStoreEntry(int index);
int OBJdrawRequestCount();
int OBJdrawLayerCount(int layer);
