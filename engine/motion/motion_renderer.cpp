#include "engine/motion/motion_renderer.h"

#include <algorithm>
#include <cmath>

#include "engine/motion/color_interpolation.h"
#include "engine/motion/motion_layer.h"
#include "engine/motion/motion_source_info.h"
#include "engine/render/capture_view.h"
#include "engine/render/d3d_vertex.h"
#include "engine/render/win_d3d_win.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFFu;
// Blur modes are destination effects whose passes are split by the renderer.
constexpr uint32_t kBlurMode = 0x10D;

// The strip vertices of every mesh; main thread only, and only ever grows.
std::vector<D3DColouredVertex>& stripScratch() {
    static std::vector<D3DColouredVertex> vertices;
    return vertices;
}

uint32_t toArgb(uint32_t rgba) { return (rgba >> 8) | (rgba << 24); }

bool isEmpty(const MRectF& r) { return !(r.right > r.left && r.bottom > r.top); }

MRectF intersect(const MRectF& a, const MRectF& b) {
    return {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
            std::min(a.bottom, b.bottom)};
}

// Grows `into` by the bounds of the item's grid; false when the grid has no
// points, so that an empty grid counts for nothing.
void includeBounds(MRectF& into, bool& any, MMotionRenderItem& item) {
    const float* b = item.grid->validBounds();
    if (b[0] > b[2] || b[1] > b[3]) return;
    if (!any) {
        into = {b[0], b[1], b[2], b[3]};
        any = true;
        return;
    }
    into = {std::min(into.left, b[0]), std::min(into.top, b[1]), std::max(into.right, b[2]),
            std::max(into.bottom, b[3])};
}

// A grid whose point list is shorter than its cells say is left out whole.
bool gridIsWhole(const MMotionVertexGrid* grid) {
    if (!grid || grid->columns < 1 || grid->rows < 1) return false;
    return grid->points.size() >= 2 * (size_t(grid->columns) + 1) * (size_t(grid->rows) + 1);
}

bool isDrawn(const MMotionRenderItem& item) { return !item.blank && item.opacity != 0 && gridIsWhole(item.grid); }
bool isMaskDrawn(const MMotionRenderItem& item) { return !item.blank && gridIsWhole(item.grid); }

bool isBlur(uint32_t mode) { return (mode & 0xFF0F) == kBlurMode; }

bool chainHasKind(const MMotionRenderItem* container, int32_t kind) {
    for (; container; container = container->container) {
        if (container->maskKind() == kind) return true;
    }
    return false;
}

}  // namespace

std::vector<int32_t> motionBlurPasses(int32_t n) {
    static constexpr int32_t kSteps[] = {9, 6, 3, 2, 1};
    std::vector<int32_t> passes;
    while (n > 0) {
        for (int32_t i = 0; i < 5; ++i) {
            if (kSteps[i] > n) continue;
            passes.push_back(4 - i);
            n -= kSteps[i];
            break;
        }
    }
    return passes;
}

MMotionRenderer::MMotionRenderer(MMotionLayer& layer, MDisplay& display)
    : layer_(layer), display_(display), win_(*display.d3dWin()), screen_(display.scissorRect()) {
    visible_ = !isEmpty(screen_);
}

void MMotionRenderer::render(const std::vector<MMotionRenderItem*>& queue) {
    for (size_t i = 0; i < queue.size(); ++i) {
        MMotionRenderItem& item = *queue[i];
        if (!isDrawn(item)) continue;
        if (item.container != container_) changeGroup(queue, i);
        if (item.clip != clip_) applyClip(item.clip);
        if (item.texture != textureSlot_) bindTexture(item.texture);
        if (item.drawMode != drawMode_ || item.bp != effectParameter_) setDrawMode(item);
        if (item.colorMode != colorMode_ || toArgb(item.color) != color_) {
            colorMode_ = item.colorMode;
            color_ = toArgb(item.color);
        }
        if (visible_) drawItem(item);
    }
    if (container_) {
        container_ = nullptr;
        endGroup();
    }
    D3DMaskComposite& mask = win_.maskComposite();
    mask.parameterFlag = false;
    mask.scale = 1.0f;
    mask.offset = 0.0f;
    setScissor(screen_);
    win_.endMaskComposite();
}

void MMotionRenderer::setScissor(const MRectF& rect) { display_.setScissorRect(rect.left, rect.top, rect.right, rect.bottom); }

void MMotionRenderer::endGroup() {
    hasGroupBounds_ = false;
    setScissor(screen_);
    visible_ = !isEmpty(screen_);
    win_.endMaskComposite();
}

void MMotionRenderer::changeGroup(const std::vector<MMotionRenderItem*>& queue, size_t index) {
    hasGroupBounds_ = false;
    container_ = queue[index]->container;
    if (!container_) {
        endGroup();
        return;
    }
    if (layer_.maskBounds()) computeGroupBounds(queue, index);
    if (!hasGroupBounds_) setScissor(screen_);
    drawMode_ = 0;
    effectParameter_ = 0.0f;
    colorMode_ = 0;
    color_ = 0;
    maskReference_ = chainHasKind(container_, MMotionRenderItem::kMaskSubtractive) ? 1 : 0;
    win_.beginMaskComposite(maskReference_);
    drawMasks();
    win_.finishMaskComposite(maskReference_);
    setScissor(hasGroupBounds_ ? groupBounds_ : screen_);
    visible_ = hasGroupBounds_ || !isEmpty(screen_);
    textureSlot_ = -1;
}

void MMotionRenderer::computeGroupBounds(const std::vector<MMotionRenderItem*>& queue, size_t index) {
    MRectF content;
    bool anyContent = false;
    for (size_t i = index; i < queue.size(); ++i) {
        MMotionRenderItem& item = *queue[i];
        if (!isDrawn(item)) continue;
        if (item.container != container_) break;
        includeBounds(content, anyContent, item);
    }
    MRectF masks;
    bool anyMask = false;
    for (MMotionRenderItem* m = container_; m; m = m->container) {
        if (m->maskKind() == MMotionRenderItem::kMaskSubtractive) continue;
        if (m->stencilType & MMotionRenderItem::kMaskUsesChildren) {
            for (MMotionRenderItem* child : m->children) {
                if (isMaskDrawn(*child)) includeBounds(masks, anyMask, *child);
            }
        } else if (isMaskDrawn(*m)) {
            includeBounds(masks, anyMask, *m);
        }
    }
    if (!anyContent || !anyMask) return;
    const MRectF both = intersect(content, masks);
    if (isEmpty(both)) return;
    MRectF projected;
    MDisplay::projectRect(projected, both.left, both.top, both.right, both.bottom);
    const MRectF widened{std::floor(projected.left) - 2.0f, std::floor(projected.top) - 2.0f,
                         std::ceil(projected.right) + 2.0f, std::ceil(projected.bottom) + 2.0f};
    const MRectF bounds = intersect(widened, screen_);
    if (isEmpty(bounds)) return;
    groupBounds_ = bounds;
    hasGroupBounds_ = true;
    setScissor(bounds);
}

// Additive masks first, each counting the mask up where the ones before
// covered; then the subtractive ones cut out of it.
void MMotionRenderer::drawMasks() {
    D3DMaskComposite& state = win_.maskComposite();
    uint32_t reference = maskReference_;
    for (int32_t kind : {MMotionRenderItem::kMaskAdditive, MMotionRenderItem::kMaskSubtractive}) {
        for (MMotionRenderItem* m = container_; m; m = m->container) {
            if (m->maskKind() != kind) continue;
            state.parameterFlag = m->stencilOn != 0;
            state.scale = m->stencilScale;
            if (kind == MMotionRenderItem::kMaskAdditive) {
                state.offset = m->stencilOffset;
                win_.nextMaskLayer(reference);
                ++reference;
            } else {
                state.offset = 1.0f - m->stencilScale - m->stencilOffset;
                win_.subtractMaskLayer(reference);
            }
            if (m->stencilType & MMotionRenderItem::kMaskUsesChildren) {
                for (MMotionRenderItem* child : m->children) {
                    if (isMaskDrawn(*child)) drawMask(*child);
                }
            } else if (isMaskDrawn(*m)) {
                drawMask(*m);
            }
        }
    }
    maskReference_ = reference;
}

// Masks leave no colour: they draw white, unhooked, with the reset state.
void MMotionRenderer::drawMask(MMotionRenderItem& mask) {
    if (mask.clip != clip_) applyClip(mask.clip);
    if (mask.texture != textureSlot_) bindTexture(mask.texture);
    if (!visible_) return;
    const uint32_t white[4] = {kWhite, kWhite, kWhite, kWhite};
    drawMotionMesh(mask.grid->points.data(), white, mask.source, mask.grid->columns, mask.grid->rows);
}

void MMotionRenderer::applyClip(const float* clip) {
    clip_ = clip;
    MRectF scissor = screen_;
    if (clip) {
        MRectF projected;
        MDisplay::projectRect(projected, clip[0], clip[1], clip[2], clip[3]);
        scissor = intersect(projected, screen_);
    }
    if (hasGroupBounds_) scissor = intersect(scissor, groupBounds_);
    visible_ = !isEmpty(scissor);
    if (visible_) setScissor(scissor);
}

void MMotionRenderer::bindTexture(int32_t slot) {
    textureSlot_ = slot;
    texture_ = nullptr;
    if (slot == MMotionSourceInfo::kCaptureTexture) {
        if (layer_.captureView()) texture_ = layer_.captureView()->texture();
    } else if (MMotionTexture* record = layer_.texture(slot)) {
        texture_ = record->texture.texture;
    }
    if (!texture_) return;
    texture_->minFilter = layer_.minFilter();
    texture_->magFilter = layer_.magFilter();
}

void MMotionRenderer::setDrawMode(MMotionRenderItem& item) {
    drawMode_ = item.drawMode;
    effectParameter_ = item.bp;
    if ((drawMode_ & 0xF00) == 0x100 && !isBlur(drawMode_)) setEffectRegion(item);
}

void MMotionRenderer::setEffectRegion(MMotionRenderItem& item) {
    const float* b = item.grid->validBounds();
    D3DDrawRegion& region = win_.drawRegion();
    region.minX = b[0];
    region.minY = b[1];
    region.maxX = b[2];
    region.maxY = b[3];
}

void MMotionRenderer::drawItem(MMotionRenderItem& item) {
    MMotionVertexGrid& grid = *item.grid;
    const size_t last = grid.points.size() / 2 - 1;
    const size_t rowEnd = size_t(grid.columns);
    const size_t lastRow = size_t(grid.columns + 1) * size_t(grid.rows);
    const size_t cornerPoints[4] = {0, rowEnd, lastRow, last};
    uint32_t corners[4];
    for (int c = 0; c < 4; ++c) {
        uint32_t colour = item.colors[c];
        const float x = grid.points[cornerPoints[c] * 2], y = grid.points[cornerPoints[c] * 2 + 1];
        for (auto& [key, hook] : layer_.colorHooks()) colour = hook->apply(x, y, colour);
        corners[c] = toArgb(colour);
    }
    if (!isBlur(drawMode_)) {
        drawMotionMesh(grid.points.data(), corners, item.source, grid.columns, grid.rows);
        return;
    }
    const MRectF& view = display_.viewExtents();
    const float viewW = view.right - view.left, viewH = view.bottom - view.top;
    const int32_t n = int32_t(std::max(viewW, viewH) * effectParameter_ + 0.5f);
    for (int32_t pass : motionBlurPasses(n)) {
        for (int32_t parameter : {pass, pass + 5}) {
            setEffectRegion(item);
            drawWith(drawMode_, float(parameter), grid.points.data(), corners, item.source, grid.columns, grid.rows);
        }
    }
}

void MMotionRenderer::drawMotionMesh(const float* points, const uint32_t* corners, const float* source,
                                     int32_t columns, int32_t rows) {
    drawWith(drawMode_, effectParameter_, points, corners, source, columns, rows);
}

void MMotionRenderer::drawWith(uint32_t mode, float parameter, const float* points, const uint32_t* corners,
                               const float* source, int32_t columns, int32_t rows) {
    if (layer_.overrideDrawMode() != -1) {
        mode = uint32_t(layer_.overrideDrawMode());
        parameter = layer_.overrideEffectParameter();
    }
    // A texture that could not be made leaves its coordinates at 0.
    const float w = texture_ && texture_->width > 0 ? float(texture_->width) : 0.0f;
    const float h = texture_ && texture_->height > 0 ? float(texture_->height) : 0.0f;
    const auto u = [w](float texel) { return w > 0.0f ? texel / w : 0.0f; };
    const auto v = [h](float texel) { return h > 0.0f ? texel / h : 0.0f; };
    if (columns == 1 && rows == 1) {
        const float uL = u(source[0]), uR = uL + u(source[2]);
        const float vT = v(source[1]), vB = vT + v(source[3]);
        // Fan order: top-left, top-right, bottom-right, bottom-left.
        D3DColouredVertex quad[4] = {
            {points[0], points[1], 0.0f, corners[0], uL, vT},
            {points[2], points[3], 0.0f, corners[1], uR, vT},
            {points[6], points[7], 0.0f, corners[3], uR, vB},
            {points[4], points[5], 0.0f, corners[2], uL, vB},
        };
        win_.drawTexturedQuad(quad, texture_, mode, parameter, int32_t(colorMode_), color_);
        return;
    }
    std::vector<uint32_t>& colours = layer_.vertexColorScratch();
    fillColorGrid(corners[0], corners[1], corners[2], corners[3], uint32_t(columns), uint32_t(rows), colours);
    std::vector<D3DColouredVertex>& strip = stripScratch();
    strip.clear();
    const size_t width = size_t(columns) + 1;
    const auto vertex = [&](int32_t row, int32_t column) {
        const size_t p = size_t(row) * width + size_t(column);
        const float texelU = source[0] + source[2] * float(column) / float(columns);
        const float texelV = source[1] + source[3] * float(row) / float(rows);
        return D3DColouredVertex{points[2 * p], points[2 * p + 1], 0.0f, colours[p], u(texelU), v(texelV)};
    };
    for (int32_t row = 0; row < rows; ++row) {
        // Repeated vertices join the rows with triangles of no area.
        if (row > 0) strip.push_back(vertex(row, 0));
        for (int32_t column = 0; column <= columns; ++column) {
            strip.push_back(vertex(row, column));
            strip.push_back(vertex(row + 1, column));
        }
        if (row < rows - 1) strip.push_back(strip.back());
    }
    win_.setStripSource(texture_, int32_t(colorMode_), color_);
    win_.drawTexturedStrip(strip.data(), int32_t(strip.size()) - 2, mode, parameter);
}
