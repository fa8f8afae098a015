#pragma once
// MVirtualScreenView: places the picture of an MVirtualScreenDriver on the
// screen. Each placement copies a source rectangle of the picture (texture
// fractions) to a destination rectangle (fractions of the view's rectangle),
// with the view's colour, filters, draw mode and blend flag. Its fixed size
// is the driver's virtual size; the driver is not owned.
//
// With an overlay mask, each placement dissolves through the mask instead
// (pattern dissolve): progress 255 shows all of the picture, 0 none of it;
// the vagueness widens the soft edge, below 1 counted as 1.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

#include "engine/render/d3d_vertex.h"
#include "engine/render/draw_mode.h"
#include "engine/render/view.h"

class MVirtualScreenDriver;
struct MPSBTexture;

// The dissolve's pixel-shader constants: phase (c0.x) and invVague (c1.x).
struct MOverlayConstants {
    float phase;
    float invVague;
    bool operator==(const MOverlayConstants&) const = default;
};
MOverlayConstants overlayConstants(int32_t vagueness, float progress);

struct MVirtualScreenPlacement {
    float u0, v0, u1, v1;  // source, in fractions of the picture
    float x0, y0, x1, y1;  // destination, in fractions of the view
    bool operator==(const MVirtualScreenPlacement&) const = default;
};

class MVirtualScreenView : public MFixedSizeView {
public:
    explicit MVirtualScreenView(MVirtualScreenDriver* driver);
    ~MVirtualScreenView() override;
    MVirtualScreenView(const MVirtualScreenView&) = delete;
    MVirtualScreenView& operator=(const MVirtualScreenView&) = delete;

    // Nothing without a driver or without its target.
    void draw(int pass) override;
    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }
    virtual void setValue(float value) { value_ = value; }
    virtual float getValue() { return value_; }

    // Replaces the placements by [first, last).
    void assignPlacements(const MVirtualScreenPlacement* first, const MVirtualScreenPlacement* last);
    const std::vector<MVirtualScreenPlacement>& getPlacements() const { return placements_; }
    MVirtualScreenDriver* getDriver() const { return driver_; }
    // For the driver's destructor.
    void detachDriver() { driver_ = nullptr; }

    void setColour(uint32_t rgba) { colour_ = rgba; }
    // Selectors 0 point, 1..5 linear.
    void setTextureFilter(int32_t minSelector, int32_t magSelector);
    void setDrawMode(MDrawMode mode) { drawMode_ = mode; }
    // 0 draws without alpha blending.
    void setBlend(bool blend) { blend_ = blend; }
    // The mask is not owned; null draws without one.
    void setOverlay(MPSBTexture* mask, int32_t vagueness, float progress) {
        overlay_ = mask;
        vagueness_ = vagueness;
        progress_ = progress;
    }
    // Handed to the mask's last two caller words before each use.
    void setOverlayParameters(int32_t first, int32_t second) {
        overlayParameters_[0] = first;
        overlayParameters_[1] = second;
    }
    // How often the mask repeats across the view.
    void setOverlayRepeat(float x, float y) {
        overlayRepeatX_ = x;
        overlayRepeatY_ = y;
    }

private:
    void drawPlacement(const MVirtualScreenPlacement& p, const MRectF& rect, uint32_t argb);
    void drawOverlaid(const MVirtualScreenPlacement& p, const D3DColouredVertex (&vertices)[4]);

    MVirtualScreenDriver* driver_;
    MViewPoint position_;
    float value_ = 0.0f;
    std::vector<MVirtualScreenPlacement> placements_{{0, 0, 1, 1, 0, 0, 1, 1}};
    uint32_t colour_ = 0xFFFFFFFF;
    MPSBTexture* overlay_ = nullptr;
    int32_t vagueness_ = 0;
    float progress_ = 255.0f;
    int32_t overlayParameters_[2] = {0, 0};
    float overlayRepeatX_ = 1.0f;
    float overlayRepeatY_ = 1.0f;
    int32_t minFilter_ = 0;
    int32_t magFilter_ = 0;
    MDrawMode drawMode_ = 0;
    bool blend_ = true;
};
