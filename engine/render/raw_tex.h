#pragma once
// MRawTex: a texture filled from memory and drawn as one quad, the base of
// the game's sprite sheets. The pixel buffer (32 bits a pixel) and the
// texture are each the image's size rounded up to powers of two; the caller
// fills the image's own rows of the buffer, the rest of it is zero (what a
// filtered edge samples), and uploads it to the texture. Once uploaded the
// buffer may be released: the texture holds the pixels. The view's fixed
// size is the image's own size, the part of the texture that is drawn.
//
// Threads: made and drawn on the main thread; the buffer may be filled
// anywhere before the upload.

#include <cstdint>
#include <memory>

#include "engine/render/draw_mode.h"
#include "engine/render/view.h"
#include "engine/render/win_d3d_texture.h"

class MRawTex : public MFixedSizeView {
public:
    // Needs the display's window for its texture.
    MRawTex(int32_t width, int32_t height);
    ~MRawTex() override;
    MRawTex(const MRawTex&) = delete;
    MRawTex& operator=(const MRawTex&) = delete;

    void draw(int pass) override;
    void setPosition(float x, float y) override { position_ = {x, y}; }
    MViewPoint getPosition() override { return position_; }

    // Null, and a size of 0, once released.
    uint8_t* getPixels() { return pixels_.get(); }
    int32_t getPitch() const { return pitch_; }
    size_t getBufferSize() const { return bufferSize_; }
    void releasePixels();
    int32_t getBufferWidth() const { return bufferWidth_; }
    int32_t getBufferHeight() const { return bufferHeight_; }
    MWinD3DTexture* getTexture() const { return texture_; }

    void setTint(uint32_t rgb) { tint_ = rgb & 0xFFFFFF; }  // 0xRRGGBB
    uint32_t getTint() const { return tint_; }
    void setAlpha(uint8_t alpha) { alpha_ = alpha; }
    uint8_t getAlpha() const { return alpha_; }
    void setDrawMode(MDrawMode mode) { drawMode_ = mode; }
    MDrawMode getDrawMode() const { return drawMode_; }

private:
    std::unique_ptr<uint8_t[]> pixels_;
    size_t bufferSize_ = 0;
    int32_t pitch_;
    int32_t bufferWidth_;
    int32_t bufferHeight_;
    MWinD3DTexture* texture_ = nullptr;
    MViewPoint position_;
    uint32_t tint_ = 0xFFFFFF;
    uint8_t alpha_ = 255;
    MDrawMode drawMode_ = 0;
};

// The smallest power of two at or above v (0 for 0), by smearing its bits.
int32_t roundUpToPowerOfTwo(int32_t v);
