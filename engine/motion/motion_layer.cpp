#include "engine/motion/motion_layer.h"

#include <bit>

#include "engine/motion/motion_renderer.h"
#include "engine/render/capture_view.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"

float motionFrameDelta(bool fractionalStep, float fractional, uint32_t whole) {
    if (fractionalStep) return fractional > 1.0f ? fractional : 1.0f;
    return float(whole);
}

float motionRandomFloat(uint32_t bits) { return std::bit_cast<float>(0x3F800000u | (bits & 0x7FFFFFu)) - 1.0f; }

MMotionLayer::MMotionLayer() : textures_(kInitialTextureSlots, nullptr) {}

MMotionLayer::~MMotionLayer() {
    // Replacement textures belong to whoever put them there.
    for (const auto& [key, replacement] : replacements_) textures_[size_t(replacement.texture)] = nullptr;
    for (MMotionTexture* record : textures_) destroyPSBTexture(record);
}

void MMotionLayer::draw(int) {
    std::vector<MMotionRenderItem*>& queue = renderQueue();
    if (!queue.empty()) {
        sortMotionRenderQueue(queue);
        render();
        // The storage stays for the next frame.
        queue.clear();
    }
    if (captureRequested_) {
        capture();
        captureRequested_ = 0;
        captured_ = 1;
    } else {
        captured_ = 0;
    }
}

void MMotionLayer::capture() {
    if (!capture_) {
        MDisplay* display = MDisplay::getInstance();
        const MRectF view = display ? display->viewExtents() : MRectF{};
        capture_ = std::make_unique<MCapture>();
        capture_->setPosition(view.left, view.top);
        capture_->setFixedSize(view.right - view.left, view.bottom - view.top);
        if (display && display->d3dWin()) display->d3dWin()->createCaptureTexture();
        capturedView_ = std::make_unique<MCaptured>(capture_.get());
        const MViewSize size = capture_->getSize();
        capturedView_->setFixedSize(size.width, size.height);
        capturedView_->alpha = 255.0f;
        capture_->show();
    }
    if (!capture_->isHidden() && capture_->getState() != MTask::kFinished) capture_->draw(0);
}

void MMotionLayer::render() {
    MDisplay* display = MDisplay::getInstance();
    if (!display || !display->d3dWin() || !display->d3dWin()->device()) return;
    MMotionRenderer(*this, *display).render(renderQueue());
}

int32_t MMotionLayer::loadTexture(const PSBValue& image, bool shareable) {
    auto* record = new MMotionTexture;
    // A record whose image gave no texture keeps its slot all the same.
    loadPSBTexture(record->texture, image, shareable);
    record->minFilter = minFilter_;
    record->magFilter = magFilter_;
    return takeSlot(record);
}

void MMotionLayer::warmTexture(int32_t slot, const std::vector<uint32_t>& drawModes) {
    const MMotionTexture* record = texture(slot);
    const MWinD3DTexture* made = record ? record->texture.texture : nullptr;
    if (!made || !record->texture.window) return;
    // As the renderer draws it: with the layer's filters.
    MWinD3DTexture drawn = *made;
    drawn.minFilter = minFilter_;
    drawn.magFilter = magFilter_;
    record->texture.window->queueDrawWarmUp(drawn, drawModes);
}

int32_t MMotionLayer::takeSlot(MMotionTexture* record) {
    for (size_t i = 0; i < textures_.size(); ++i) {
        if (!textures_[i]) {
            textures_[i] = record;
            return int32_t(i);
        }
    }
    const size_t slot = textures_.size();
    textures_.resize(slot * 2, nullptr);
    textures_[slot] = record;
    return int32_t(slot);
}

void MMotionLayer::releaseTexture(int32_t slot) {
    if (slot < 0 || size_t(slot) >= textures_.size()) return;
    destroyPSBTexture(textures_[size_t(slot)]);
    textures_[size_t(slot)] = nullptr;
}

MMotionTexture* MMotionLayer::texture(int32_t slot) const {
    return slot >= 0 && size_t(slot) < textures_.size() ? textures_[size_t(slot)] : nullptr;
}

float MMotionLayer::getFrameDelta() {
    const MLooper* looper = MLooper::getInstance();
    if (!looper) return 1.0f;
    return motionFrameDelta(looper->isVariableStep(), looper->getFloatStep(), uint32_t(looper->getIntegerStep()));
}

float MMotionLayer::random() {
    lock();
    if (!generator_) {
        generator_ = std::make_unique<MTGenerator>();
        mtInitByArray(*generator_);
    }
    const uint32_t bits = mtGenrand(*generator_);
    unlock();
    return motionRandomFloat(bits);
}

bool MMotionLayer::getSourceInfo(const std::string& source, const std::string& icon, MMotionSourceInfo& out,
                                 const PSBValue& hint) {
    if (!replacements_.empty()) {
        const auto found = replacements_.find(source + "/" + icon);
        if (found != replacements_.end()) {
            const MMotionSourceReplacement& r = found->second;
            out.texture = r.texture;
            out.attr = 0;
            out.left = 0;
            out.top = 0;
            out.width = r.width;
            out.height = r.height;
            out.originX = r.originX;
            out.originY = r.originY;
            out.resolution = 1.0f;
            return true;
        }
    }
    return MMotionResourceManager::getSourceInfo(source, icon, out, hint);
}

void MMotionLayer::getCaptureSourceInfo(MMotionSourceInfo& out) {
    if (!captured_ || !capture_) return;
    const MViewSize size = capture_->getSize();
    out.texture = MMotionSourceInfo::kCaptureTexture;
    out.left = 0;
    out.top = 0;
    out.width = int32_t(size.width);
    out.height = int32_t(size.height);
    out.originX = float(out.width) / 2.0f;
    out.originY = float(out.height) / 2.0f;
}

int32_t MMotionLayer::replaceSource(const std::string& source, const std::string& icon, MMotionTexture* record,
                                    int32_t width, int32_t height, float originX, float originY) {
    const std::string key = source + "/" + icon;
    // A replaced replacement's record is its owner's again: its slot is
    // freed without destroying it.
    if (const auto old = replacements_.find(key); old != replacements_.end()) {
        textures_[size_t(old->second.texture)] = nullptr;
    }
    MMotionSourceReplacement& entry = replacements_[key];
    entry = MMotionSourceReplacement{takeSlot(record), width, height, originX, originY};
    return entry.texture;
}

void MMotionLayer::setFilterSelectors(int32_t minFilter, int32_t magFilter) {
    minFilter_ = minFilter;
    magFilter_ = magFilter;
    for (MMotionTexture* record : textures_) {
        if (!record) continue;
        record->minFilter = minFilter;
        record->magFilter = magFilter;
    }
}
