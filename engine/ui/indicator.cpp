// MIndicator: a text view.
#include "engine/ui/indicator.h"

#include <cmath>

#include "engine/base/text_conv.h"

MIndicator::MIndicator(MFont* font, float charGap, float lineGap, MFontOwnership ownership)
    : font_(font), charGap_(charGap), lineGap_(lineGap), ownership_(ownership) {
    hide();
}

MIndicator::~MIndicator() {
    if (ownership_ == MFontOwnership::Owned) delete font_;
}

void MIndicator::setText(const std::string& text) {
    font_->layoutText(utf8ToWide(text), runs_);
    const MFontSize size = font_->measure(runs_, charGap_, lineGap_);
    setFixedSize(size.width, size.height);
}

void MIndicator::draw(int) {
    float x = position_.x, y = position_.y;
    if (integerSnap_) {
        x = std::trunc(x);
        y = std::trunc(y);
    }
    font_->drawText(runs_, uint32_t(alpha_), uint32_t(alignment_), 0.0f, x, y, charGap_, lineGap_);
}
