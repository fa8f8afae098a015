#pragma once
// MIndicator: a view that shows one text in a font. setText lays the text out
// and sizes the view to it; draw draws it at the view's position. Made
// hidden: its owner shows it.
//
// The font is owned (deleted with the view) unless the view is made with
// MFontOwnership::Borrowed, for the owner that shows many texts in one font.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

#include "engine/render/view.h"
#include "engine/ui/font.h"

enum class MFontOwnership { Owned, Borrowed };

class MIndicator : public MFixedSizeView {
public:
    MIndicator(MFont* font, float charGap, float lineGap, MFontOwnership ownership = MFontOwnership::Owned);
    ~MIndicator() override;

    void setText(const std::string& text);
    void draw(int pass) override;
    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }

    MFont* getFont() const { return font_; }
    const GlyphRuns& getRuns() const { return runs_; }
    // Draws at whole-number positions (truncated).
    void setIntegerSnap(bool snap) { integerSnap_ = snap; }
    bool getIntegerSnap() const { return integerSnap_; }
    // 255 keeps each run's alpha; below scales it.
    void setAlpha(int32_t alpha) { alpha_ = alpha; }
    int32_t getAlpha() const { return alpha_; }
    // As MFont::drawText's align, in a box of width 0.
    void setAlignment(int32_t alignment) { alignment_ = alignment; }
    int32_t getAlignment() const { return alignment_; }

private:
    MFont* font_;
    GlyphRuns runs_;
    float charGap_;
    float lineGap_;
    MViewPoint position_;
    bool integerSnap_ = false;
    int32_t alpha_ = 255;
    int32_t alignment_ = 0;
    MFontOwnership ownership_;
};
