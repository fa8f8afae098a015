#pragma once
// MVirtualScreenView: places the picture of an MVirtualScreenDriver on the
// screen. Each placement copies a source rectangle of the picture (texture
// fractions) to a destination rectangle (fractions of the view's rectangle),
// with the view's colour, filters, draw mode and blend flag. Its fixed size
// is the driver's virtual size; the driver is not owned.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

#include "engine/render/draw_mode.h"
#include "engine/render/view.h"

class MVirtualScreenDriver;

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

private:
    void drawPlacement(const MVirtualScreenPlacement& p, const MRectF& rect, uint32_t argb);

    MVirtualScreenDriver* driver_;
    MViewPoint position_;
    float value_ = 0.0f;
    std::vector<MVirtualScreenPlacement> placements_{{0, 0, 1, 1, 0, 0, 1, 1}};
    uint32_t colour_ = 0xFFFFFFFF;
    int32_t minFilter_ = 0;
    int32_t magFilter_ = 0;
    MDrawMode drawMode_ = 0;
    bool blend_ = true;
};
