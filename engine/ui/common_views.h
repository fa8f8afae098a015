#pragma once
// The views the common dialogs are made of, in a frame whose origin is the
// screen's centre:
// - MCommonFrame: a box with cut corners, blue or, highlighted, pink;
// - MCommonMsg: one text in the system font inside a frame, scaled down to
//   the screen's width when it would not fit;
// - MCommonCursor: the pointer's mark, a white square round a blue one;
// - MCommonMsgMenuItem: a menu item showing one MCommonMsg, highlighted
//   through its frame.
//
// Threads: main thread only, except that a menu built in the background
// makes them on its build thread before they are shown.

#include <cstdint>
#include <string>

#include "engine/render/view.h"
#include "engine/ui/indicator.h"
#include "engine/ui/menu_item.h"

class MCommonFrame final : public MView {
public:
    MCommonFrame(float left, float top, float right, float bottom) : rect_{left, top, right, bottom} {}

    void setPosition(float x, float y) override;
    MViewPoint getPosition() override { return {rect_.left, rect_.top}; }
    void setSize(float width, float height) override;
    MViewSize getSize() override { return {rect_.right - rect_.left, rect_.bottom - rect_.top}; }
    void draw(int pass) override;

    uint8_t highlighted = 0;

private:
    MRectF rect_;
};

class MCommonMsg final : public MFixedSizeView {
public:
    // scale 1.0 fits the text to the screen's width less 40 pixels.
    MCommonMsg(const std::string& text, float scale);

    void setPosition(float x, float y) override;
    MViewPoint getPosition() override { return frame_->getPosition(); }
    MCommonFrame* getFrame() const { return frame_; }
    MIndicator* getIndicator() const { return indicator_; }

private:
    MCommonFrame* frame_;
    MIndicator* indicator_;
};

class MCommonCursor final : public MFixedSizeView {
public:
    MCommonCursor() { hide(); }

    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }
    void draw(int pass) override;

private:
    MViewPoint position_;
};

class MCommonMsgMenuItem final : public MMenuItem {
public:
    MCommonMsgMenuItem(const std::string& label, float scale);

    MRectF getRect() override;
    void setHighlighted(bool on) override { message_->getFrame()->highlighted = on ? 1 : 0; }
    MCommonMsg* getMessage() const { return message_; }

private:
    MCommonMsg* message_;
};

// The width of the display's safe rectangle, which the dialogs fit their
// texts to; 0 without a display.
float commonDialogScreenWidth();
// The width and height of a text in the system font at scale 1.0.
MFontSize measureCommonText(const std::string& text);
