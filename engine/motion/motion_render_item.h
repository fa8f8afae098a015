#pragma once
// MMotionRenderItem: what one drawable layer of a playing motion hands its
// motion layer for a frame: a textured grid of points with its colours, draw
// mode, clip rectangle and the stencil composites it is drawn under. The
// motion layer draws a frame's items ordered by the layer's depth, then the
// player's, then arrival. MMotionVertexGrid: the points an item draws.
//
// Threads: filled by the player's update, sorted and read on the main thread
// in the draw phase.

#include <cstdint>
#include <limits>
#include <vector>

struct MMotionVertexGrid {
    uint32_t word = 0;
    int32_t columns = 1;  // cells across
    int32_t rows = 1;     // cells down
    // (columns + 1) x (rows + 1) points, row by row, x and y each.
    std::vector<float> points;
    // min x, min y, max x, max y; valid while boundsValid is set. Whoever
    // changes the points resets both (resetBounds).
    float bounds[4] = {std::numeric_limits<float>::max(), std::numeric_limits<float>::max(),
                       -std::numeric_limits<float>::max(), -std::numeric_limits<float>::max()};
    uint8_t boundsValid = 0;

    void resetBounds();
    // The bounds, computed from the points when they are not valid yet.
    const float* validBounds();
};

struct MMotionRenderItem {
    // The bits of stencilType the renderer reads.
    static constexpr int32_t kMaskKindBits = 0x3;  // 1 additive, 2 subtractive
    static constexpr int32_t kMaskAdditive = 1;
    static constexpr int32_t kMaskSubtractive = 2;
    static constexpr int32_t kMaskUsesChildren = 0x4;  // the item stands for its children list
    // Bits of flags.
    static constexpr uint32_t kFlagOpaque = 0x2;
    static constexpr uint32_t kFlagDefaultColor = 0x4;

    uint32_t order = 0;   // arrival in the motion layer's queue, written by its draw
    uint8_t blank = 0;    // a blank rectangle: neither drawn nor counted in bounds
    uint32_t id = 0;      // the node's id
    float z = 0.0f;       // the layer node's evaluated depth; first sort key
    float playerZ = 0.0f; // the depth of the player the item came from; second sort key
    uint32_t drawMode = 0x10;
    float bp = 0.0f;      // the effect parameter
    // The player's render attributes: the pair is the colour mode (0 to 4)
    // and the colour (0xRRGGBBAA) the renderer draws with.
    uint32_t colorMode = 0;
    uint32_t color = 0;
    uint32_t attrWord = 0;
    float attrFloat = 1.0f;
    int32_t texture = -1; // slot of the layer's texture table; -2 the capture
    uint32_t flags = 0;
    float source[4] = {}; // left, top, width, height in texels
    uint32_t opacity = 255;  // 0 is not drawn
    // Corner colours 0xRRGGBBAA: top-left, top-right, bottom-left,
    // bottom-right (MMotionCorner order).
    uint32_t colors[4] = {0x808080ffu, 0x808080ffu, 0x808080ffu, 0x808080ffu};
    uint32_t layerWord = 0;
    int32_t coordinate = 0;
    const float* clip = nullptr;       // left, top, right, bottom in motion space; null: none
    const float* meshPatch = nullptr;  // the node's 16 control points when it bends, else null
    MMotionVertexGrid* grid = nullptr; // never null in a queued item
    int32_t stencilType = 0;
    uint8_t stencilOn = 0;
    float stencilScale = 1.0f;
    float stencilOffset = 0.0f;
    // In a drawn item the container it is drawn under; in a container the
    // next one out. The chain is the stencil composite of the item.
    MMotionRenderItem* container = nullptr;
    // A container with kMaskUsesChildren: itself, then the items of its masks.
    std::vector<MMotionRenderItem*> children{};

    int32_t maskKind() const { return stencilType & kMaskKindBits; }
};

// Numbers the queued items by arrival and sorts them into drawing order.
void sortMotionRenderQueue(std::vector<MMotionRenderItem*>& queue);
