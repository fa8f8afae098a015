#pragma once
// MCapture and MCaptured: a capture copies the part of the picture drawn so
// far in this frame that lies under its rectangle into a texture of its own;
// each captured view draws that copy again, faded by its alpha or dissolved
// through a mask texture. The motion layer makes a pair for its feedback
// content. Both are made hidden; their owner shows them.
//
// Threads: main thread only (the draw phase).

#include <cstdint>
#include <vector>

#include "engine/render/view.h"

struct MPSBTexture;
struct MWinD3DTexture;
class MCaptured;

class MCapture final : public MFixedSizeView {
public:
    MCapture();
    ~MCapture() override;

    void draw(int pass) override;
    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }

    // The captured rectangle in screen pixels, whole numbers once drawn.
    const MRectF& capturedRect() const { return captured_; }
    void setCapturedRect(const MRectF& rect) { captured_ = rect; }
    MWinD3DTexture* texture() const { return texture_; }

private:
    friend class MCaptured;

    void remake(const MRectF& rect);

    MViewPoint position_;
    std::vector<MCaptured*> views_;
    int32_t textureWidth_ = 0;
    int32_t textureHeight_ = 0;
    MWinD3DTexture* texture_ = nullptr;
    MRectF captured_;
};

class MCaptured final : public MFixedSizeView {
public:
    // Appends itself to the capture's views; its size is the capture's
    // rectangle's.
    explicit MCaptured(MCapture* capture);
    ~MCaptured() override;

    void draw(int pass) override;
    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }
    MCapture* capture() const { return capture_; }

    float alpha = 255.0f;
    MPSBTexture* mask = nullptr;  // not owned
    MRectF maskRect;              // in mask texels
    // How soft the dissolve's edge is; 0 counts as 1.
    int32_t vagueness = 0;
    int32_t maskWords[2] = {0, 0};
    float maskRepeatX = 1.0f;
    float maskRepeatY = 1.0f;

private:
    friend class MCapture;

    void drawPlain(const MRectF& rect);
    void drawMasked(const MRectF& rect);

    MCapture* capture_;
    MViewPoint position_;
};

// Screen-pixel rectangle of a capture after clamping to the view extents of
// the given size and rounding half away from zero; empty (right <= left or
// bottom <= top) when it lies off the screen.
MRectF captureScreenRect(const MRectF& projected, float viewWidth, float viewHeight);
