#pragma once
// The draw store's arrays, shared by its queueing (draw_store.cpp) and its
// flush (draw_flush.cpp) only.

#include <cstdint>

#include "game/core/draw_store.h"

struct DrawStoreState {
    DrawObj entries[DRAWOBJ_STORE_MAX];
    int count;
    DrawObj* requests[DRAWOBJ_STORE_MAX];
    int requestCount;
    uint16_t buckets[kDrawLayers][kDrawLayerMax];  // store indices
    int layerCounts[kDrawLayers];
    char text[kDrawTextArea];
    int textUsed;
};
extern DrawStoreState drawStore;
