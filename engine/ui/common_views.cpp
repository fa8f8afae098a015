#include "engine/ui/common_views.h"

#include "engine/render/display_fill.h"
#include "engine/render/win_d3d_win.h"
#include "engine/ui/embed_font.h"

namespace {

constexpr float kMargin = 20.0f;
constexpr float kLineGap = 4.0f;
constexpr uint32_t kFrameColour = 0x2A5CC1C0u;
constexpr uint32_t kHighlightColour = 0xFF73BBC0u;

void drawCorner(MWinD3DWin& window, float x0, float y0, float x1, float y1, float x2, float y2) {
    D3DColouredVertex fan[3] = {{x0, y0, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
                                {x1, y1, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f},
                                {x2, y2, 0.0f, 0xFFFFFFFFu, 0.0f, 0.0f}};
    window.setStripSource(window.whiteTexture(), 0, 0xFFFFFFFFu);
    window.drawTexturedStrip(fan, 1, MDrawMode(0), 0.0f);
}

}  // namespace

float commonDialogScreenWidth() {
    const MDisplay* display = MDisplay::getInstance();
    if (!display) return 0.0f;
    return display->safeRect().right - display->safeRect().left;
}

MFontSize measureCommonText(const std::string& text) {
    MEmbedFont font(1.0f);
    return font.textSize(text, 0.0f, kLineGap);
}

void MCommonFrame::setPosition(float x, float y) {
    const MViewSize size = getSize();
    rect_ = {x, y, x + size.width, y + size.height};
}

void MCommonFrame::setSize(float width, float height) {
    rect_.right = rect_.left + width;
    rect_.bottom = rect_.top + height;
}

void MCommonFrame::draw(int) {
    const float l = rect_.left, t = rect_.top, r = rect_.right, b = rect_.bottom;
    const uint32_t colour = highlighted ? kHighlightColour : kFrameColour;
    drawFilledRect(colour, l + 6, t + 6, r - 6, b - 6);
    drawFilledRect(colour, l, t + 3, l + 6, b - 3);
    drawFilledRect(colour, r - 6, t + 3, r, b - 3);
    drawFilledRect(colour, l + 3, t, r - 3, t + 6);
    drawFilledRect(colour, l + 3, b - 6, r - 3, b);
    MDisplay* display = MDisplay::getInstance();
    MWinD3DWin* window = display ? display->d3dWin() : nullptr;
    if (!window || !window->device()) return;
    drawCorner(*window, l + 3, t, l + 3, t + 3, l, t + 3);
    drawCorner(*window, r - 3, t, r, t + 3, r - 3, t + 3);
    drawCorner(*window, l, b - 3, l + 3, b - 3, l + 3, b);
    drawCorner(*window, r, b - 3, r - 3, b, r - 3, b - 3);
}

MCommonMsg::MCommonMsg(const std::string& text, float scale) {
    auto* font = new MEmbedFont(1.0f);
    const MFontSize size = font->textSize(text, 0.0f, kLineGap);
    const float width = commonDialogScreenWidth();
    // Without a display there is no width to fit to.
    if (scale == 1.0f && width > 0.0f && size.width > width - 2 * kMargin)
        scale = (width - 2 * kMargin) / size.width;
    font->setScale(scale);
    indicator_ = new MIndicator(font, 0.0f * scale, kLineGap * scale);
    indicator_->setText(text);
    indicator_->show();
    const MRectF inner = indicator_->getRect();
    frame_ = new MCommonFrame(inner.left - kMargin, inner.top - kMargin, inner.right + kMargin,
                              inner.bottom + kMargin);
    getParallelSet().add(frame_);
    getParallelSet().add(indicator_);
    const MViewSize frameSize = frame_->getSize();
    setFixedSize(frameSize.width, frameSize.height);
}

void MCommonMsg::setPosition(float x, float y) {
    frame_->setPosition(x, y);
    indicator_->setPosition(x + kMargin, y + kMargin);
}

void MCommonCursor::draw(int) {
    const float x = position_.x, y = position_.y;
    drawFilledRect(0xFFFFFFFFu, x - 12, y - 12, x + 12, y + 12);
    drawFilledRect(0x0000FFFFu, x - 10, y - 10, x + 10, y + 10);
}

MCommonMsgMenuItem::MCommonMsgMenuItem(const std::string& label, float scale)
    : message_(new MCommonMsg(label, scale)) {
    message_->show();
    getParallelSet().add(message_);
}

MRectF MCommonMsgMenuItem::getRect() {
    const MViewPoint p = message_->getPosition();
    const MViewSize s = message_->getSize();
    return {p.x, p.y, p.x + s.width, p.y + s.height};
}
