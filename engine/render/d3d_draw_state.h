#pragma once
// The records MWinD3DWin keeps for its draw state: the stage-0 binding cache,
// the draw-region box that limits an effect's grab, and the state of mask
// compositing that the motion renderer drives.
//
// Threads: main thread only, as all drawing.

#include <cstdint>
#include <limits>

#include "engine/render/win_d3d_texture.h"
#include "platform/device/device.h"

// What stage 0 has bound, so rebinding the same texture costs nothing.
struct D3DStageCache {
    platform::Texture* texture = nullptr;
    platform::PixelFormat format = platform::PixelFormat::A8R8G8B8;
    int32_t minFilter = 0;
    int32_t magFilter = 0;
    int32_t addressU = 0;
    int32_t addressV = 0;
};

// Bounds, in world units, of the geometry about to be drawn in an effect
// mode; empty grabs the whole view.
struct D3DDrawRegion {
    float minX = std::numeric_limits<float>::max();
    float minY = std::numeric_limits<float>::max();
    float maxX = -std::numeric_limits<float>::max();
    float maxY = -std::numeric_limits<float>::max();

    bool isEmpty() const { return minX > maxX || minY > maxY; }
    void clear() { *this = D3DDrawRegion{}; }
    void include(float x, float y) {
        if (x < minX) minX = x;
        if (x > maxX) maxX = x;
        if (y < minY) minY = y;
        if (y > maxY) maxY = y;
    }
};

// Masked layers: the earlier layers are composited, in the stencil buffer
// (mode 0) or in two view-sized render targets (mode 1), into a mask the
// masked layer is drawn through.
struct D3DMaskComposite {
    int32_t mode = 0;  // 0 stencil, 1 render targets
    // Render-target mode: A is drawn into, B holds the layers before.
    MWinD3DTexture* targets[2] = {nullptr, nullptr};
    int32_t width = 0;
    int32_t height = 0;
    bool firstLayer = false;
    // While set, setDrawState leaves the composite's shaders and blending alone.
    bool stateLocked = false;
    // Set while the masked layer is drawn: shaders read the mask on sampler 1.
    bool maskLayer = false;
    platform::Viewport keptViewport;
    // Remaps each layer's alpha to saturate(alpha x scale + offset).
    bool parameterFlag = false;
    float scale = 1.0f;
    float offset = 0.0f;
};
