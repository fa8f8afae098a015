#pragma once
// MMotionTexture: one slot of a motion layer's texture table, the texture of
// a motion file's source with the sampling filters the layer draws it with.
//
// Threads: made and destroyed on the main thread (motion slots open and
// close there); read by the layer's render in the draw phase.

#include <cstdint>

#include "engine/render/psb_texture.h"

struct MMotionTexture {
    MPSBTexture texture;    // empty when the image gave no texture
    int32_t minFilter = 0;  // 0 point, 1..5 linear
    int32_t magFilter = 0;
};

// Gives the texture back (one reference of a shared one) and frees the record;
// null is ignored.
inline void destroyPSBTexture(MMotionTexture* record) { delete record; }
