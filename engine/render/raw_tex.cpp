// MRawTex: a texture from memory, drawn as one quad.
#include "engine/render/raw_tex.h"

#include <cstring>

#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"

int32_t roundUpToPowerOfTwo(int32_t v) {
    uint32_t u = uint32_t(v) - 1;
    u |= u >> 1;
    u |= u >> 2;
    u |= u >> 4;
    u |= u >> 8;
    u |= u >> 16;
    return int32_t(u + 1);
}

MRawTex::MRawTex(int32_t width, int32_t height)
    : bufferWidth_(roundUpToPowerOfTwo(width)), bufferHeight_(roundUpToPowerOfTwo(height)) {
    pitch_ = bufferWidth_ * 4;
    bufferSize_ = size_t(pitch_) * size_t(bufferHeight_);
    // The image's rows are the caller's to fill; only the padding is cleared.
    pixels_.reset(new uint8_t[bufferSize_]);
    const size_t imageRowBytes = size_t(width) * 4, padBytes = size_t(pitch_) - imageRowBytes;
    for (int32_t y = 0; y < height; ++y) std::memset(pixels_.get() + size_t(y) * pitch_ + imageRowBytes, 0, padBytes);
    std::memset(pixels_.get() + size_t(height) * pitch_, 0, size_t(bufferHeight_ - height) * pitch_);
    setFixedSize(float(width), float(height));
    MDisplay* display = MDisplay::getInstance();
    if (display && display->d3dWin()->device()) {
        texture_ = display->d3dWin()->createTexture(bufferWidth_, bufferHeight_, platform::PixelFormat::A8R8G8B8,
                                                     false, 1);
    }
    if (!texture_) return;
    texture_->minFilter = texture_->magFilter = 0;
    // The game's sheets are drawn in their own mode, normal, and additive.
    static constexpr MDrawMode kSheetModes[] = {0, 1};
    display->d3dWin()->queueDrawWarmUp(*texture_, kSheetModes);
}

void MRawTex::releasePixels() {
    pixels_.reset();
    bufferSize_ = 0;
}

MRawTex::~MRawTex() {
    MDisplay* display = MDisplay::getInstance();
    if (texture_ && display) display->d3dWin()->releaseTexture(texture_);
}

void MRawTex::draw(int) {
    MDisplay* display = MDisplay::getInstance();
    if (!texture_ || !display) return;
    const uint32_t colour = uint32_t(alpha_) << 24 | tint_;
    const MViewSize size = getSize();
    const float u1 = size.width / float(texture_->width), v1 = size.height / float(texture_->height);
    const float left = position_.x, top = position_.y;
    const float right = left + size.width, bottom = top + size.height;
    D3DColouredVertex vertices[4] = {{left, top, 0.0f, colour, 0.0f, 0.0f},
                                     {right, top, 0.0f, colour, u1, 0.0f},
                                     {right, bottom, 0.0f, colour, u1, v1},
                                     {left, bottom, 0.0f, colour, 0.0f, v1}};
    display->d3dWin()->drawTexturedQuad(vertices, texture_, drawMode_, 0.0f, 0, 0);
}
