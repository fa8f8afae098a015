#pragma once
// MMotionRenderer: one render of a motion layer's sorted queue. Each item is
// a grid of points drawn as one quad (one cell) or one triangle strip, with
// its texture, draw mode, colours and clip rectangle. Runs of items under
// the same stencil composite share one composite: its masks are drawn once
// per run (additive ones intersect, subtractive ones cut out), optionally
// with the scissor narrowed to the run's bounds. Texture, draw mode, colour
// and scissor are set only when they change from the item before, which is
// what the sort by depth is for. Blur items are drawn as a series of
// horizontal and vertical passes.
//
// Threads: main thread, inside the motion layer's draw.

#include <cstdint>
#include <vector>

#include "engine/motion/motion_render_item.h"
#include "engine/render/display.h"

class MMotionLayer;
class MWinD3DWin;
struct MWinD3DTexture;
struct D3DColouredVertex;

// The passes a blur of strength n pixels is split into, strongest first:
// each the index (0 to 4) of a step of 1, 2, 3, 6 or 9 pixels.
std::vector<int32_t> motionBlurPasses(int32_t n);

class MMotionRenderer {
public:
    MMotionRenderer(MMotionLayer& layer, MDisplay& display);

    // Draws the queue in queue order and leaves the window unmasked, with the
    // scissor it found.
    void render(const std::vector<MMotionRenderItem*>& queue);

    // Draws one grid with the current texture and draw state. corners are
    // ARGB, top-left, top-right, bottom-left, bottom-right; source is the
    // texel rectangle (left, top, width, height).
    void drawMotionMesh(const float* points, const uint32_t* corners, const float* source, int32_t columns,
                        int32_t rows);

private:
    void changeGroup(const std::vector<MMotionRenderItem*>& queue, size_t index);
    void endGroup();
    void computeGroupBounds(const std::vector<MMotionRenderItem*>& queue, size_t index);
    void drawMasks();
    void drawMask(MMotionRenderItem& mask);
    void applyClip(const float* clip);
    void bindTexture(int32_t slot);
    void setDrawMode(MMotionRenderItem& item);
    void drawItem(MMotionRenderItem& item);
    void setScissor(const MRectF& rect);
    void setEffectRegion(MMotionRenderItem& item);
    void drawWith(uint32_t mode, float parameter, const float* points, const uint32_t* corners, const float* source,
                  int32_t columns, int32_t rows);

    MMotionLayer& layer_;
    MDisplay& display_;
    MWinD3DWin& win_;
    MRectF screen_;  // the scissor found at entry
    MMotionRenderItem* container_ = nullptr;
    MRectF groupBounds_;
    bool hasGroupBounds_ = false;
    const float* clip_ = nullptr;
    bool visible_ = false;
    int32_t textureSlot_ = -1;
    MWinD3DTexture* texture_ = nullptr;
    uint32_t drawMode_ = 0;
    float effectParameter_ = 0.0f;
    uint32_t colorMode_ = 0;
    uint32_t color_ = 0;       // ARGB
    uint32_t maskReference_ = 0;
};
