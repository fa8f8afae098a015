// MWinD3DWin's draw primitives: the only calls that put triangles on the
// device. Each shifts its positions by the pixel offset, binds its texture,
// sets its draw state and draws once from memory.
#include <vector>

#include "engine/render/win_d3d_win.h"

using platform::PrimitiveType;
using platform::RenderState;

void MWinD3DWin::shiftPositions(D3DColouredVertex* vertices, int32_t count, float sign) {
    for (int32_t i = 0; i < count; ++i) {
        vertices[i].x += sign * pixelOffsetX_;
        vertices[i].y += sign * pixelOffsetY_;
        vertices[i].z = 0.0f;
    }
}

void MWinD3DWin::drawQuadBatch(const MQuadBatch& batch, uint32_t colour) {
    const int32_t count = batch.count > 0 ? batch.count : 0;
    std::vector<D3DColouredVertex> vertices(size_t(count) * 6);
    const float w = batch.texture ? float(batch.texture->width) : 1.0f;
    const float h = batch.texture ? float(batch.texture->height) : 1.0f;
    // Two triangles a quad: top-left, top-right, bottom-left; top-right,
    // bottom-left, bottom-right.
    static const int kCorner[6] = {0, 1, 3, 1, 3, 2};
    for (int32_t q = 0; q < count; ++q) {
        const MQuadBatch::Quad& quad = batch.quads[q];
        const float uL = quad.sourceX / w, vT = quad.sourceY / h;
        const float uR = uL + quad.sourceWidth / w, vB = vT + quad.sourceHeight / h;
        const float us[4] = {uL, uR, uR, uL}, vs[4] = {vT, vT, vB, vB};
        for (int i = 0; i < 6; ++i) {
            const int c = kCorner[i];
            const MQuadBatch::Quad::Corner& corner = quad.corners[c];
            vertices[size_t(q) * 6 + size_t(i)] = {corner.x + pixelOffsetX_, corner.y + pixelOffsetY_, 0.0f,
                                                   corner.colour, us[c], vs[c]};
        }
    }
    setTexture(batch.texture);
    setDrawState(batch.mode, 0, colour, 0.0f);
    device_->drawPrimitiveUP(PrimitiveType::TriangleList, 2 * count, vertices.data(), sizeof(D3DColouredVertex));
}

void MWinD3DWin::drawColorQuad(D3DColouredVertex* vertices) {
    for (int i = 0; i < 4; ++i) {
        vertices[i].x += pixelOffsetX_;
        vertices[i].y += pixelOffsetY_;
        vertices[i].u = vertices[i].v = 0.0f;
    }
    setTexture(hatch_);
    // Straight to the solid shader: choosing mode 0's first would switch twice.
    applyDrawState(0, 0, 0, 0.0f, solidPixelShader());
    applySolidShader();
    device_->drawPrimitiveUP(PrimitiveType::TriangleFan, 2, vertices, sizeof(D3DColouredVertex));
}

void MWinD3DWin::drawColorStrip(const D3DColouredVertex* vertices, int32_t count) {
    setTexture(hatch_);
    applyDrawState(0, 0, 0, 0.0f, solidPixelShader());
    applySolidShader();
    device_->drawPrimitiveUP(PrimitiveType::TriangleFan, count > 2 ? count - 2 : 0, vertices,
                             sizeof(D3DColouredVertex));
}

void MWinD3DWin::drawTexturedQuad(D3DColouredVertex* vertices, MWinD3DTexture* texture, MDrawMode mode,
                                  float parameter, int32_t colourMode, uint32_t colour) {
    shiftPositions(vertices, 4, 1.0f);
    setTexture(texture);
    setDrawState(mode, colourMode, colour, parameter);
    device_->drawPrimitiveUP(PrimitiveType::TriangleFan, 2, vertices, sizeof(D3DColouredVertex));
}

void MWinD3DWin::drawTexturedStrip(D3DColouredVertex* vertices, int32_t triangles, MDrawMode mode,
                                   float parameter) {
    const int32_t n = triangles > 0 ? triangles : 0;
    shiftPositions(vertices, n + 2, 1.0f);
    setTexture(stripTexture_);
    setDrawState(mode, stripColourMode_, stripColour_, parameter);
    device_->drawPrimitiveUP(PrimitiveType::TriangleStrip, n, vertices, sizeof(D3DColouredVertex));
    shiftPositions(vertices, n + 2, -1.0f);
}

void MWinD3DWin::drawTexturedMesh(D3DTwoTextureVertex* vertices, MWinD3DTexture* texture,
                                  MWinD3DTexture* pattern) {
    platform::Device& d = *device_;
    for (int i = 0; i < 4; ++i) {
        vertices[i].x += pixelOffsetX_;
        vertices[i].y += pixelOffsetY_;
        vertices[i].z = 0.0f;
    }
    setTexture(texture);
    applyBlendRow(blendRow(0));
    platform::VertexShader* previous = currentVertexShader_;
    setVertexShader(1, 0);
    setPixelShader(kPatternPixelShader);
    setVertexFormat(2);
    if (pattern) setTextureFilter(pattern->minFilter, pattern->magFilter, 1);
    d.setTexture(1, pattern ? pattern->texture : nullptr);
    d.drawPrimitiveUP(PrimitiveType::TriangleFan, 2, vertices, sizeof(D3DTwoTextureVertex));
    d.setTexture(1, nullptr);
    setVertexFormat(1);
    // The previous shader goes back on the device while the cached a and
    // index stay those of the mesh's: a later effect draw picks its vertex
    // shader with a = 1.
    currentVertexShader_ = previous;
    d.setVertexShader(previous);
    currentPixelShader_ = nullptr;
    d.setPixelShader(nullptr);
}

int32_t MWinD3DWin::solidPixelShader() const { return hatch_ ? kHatchPixelShader : kSolidPixelShader; }

void MWinD3DWin::applySolidShader() {
    if (!hatch_) {
        setPixelShader(kSolidPixelShader);
        return;
    }
    float screenW = 0, screenH = 0;
    view_->getScreenSize(screenW, screenH);
    const float constants[8] = {hatchX_ - screenW / 2, hatchY_ - screenH / 2, 0.0f, 0.0f,
                                float(hatch_->width), float(hatch_->height), 0.0f, 0.0f};
    device_->setPixelShaderConstants(0, constants, 2);
    setPixelShader(kHatchPixelShader);
}
