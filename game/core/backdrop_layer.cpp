#include "game/core/backdrop_layer.h"

#include <cstring>

#include "engine/render/display.h"
#include "engine/render/raw_tex.h"
#include "engine/render/win_d3d_win.h"

namespace {

MWinD3DWin* backdropWindow() {
    MDisplay* display = MDisplay::getInstance();
    return display ? display->d3dWin() : nullptr;
}

bool sameSlot(const SpriteDrawTask::Slot& a, const SpriteDrawTask::Slot& b) {
    return a.texture == b.texture && a.mode == b.mode &&
           (!a.texture || a.texture->getTexture() == b.texture->getTexture()) &&
           std::memcmp(&a.quad, &b.quad, sizeof a.quad) == 0;
}

}  // namespace

BackdropLayer::BackdropLayer(SpriteDrawTask* sprites) : sprites_(sprites) { add(sprites); }

BackdropLayer::~BackdropLayer() {
    MWinD3DWin* win = backdropWindow();
    if (picture_ && win) win->releaseTexture(picture_);
}

void BackdropLayer::readContent(Content& content) const {
    const float place[11] = {pivotX, pivotY, positionX, positionY, scaleX,    scaleY,
                             angle,  clipLeft, clipTop, clipRight, clipBottom};
    std::memcpy(content.place, place, sizeof place);
    content.slots.assign(size_t(sprites_->getCount()), {});
    for (int32_t i = 0; i < sprites_->getCount(); ++i) content.slots[size_t(i)] = sprites_->slotAt(i);
}

bool BackdropLayer::sameContent(const Content& a, const Content& b) {
    if (std::memcmp(a.place, b.place, sizeof a.place) != 0 || a.slots.size() != b.slots.size()) return false;
    for (size_t i = 0; i < a.slots.size(); ++i)
        if (!sameSlot(a.slots[i], b.slots[i])) return false;
    return true;
}

bool BackdropLayer::keepable() const {
    MWinD3DWin* win = backdropWindow();
    platform::Device* device = win ? win->device() : nullptr;
    if (!device || head_ != sprites_ || nextOf(head_) != nullptr || sprites_->getCount() == 0) return false;
    const platform::Surface* target = device->renderTarget();
    if (!target || target->format() != platform::PixelFormat::X8R8G8B8) return false;
    const platform::Viewport v = device->viewport();
    const platform::Rect s = device->scissorRect();
    const bool scissored = device->renderState(platform::RenderState::ScissorTestEnable) != 0;
    return v.x == 0 && v.y == 0 && v.width == target->width() && v.height == target->height() &&
           (!scissored || (s.left <= 0 && s.top <= 0 && s.right >= target->width() && s.bottom >= target->height()));
}

void BackdropLayer::drawPicture(int pass) {
    MWinD3DWin& win = *backdropWindow();
    platform::Device& device = *win.device();
    const platform::Surface* target = device.renderTarget();
    if (picture_ && (picture_->width != target->width() || picture_->height != target->height())) {
        win.releaseTexture(picture_);
        picture_ = nullptr;
    }
    if (!picture_) {
        picture_ = win.createTexture(target->width(), target->height(), platform::PixelFormat::X8R8G8B8, true, 1);
        pictureValid_ = false;
    }
    if (!picture_) {
        M2DCameraLocator::draw(pass);
        return;
    }
    const platform::Viewport viewport = device.viewport();
    const platform::Rect scissor = device.scissorRect();
    platform::Surface* screen = device.renderTarget();
    if (!pictureValid_) {
        // Drawn as onto the screen: over the screen's clear colour, with
        // the screen's view.
        drawingPicture_ = true;
        win.drawTaskToTarget(this, picture_, true, win.screenClearColour());
        drawingPicture_ = false;
        ++pictureDraws_;
        pictureValid_ = true;
    } else {
        sprites_->clearCount();
    }
    const platform::Rect whole{0, 0, picture_->width, picture_->height};
    win.blitTexture(screen, picture_, &whole, nullptr);
    device.setViewport(viewport);
    device.setScissorRect(scissor);
}

void BackdropLayer::draw(int pass) {
    if (drawingPicture_) {
        M2DCameraLocator::draw(pass);
        return;
    }
    if (!keepable()) {
        pictureValid_ = false;
        M2DCameraLocator::draw(pass);
        return;
    }
    readContent(current_);
    if (!sameContent(current_, kept_)) {
        pictureValid_ = false;
        std::swap(current_, kept_);
    }
    drawPicture(pass);
}
