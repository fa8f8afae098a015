// Draw modes on the OpenGL device, read back: a known source drawn over a
// known destination in each blend row, colour mode, texture class, A8
// texture and effect, compared channel by channel with the same formula
// computed here; masked layers through both composites; the special shaders.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <functional>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "platform/device/gl/gl_device_factory.h"

namespace {

using platform::PixelFormat;
using platform::RenderState;

constexpr int kView = 8;  // the screen and view: 8 x 8 pixels

// A colour as four channels 0..1, in the order r, g, b, a.
using Rgba = std::array<float, 4>;

Rgba rgbaOf(uint32_t argb) {
    return {float(argb >> 16 & 0xFF) / 255, float(argb >> 8 & 0xFF) / 255, float(argb & 0xFF) / 255,
            float(argb >> 24) / 255};
}

float saturate(float v) { return std::clamp(v, 0.0f, 1.0f); }

// S: texel times vertex colour as the texture index forms it.
Rgba sourceOf(uint32_t texel, uint32_t vertex, int textureIndex) {
    const Rgba t = rgbaOf(texel), v = rgbaOf(vertex);
    Rgba s{};
    for (int i = 0; i < 3; ++i) s[i] = (textureIndex >= 2 ? 1.0f : t[i]) * v[i] * (textureIndex % 2 ? 2.0f : 1.0f);
    s[3] = t[3] * v[3];
    return s;
}

// The ordinary shaders, clamped as the device clamps their output.
Rgba ordinaryShade(Rgba s, int colourMode, uint32_t colour, int blendClass) {
    const Rgba c = rgbaOf(colour);
    for (int i = 0; i < 3; ++i) {
        switch (colourMode) {
        case 1: s[i] += c[3] * (c[i] - s[i]); break;
        case 2: s[i] += c[i] * c[3]; break;
        case 3: s[i] -= c[i] * c[3]; break;
        case 4: s[i] += c[3] * (1 - 2 * s[i]); break;
        default: break;
        }
        if (blendClass == 1) s[i] = 1 - s[i];
        if (blendClass == 2) s[i] *= s[3];
    }
    // The target takes the shader's output as 8-bit channels before blending.
    for (float& v : s) v = std::round(saturate(v) * 255) / 255;
    return s;
}

// The six blend rows over a destination.
Rgba blend(int row, const Rgba& s, const Rgba& d) {
    Rgba out{};
    for (int i = 0; i < 3; ++i) {
        switch (row) {
        case 0: out[i] = s[i] * s[3] + d[i] * (1 - s[3]); break;
        case 1: out[i] = s[i] * s[3] + d[i]; break;
        case 2:
        case 5: out[i] = d[i] - s[i] * s[3]; break;
        case 3: out[i] = s[i] * d[i] + d[i] * (1 - s[3]); break;
        case 4: out[i] = s[i] * (1 - d[i]) + d[i]; break;
        }
        out[i] = saturate(out[i]);
    }
    out[3] = row == 0 ? s[3] + d[3] * (1 - s[3]) : d[3];
    return out;
}

// F(S, D) of effects 1..12.
float effectF(int e, float s, float d) {
    switch (e) {
    case 1: return std::min(s + d, 1.0f);
    case 2: return std::max(s + d - 1, 0.0f);
    case 3: return d < 0.5f ? 2 * s * d : 1 - 2 * (1 - s) * (1 - d);
    case 4: return s < 0.5f ? 2 * s * d : 1 - 2 * (1 - s) * (1 - d);
    case 5: return s <= 0.5f ? std::pow(d, 2 * (1 - s)) : std::pow(d, 0.5f / s);
    case 6: return std::min(d / (1 - s), 1.0f);
    case 7: return std::max(1 - (1 - d) / s, 0.0f);
    case 8: return std::max(s, d);
    case 9: return std::min(s, d);
    case 10: return std::abs(d - s);
    case 11: return s + d - 2 * s * d;
    default: return s;
    }
}

::testing::AssertionResult near(uint32_t actual, const Rgba& expected, bool checkAlpha) {
    const Rgba a = rgbaOf(actual);
    for (int i = 0; i < (checkAlpha ? 4 : 3); ++i) {
        if (std::abs(a[i] - expected[i]) > 1.0f / 255 + 1e-4f) {
            char text[128];
            snprintf(text, sizeof text, "channel %d: got %.4f, expected %.4f (pixel %08X)", i, a[i], expected[i],
                     actual);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

class DrawStateGlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 16;
        s.windowHeight = s.clientHeight = 16;
        s.screenWidth = s.screenHeight = kView;
        s.useDepthStencil = true;
        s.d3dPureDevice = true;
        window_ = SDL_CreateWindow("draw", 0, 0, 16, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        win_ = new MWinD3DWin(factory_, window_, false, 0, 0);
        ASSERT_TRUE(win_->initialize());
        target_ = win_->createTexture(kView, kView, PixelFormat::A8R8G8B8, true, 1);
    }

    static void TearDownTestSuite() {
        delete win_;
        // The window stays, and SDL is not shut down: either would unload
        // Mesa before the leak check.
    }

    void SetUp() override {
        ASSERT_NE(win_, nullptr);
        winAppSettings().screenWidth = winAppSettings().screenHeight = kView;
        ASSERT_TRUE(win_->resetDevice());
        // The display's matrix for the camera at rest: the world's origin in
        // the middle of the view, y down, one unit a pixel; the half-pixel
        // offset in world units.
        const float matrix[16] = {2.0f / kView, 0, 0, 0, 0, -2.0f / kView, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1};
        device().setVertexShaderConstants(0, matrix, 4);
        win_->setPixelOffset(-0.5f, -0.5f);
    }

    static platform::Device& device() { return *win_->device(); }

    // A managed texture of one texel.
    static MWinD3DTexture* texelTexture(uint32_t texel, PixelFormat format = PixelFormat::A8R8G8B8) {
        MWinD3DTexture* t = win_->createTexture(1, 1, format, false, 1);
        platform::LockedRect locked;
        EXPECT_TRUE(device().lockTexture(t->texture, 0, nullptr, false, locked));
        if (format == PixelFormat::A8) locked.bits[0] = uint8_t(texel >> 24);
        else std::memcpy(locked.bits, &texel, 4);
        device().unlockTexture(t->texture, 0);
        return t;
    }

    // A quad over the rectangle (pixels of the view from the top left).
    static void drawRect(MWinD3DTexture* texture, MDrawMode mode, float parameter, int colourMode, uint32_t colour,
                         uint32_t vertexColour, float l = 0, float t = 0, float r = kView, float b = kView) {
        const float h = kView / 2.0f;
        D3DColouredVertex v[4] = {{l - h, t - h, 0, vertexColour, 0, 0}, {r - h, t - h, 0, vertexColour, 1, 0},
                                  {r - h, b - h, 0, vertexColour, 1, 1}, {l - h, b - h, 0, vertexColour, 0, 1}};
        win_->drawTexturedQuad(v, texture, mode, parameter, colourMode, colour);
    }

    // Paints every pixel of a target with its own colour, blending off.
    static void paint(MWinD3DTexture* target, const std::function<uint32_t(int, int)>& colourAt) {
        platform::Surface* kept = device().renderTarget();
        device().setRenderTarget(target->surface);
        win_->setTexture(nullptr);
        win_->setPixelShader(279);
        win_->setVertexFormat(0);
        device().setRenderState(RenderState::AlphaBlendEnable, 0);
        for (int y = 0; y < target->height; ++y) {
            for (int x = 0; x < target->width; ++x) {
                const uint32_t c = colourAt(x, y);
                const float l = x - 0.5f, t = y - 0.5f;
                const D3DScreenVertex v[4] = {{l, t, 0, 1, c, 0, 0}, {l + 1, t, 0, 1, c, 0, 0},
                                              {l + 1, t + 1, 0, 1, c, 0, 0}, {l, t + 1, 0, 1, c, 0, 0}};
                device().drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
            }
        }
        device().setRenderState(RenderState::AlphaBlendEnable, 1);
        win_->setVertexFormat(1);
        device().setRenderTarget(kept);
    }

    // Effects read the scene from the capture texture: the scene is drawn there.
    static std::vector<uint32_t> drawEffect(MWinD3DTexture* texture, MDrawMode mode, float parameter,
                                            uint32_t vertex) {
        win_->setRenderTargetTexture(win_->captureTexture());
        drawRect(texture, mode, parameter, 0, 0, vertex);
        device().setRenderTarget(device().backBuffer());
        return read(win_->captureTexture());
    }

    static std::vector<uint32_t> read(MWinD3DTexture* t) {
        return device().readSurface(t->surface, {0, 0, t->width, t->height});
    }

    static platform::gl::GlDeviceFactory factory_;
    static SDL_Window* window_;
    static MWinD3DWin* win_;
    static MWinD3DTexture* target_;
};

platform::gl::GlDeviceFactory DrawStateGlTest::factory_;
SDL_Window* DrawStateGlTest::window_ = nullptr;
MWinD3DWin* DrawStateGlTest::win_ = nullptr;
MWinD3DTexture* DrawStateGlTest::target_ = nullptr;

TEST_F(DrawStateGlTest, OrdinaryModesMatchTheirFormulas) {
    struct Case {
        const char* name;
        MDrawMode mode;
        int colourMode;
        uint32_t colour;
        PixelFormat format;
        uint32_t texel;
        uint32_t vertex;
        uint32_t destination;
    };
    const Case cases[] = {
        {"row 0 alpha", 0x00, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"row 1 add", 0x01, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xE0C0FFA0, 0x80306090},
        {"row 2 subtract", 0x02, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80A0C0E0},
        {"row 3 multiply", 0x03, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80A0C0E0},
        {"row 4 screen", 0x04, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"row 5 inverted subtract", 0x05, 0, 0, PixelFormat::A8R8G8B8, 0xC0C0A0E0, 0xFFFFFFFF, 0x80A0C0E0},
        {"mode 7 draws as alpha", 0x07, 0, 0, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"colour mode 1", 0x00, 1, 0x80FF4020, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"colour mode 2", 0x00, 2, 0x80204060, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"colour mode 3", 0x00, 3, 0x80204010, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"colour mode 4", 0x00, 4, 0x60000000, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"colour mode 1 on add", 0x01, 1, 0x40FFFFFF, PixelFormat::A8R8G8B8, 0xC0408020, 0xFFFFFFFF, 0x80306090},
        {"texture class 1", 0x10, 0, 0, PixelFormat::A8R8G8B8, 0xC0304050, 0xFFFFFFFF, 0x80306090},
        {"class 1 multiply", 0x13, 0, 0, PixelFormat::A8R8G8B8, 0xC0304050, 0xFFFFFFFF, 0x80A0C0E0},
        {"A8", 0x00, 0, 0, PixelFormat::A8, 0xA0000000, 0xC0FF8040, 0x80306090},
        {"A8 class 1", 0x10, 0, 0, PixelFormat::A8, 0xA0000000, 0xC0604020, 0x80306090},
        {"A8 class 1 colour mode 2", 0x11, 2, 0x80102030, PixelFormat::A8, 0xA0000000, 0xC0604020, 0x80306090},
    };
    for (const Case& c : cases) {
        MWinD3DTexture* texture = texelTexture(c.texel, c.format);
        ASSERT_TRUE(win_->clearTexture(target_, c.destination));
        win_->setRenderTargetTexture(target_);
        drawRect(texture, c.mode, 0, c.colourMode, c.colour, c.vertex);
        const int textureIndex = textureIndexOf(c.mode, c.format);
        const Rgba s = ordinaryShade(sourceOf(c.texel, c.vertex, textureIndex), c.colourMode, c.colour,
                                     blendClassOf(c.mode & kDrawModeMask));
        const Rgba expected = blend(blendRowOf(c.mode & kDrawModeMask), s, rgbaOf(c.destination));
        const auto pixels = read(target_);
        EXPECT_TRUE(near(pixels[3 * kView + 4], expected, true)) << c.name;
        EXPECT_EQ(pixels.front(), pixels.back()) << c.name;
        device().setRenderTarget(device().backBuffer());
        win_->releaseTexture(texture);
    }
}

TEST_F(DrawStateGlTest, BlendEffectsMoveThePictureTowardTheirFunction) {
    const uint32_t destination = 0xFF30D070;
    struct Case {
        MDrawMode mode;
        PixelFormat format;
        uint32_t texel;
        uint32_t vertex;
    };
    std::vector<Case> cases;
    for (MDrawMode mode = 0x100; mode <= 0x10B; ++mode) {
        cases.push_back({mode, PixelFormat::A8R8G8B8, 0xFF40C090, 0xFFFFFFFF});
        cases.push_back({mode, PixelFormat::A8R8G8B8, 0xC040C090, 0xFFFFFFFF});
    }
    cases.push_back({0x10E, PixelFormat::A8R8G8B8, 0xC040C090, 0xFFFFFFFF});  // plain: S alone
    cases.push_back({0x110, PixelFormat::A8R8G8B8, 0xC0304060, 0xFFFFFFFF});  // class 1 linear dodge
    cases.push_back({0x108, PixelFormat::A8, 0xC0000000, 0xFF40C090});        // A8 darken
    cases.push_back({0x11A, PixelFormat::A8, 0xC0000000, 0xFF203048});        // A8 class 1 exclusion
    for (const Case& c : cases) {
        MWinD3DTexture* texture = texelTexture(c.texel, c.format);
        ASSERT_TRUE(win_->clearTexture(win_->captureTexture(), destination));
        const auto pixels = drawEffect(texture, c.mode, 0, c.vertex);
        const MDrawMode masked = c.mode & kDrawModeMask;
        const int e = effectIndexOf(masked, 0);
        const Rgba s = sourceOf(c.texel, c.vertex, textureIndexOf(c.mode, c.format));
        const Rgba d = rgbaOf(destination);
        Rgba expected{};
        const float luminance = 0.298912f * d[0] + 0.586611f * d[1] + 0.114478f * d[2];
        for (int i = 0; i < 3; ++i) {
            const float f = e == 12 ? luminance * s[i] : effectF(e, s[i], d[i]);
            expected[i] = saturate(e == 0 ? s[i] : d[i] + s[3] * (f - d[i]));
        }
        EXPECT_TRUE(near(pixels[5 * kView + 2], expected, false)) << std::hex << c.mode << " texel " << c.texel;
        win_->releaseTexture(texture);
    }
}

TEST_F(DrawStateGlTest, MosaicTakesEachCellFromItsCentre) {
    const auto picture = [](int x, int y) { return 0xFF000000u | uint32_t(x * 30) << 16 | uint32_t(y * 30) << 8; };
    for (const uint32_t texel : {0xFFFFFFFFu, 0x80FFFFFFu}) {
        paint(win_->captureTexture(), picture);
        MWinD3DTexture* texture = texelTexture(texel);
        // Parameter 2 cuts the 8-pixel view into cells of 4.
        const auto pixels = drawEffect(texture, 0x10C, 2, 0xFFFFFFFF);
        const float a = rgbaOf(texel)[3];
        for (int y = 0; y < kView; ++y) {
            for (int x = 0; x < kView; ++x) {
                const Rgba d = rgbaOf(picture(x, y)), f = rgbaOf(picture(x / 4 * 4 + 2, y / 4 * 4 + 2));
                Rgba expected{};
                for (int i = 0; i < 3; ++i) expected[i] = d[i] + a * (f[i] - d[i]);
                EXPECT_TRUE(near(pixels[y * kView + x], expected, false)) << x << "," << y;
            }
        }
        win_->releaseTexture(texture);
    }
}

TEST_F(DrawStateGlTest, BlursSpreadALineAcrossItsDirection) {
    struct Kernel {
        std::vector<std::pair<float, float>> taps;  // offset in texels, weight
    };
    const Kernel kernels[5] = {
        {{{0.5f, 0.5f}, {-0.5f, 0.5f}}},
        {{{0, 0.375f}, {1.2f, 0.3125f}, {-1.2f, 0.3125f}}},
        {{{0, 0.322581f}, {1.28571f, 0.33871f}, {-1.28571f, 0.33871f}}},
        {{{0, 0.227027f}, {1.38462f, 0.316216f}, {-1.38462f, 0.316216f}, {3.23077f, 0.0702703f},
          {-3.23077f, 0.0702703f}}},
        {{{0, 0.185714f}, {1.42105f, 0.288701f}, {-1.42105f, 0.288701f}, {3.31579f, 0.103636f},
          {-3.31579f, 0.103636f}, {5.21053f, 0.0148052f}, {-5.21053f, 0.0148052f}}},
    };
    MWinD3DTexture* texture = texelTexture(0xFFFFFFFF);
    for (int k = 0; k < 10; ++k) {
        const bool horizontal = k < 5;
        const auto line = [&](int x, int y) { return (horizontal ? x : y) == 3 ? 0xFFFFFFFFu : 0xFF000000u; };
        paint(win_->captureTexture(), line);
        const auto pixels = drawEffect(texture, 0x10D, float(k), 0xFFFFFFFF);
        for (int i = 0; i < kView; ++i) {
            // Across the line; the destination texture is the whole view, so
            // taps past an edge wrap around.
            float expected = 0;
            if (k % 5 == 0) {
                expected = line(i, i) == 0xFFFFFFFFu ? 0.5f : 0.0f;  // half from each side of the centre
                if (i == 2 || i == 4) continue;  // their taps fall on texel edges
            } else {
                for (const auto& [offset, weight] : kernels[k % 5].taps) {
                    const int texel = (int(std::floor(float(i) + 0.5f + offset)) + kView) % kView;
                    if (texel == 3) expected += weight;
                }
            }
            const uint32_t p = horizontal ? pixels[6 * kView + i] : pixels[i * kView + 6];
            EXPECT_TRUE(near(p, {expected, expected, expected, 1}, false)) << "k " << k << " at " << i;
        }
    }
    win_->releaseTexture(texture);
}

TEST_F(DrawStateGlTest, StencilCompositeDrawsOnlyWhereEveryLayerCovers) {
    MWinD3DTexture* white = texelTexture(0xFFFFFFFF);
    MWinD3DTexture* faint = texelTexture(0x30FFFFFF);  // under the composite's alpha reference
    MWinD3DTexture* red = texelTexture(0xFFFF0000);
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF0000FF));
    win_->setRenderTargetTexture(target_);
    win_->maskComposite().mode = 0;
    win_->beginMaskComposite(0);
    win_->nextMaskLayer(0);
    drawRect(white, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 4, 8);  // left half
    drawRect(faint, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 8, 8);  // too faint to count
    win_->nextMaskLayer(1);
    drawRect(white, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 8, 4);  // top half
    // The masked layer, as the motion renderer draws it: where both layers
    // counted the stencil up to 2.
    device().setRenderState(RenderState::ZEnable, 0);
    device().setRenderState(RenderState::StencilRef, 2);
    device().setRenderState(RenderState::StencilPass, uint32_t(platform::StencilOp::Keep));
    drawRect(red, 0, 0, 0, 0, 0xFFFFFFFF);
    device().setRenderState(RenderState::StencilEnable, 0);
    const auto pixels = read(target_);
    for (int y = 0; y < kView; ++y)
        for (int x = 0; x < kView; ++x)
            EXPECT_EQ(pixels[y * kView + x], x < 4 && y < 4 ? 0xFFFF0000u : 0xFF0000FFu) << x << "," << y;
    device().setRenderTarget(device().backBuffer());
    for (MWinD3DTexture* t : {white, faint, red}) win_->releaseTexture(t);
}

TEST_F(DrawStateGlTest, RenderTargetCompositeMasksTheLayerByTheLayersBefore) {
    MWinD3DTexture* quarter = texelTexture(0x40FFFFFF);
    MWinD3DTexture* white = texelTexture(0xFFFFFFFF);
    MWinD3DTexture* red = texelTexture(0xFFFF0000);
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF0000FF));
    win_->setRenderTargetTexture(target_);
    D3DMaskComposite& mask = win_->maskComposite();
    mask.mode = 1;
    // Each layer's alpha is remapped: a quarter times 4 covers fully.
    mask.parameterFlag = true;
    mask.scale = 4.0f;
    mask.offset = 0.0f;
    win_->beginMaskComposite(0);
    win_->nextMaskLayer(0);
    drawRect(quarter, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 4, 8);  // left half
    win_->nextMaskLayer(0);
    drawRect(white, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 8, 4);  // top half
    // The masked layer: back on the kept target, reading the composite.
    win_->restoreRenderTarget();
    mask.stateLocked = false;
    mask.maskLayer = true;
    device().setTexture(1, mask.targets[0]->texture);
    win_->setVertexShader(2, 0);
    drawRect(red, 0, 0, 0, 0, 0xFFFFFFFF);
    mask.maskLayer = false;
    mask.parameterFlag = false;
    device().setTexture(1, nullptr);
    win_->setVertexShader(0, 0);
    const auto pixels = read(target_);
    for (int y = 0; y < kView; ++y)
        for (int x = 0; x < kView; ++x)
            EXPECT_TRUE(near(pixels[y * kView + x], rgbaOf(x < 4 && y < 4 ? 0xFFFF0000u : 0xFF0000FFu), true))
                << x << "," << y;
    for (MWinD3DTexture* t : {quarter, white, red}) win_->releaseTexture(t);
}

TEST_F(DrawStateGlTest, PatternDissolveFadesByThePattern) {
    MWinD3DTexture* green = texelTexture(0xFF00FF00);
    MWinD3DTexture* pattern = texelTexture(0xFF800000);  // red 0.502
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF0000FF));
    win_->setRenderTargetTexture(target_);
    const float phase[4] = {0.75f, 0, 0, 0}, invVague[4] = {2.0f, 0, 0, 0};
    device().setPixelShaderConstants(0, phase, 1);
    device().setPixelShaderConstants(1, invVague, 1);
    const float h = kView / 2.0f;
    D3DTwoTextureVertex v[4] = {{-h, -h, 0, 0xFFFFFFFF, 0, 0, 0, 0}, {h, -h, 0, 0xFFFFFFFF, 1, 0, 1, 0},
                                {h, h, 0, 0xFFFFFFFF, 1, 1, 1, 1}, {-h, h, 0, 0xFFFFFFFF, 0, 1, 0, 1}};
    win_->drawTexturedMesh(v, green, pattern);
    const float a = saturate((128.0f / 255 - 0.75f) * 2 + 1);
    EXPECT_TRUE(near(read(target_)[9], blend(0, {0, 1, 0, a}, rgbaOf(0xFF0000FF)), false));
    device().setRenderTarget(device().backBuffer());
    win_->releaseTexture(green);
    win_->releaseTexture(pattern);
}

TEST_F(DrawStateGlTest, FillBetweenSpritesIsTheVertexColourBitForBit) {
    MWinD3DTexture* texture = texelTexture(0xFF20A0C0);
    const auto fill = [](float l, float r, uint32_t colour) {
        const float h = kView / 2.0f;
        D3DColouredVertex v[4] = {{l - h, -h, 0, colour, 0, 0}, {r - h, -h, 0, colour, 0, 0},
                                  {r - h, h, 0, colour, 0, 0}, {l - h, h, 0, colour, 0, 0}};
        win_->drawColorQuad(v);
    };
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF102030));
    win_->setRenderTargetTexture(target_);
    drawRect(texture, 0, 0, 0, 0, 0xFFFFFFFF, 0, 0, 2, kView);
    fill(2, 4, 0x80FF4021);
    drawRect(texture, 0, 0, 0, 0, 0xFFFFFFFF, 4, 0, 6, kView);
    // The same fill through the built-in stage, which never reads a texture.
    win_->setTexture(nullptr);
    win_->setDrawState(0, 0, 0, 0);
    device().setPixelShader(nullptr);
    const float h = kView / 2.0f;
    D3DColouredVertex v[4] = {{6 - h, -h, 0, 0x80FF4021, 0, 0}, {8 - h, -h, 0, 0x80FF4021, 0, 0},
                              {8 - h, h, 0, 0x80FF4021, 0, 0}, {6 - h, h, 0, 0x80FF4021, 0, 0}};
    for (auto& corner : v) corner.x += win_->pixelOffsetX(), corner.y += win_->pixelOffsetY();
    device().drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
    const auto row = device().readSurface(target_->surface, {0, 3, kView, 4});
    EXPECT_EQ(row[0], 0xFF20A0C0u);
    EXPECT_EQ(row[5], 0xFF20A0C0u);
    EXPECT_EQ(row[2], row[6]);
    EXPECT_TRUE(near(row[2], blend(0, rgbaOf(0x80FF4021), rgbaOf(0xFF102030)), false));
    device().setRenderTarget(device().backBuffer());
    win_->releaseTexture(texture);
}

TEST_F(DrawStateGlTest, WarmUpLeavesPixelsTargetAndViewportAlone) {
    MWinD3DTexture* texture = texelTexture(0xFF20A0C0);
    MWinD3DTexture* alpha = texelTexture(0x80000000, PixelFormat::A8);
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF102030));
    ASSERT_TRUE(win_->clearTexture(win_->captureTexture(), 0xFF405060));
    win_->setRenderTargetTexture(target_);
    device().setViewport({1, 1, 4, 4});
    const MDrawWarmState states[] = {{texture, 0, 0}, {nullptr, 0, 0}, {texture, 1, 2}, {alpha, 0, 0}};
    win_->warmDrawStates(nullptr, states, 4);
    win_->warmDrawStates(target_, states, 4);
    EXPECT_EQ(device().renderTarget(), target_->surface);
    const platform::Viewport viewport = device().viewport();
    EXPECT_EQ(viewport.x, 1);
    EXPECT_EQ(viewport.width, 4);
    for (uint32_t p : read(target_)) ASSERT_EQ(p, 0xFF102030u);
    for (uint32_t p : read(win_->captureTexture())) ASSERT_EQ(p, 0xFF405060u);
    // Drawing goes on as if nothing happened.
    device().setViewport({0, 0, kView, kView});
    drawRect(texture, 0, 0, 0, 0, 0xFFFFFFFF);
    EXPECT_EQ(read(target_)[9], 0xFF20A0C0u);
    device().setRenderTarget(device().backBuffer());
    win_->releaseTexture(alpha);
    win_->releaseTexture(texture);
}

// Play's first draw in each queued state, with any texture of the queued
// classes and a fill after it, on the screen or a warm target, finds the
// program linked and the rasteriser's code made: the device meets nothing
// new. A state left out is met new, so the count does see play's draws.
TEST_F(DrawStateGlTest, QueuedWarmUpsLeavePlaysFirstDrawsNothingToBuild) {
    struct Use {
        MWinD3DTexture* queued;  // released before the warm-up runs
        int drawnWidth, drawnHeight;  // of the texture play draws, made after
        std::vector<MDrawMode> modes;
        MWinD3DTexture* drawn = nullptr;
    };
    auto texture = [](int w, int h, PixelFormat format, int32_t filter) {
        MWinD3DTexture* t = win_->createTexture(w, h, format, false, 1);
        t->minFilter = t->magFilter = filter;
        return t;
    };
    std::vector<Use> uses = {
        {texture(4, 4, PixelFormat::A8R8G8B8, 0), 8, 16, {0, 1}},
        {texture(3, 5, PixelFormat::A8R8G8B8, 1), 7, 9, {0x10, 0x11}},
        {texture(2, 2, PixelFormat::A8, 0), 4, 4, {0}},
    };
    win_->addWarmTarget(target_, nullptr);
    for (Use& use : uses) {
        win_->queueDrawWarmUp(*use.queued, use.modes);
        use.drawn = texture(use.drawnWidth, use.drawnHeight, use.queued->format, use.queued->minFilter);
        win_->releaseTexture(use.queued);
    }
    while (win_->prepareShaders(4) > 0) {
    }
    const platform::DeviceCounters warmed = device().counters();
    for (MWinD3DTexture* target : {target_, win_->captureTexture()}) {
        win_->setRenderTargetTexture(target);
        for (const Use& use : uses) {
            for (MDrawMode mode : use.modes) {
                drawRect(use.drawn, mode, 0, 0, 0, 0xFFFFFFFF, 1, 1, 3, 3);
                D3DColouredVertex v[4] = {{0, 0, 0, 0xFF00FF00, 0, 0}, {1, 0, 0, 0xFF00FF00, 0, 0},
                                          {1, 1, 0, 0xFF00FF00, 0, 0}, {0, 1, 0, 0xFF00FF00, 0, 0}};
                win_->drawColorQuad(v);
            }
        }
    }
    EXPECT_EQ(device().counters().drawStatesMet, warmed.drawStatesMet);
    EXPECT_EQ(device().counters().programsLinked, warmed.programsLinked);
    drawRect(uses[1].drawn, 4, 0, 3, 0x80FFFFFF, 0xFFFFFFFF);
    EXPECT_EQ(device().counters().drawStatesMet, warmed.drawStatesMet + 1);
    win_->removeWarmTarget(target_);
    device().setRenderTarget(device().backBuffer());
    for (const Use& use : uses) win_->releaseTexture(use.drawn);
}

TEST_F(DrawStateGlTest, HatchIsAnchoredToTheScreen) {
    MWinD3DTexture* hatch = win_->createTexture(2, 1, PixelFormat::A8R8G8B8, false, 1);
    platform::LockedRect locked;
    ASSERT_TRUE(device().lockTexture(hatch->texture, 0, nullptr, false, locked));
    const uint32_t texels[2] = {0xFFFFFFFF, 0xFF808080};
    std::memcpy(locked.bits, texels, sizeof texels);
    device().unlockTexture(hatch->texture, 0);
    hatch->addressU = hatch->addressV = 1;  // wrap
    ASSERT_TRUE(win_->clearTexture(target_, 0xFF000000));
    win_->setRenderTargetTexture(target_);
    win_->setHatch(hatch, 5, 0);  // texel column = (x + 5 - 4) mod 2
    const float h = kView / 2.0f;
    D3DColouredVertex v[4] = {{-h, -h, 0, 0xFF00FFFF, 0, 0}, {h, -h, 0, 0xFF00FFFF, 0, 0},
                              {h, h, 0, 0xFF00FFFF, 0, 0}, {-h, h, 0, 0xFF00FFFF, 0, 0}};
    win_->drawColorQuad(v);
    win_->setHatch(nullptr, 0, 0);
    const auto row = device().readSurface(target_->surface, {0, 2, kView, 3});
    for (int x = 0; x < kView; ++x)
        EXPECT_EQ(row[x], (x + 1) % 2 == 0 ? 0xFF00FFFFu : 0xFF008080u) << x;
    device().setRenderTarget(device().backBuffer());
    win_->releaseTexture(hatch);
}

TEST_F(DrawStateGlTest, VideoRangeYuvBecomesRgb) {
    ASSERT_TRUE(win_->clearTexture(target_, 0));
    win_->setRenderTargetTexture(target_);
    // One L8 plane each for Y, U and V on samplers 0 to 2.
    const uint8_t samples[3] = {0xB4, 0x50, 0xC8};
    MWinD3DTexture* planes[3];
    for (int i = 0; i < 3; ++i) {
        planes[i] = win_->createTexture(1, 1, PixelFormat::L8, false, 1);
        platform::LockedRect locked;
        ASSERT_TRUE(device().lockTexture(planes[i]->texture, 0, nullptr, false, locked));
        locked.bits[0] = samples[i];
        device().unlockTexture(planes[i]->texture, 0);
        device().setTexture(i, planes[i]->texture);
    }
    win_->setPixelShader(kYuvPixelShader);
    const float h = kView / 2.0f;
    const D3DColouredVertex v[4] = {{-h, -h, 0, 0xFFFFFFFF, 0, 0}, {h, -h, 0, 0xFFFFFFFF, 1, 0},
                                    {h, h, 0, 0xFFFFFFFF, 1, 1}, {-h, h, 0, 0xFFFFFFFF, 0, 1}};
    device().drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
    const float y = 1.164f * (samples[0] / 255.0f - 0.0625f), u = samples[1] / 255.0f - 0.5f,
                w = samples[2] / 255.0f - 0.5f;
    const Rgba expected = {saturate(y + 1.596f * w), saturate(y - 0.391f * u - 0.813f * w),
                           saturate(y + 2.018f * u), 1};
    EXPECT_TRUE(near(read(target_)[0], expected, true));
    for (int i = 0; i < 3; ++i) {
        device().setTexture(i, nullptr);
        win_->releaseTexture(planes[i]);
    }
    device().setRenderTarget(device().backBuffer());
}

TEST_F(DrawStateGlTest, EveryTableShaderBuilds) {
    for (int vs = 0; vs < platform::kVertexShaderCount; ++vs) {
        win_->setVertexShader(vs / 2, vs % 2);
        ASSERT_NE(device().vertexShader(), nullptr) << vs;
        EXPECT_EQ(device().vertexShader()->index(), vs);
    }
    for (int ps = 0; ps < platform::kPixelShaderCount; ++ps) {
        win_->setPixelShader(ps);
        ASSERT_NE(device().pixelShader(), nullptr) << ps;
        EXPECT_EQ(device().pixelShader()->index(), ps);
    }
    win_->setVertexShader(0, 0);
}

// Each family's options drawn once, through the vertex shader that feeds
// every varying: a program that failed to link would draw nothing.
TEST_F(DrawStateGlTest, EachShaderFamilyLinksAndDraws) {
    MWinD3DTexture* texture = texelTexture(0xFFFFFFFF);
    win_->setRenderTargetTexture(target_);
    const int shaders[] = {1, 2, 3, 6, 9, 12, 15, 30, 119, 139, 158, 177, 196, 215, 234, 253, 271,
                           272, 273, 274, 275, 276, 277, 278, 279};
    win_->setVertexShader(2, 1);
    // White on every sampler and constants that leave it white.
    device().setTexture(1, texture->texture);
    device().setTexture(2, texture->texture);
    const float constants[8] = {0, 0, 0, 0, 1, 1, 0, 0};
    device().setPixelShaderConstants(0, constants, 2);
    const float h = kView / 2.0f;
    for (const int ps : shaders) {
        ASSERT_TRUE(win_->clearTexture(target_, 0));
        win_->setTexture(texture);
        win_->setPixelShader(ps);
        D3DColouredVertex v[4] = {{-h, -h, 0, 0xFFFFFFFF, 0, 0}, {h, -h, 0, 0xFFFFFFFF, 1, 0},
                                  {h, h, 0, 0xFFFFFFFF, 1, 1}, {-h, h, 0, 0xFFFFFFFF, 0, 1}};
        device().drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
        EXPECT_NE(read(target_)[0], 0u) << ps;
    }
    device().setTexture(1, nullptr);
    device().setTexture(2, nullptr);
    win_->setVertexShader(0, 0);
    device().setRenderTarget(device().backBuffer());
    win_->releaseTexture(texture);
}

}  // namespace
