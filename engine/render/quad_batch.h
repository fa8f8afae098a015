#pragma once
// MQuadBatch: a run of sprites that share one texture and one draw mode,
// drawn by MWinD3DWin::drawQuadBatch as one triangle list.

#include <cstdint>

#include "engine/render/draw_mode.h"
#include "engine/render/win_d3d_texture.h"

struct MQuadBatch {
    // 64 bytes: the source rectangle in texels of the batch's texture, then
    // the corners top-left, top-right, bottom-right, bottom-left.
    struct Quad {
        float sourceWidth, sourceHeight, sourceX, sourceY;
        struct Corner {
            float x, y;
            uint32_t colour;  // ARGB
        } corners[4];
    };

    MWinD3DTexture* texture = nullptr;
    MDrawMode mode = 0;
    int32_t count = 0;
    const Quad* quads = nullptr;
};
static_assert(sizeof(MQuadBatch::Quad) == 64);
