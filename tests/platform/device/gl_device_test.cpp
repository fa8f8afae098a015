// The OpenGL device against the conventions the renderer relies on: targets
// top-down, Direct3D 9's pixel centres, one flip at present; and textures
// filled off the device's thread.
#include <SDL.h>
#include <gtest/gtest.h>


#include <algorithm>
#include <cstdlib>
#include <functional>

#include <thread>

#include "platform/device/gl/gl_api.h"
#include "platform/device/gl/gl_device_factory.h"

namespace platform {
namespace {

constexpr uint32_t kRed = 0xFFFF0000, kGreen = 0xFF00FF00, kBlue = 0xFF0000FF, kBlack = 0xFF000000;
constexpr uint32_t kWhite = 0xFFFFFFFF;

struct ScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};

struct ColouredVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};

// One window and one context for the whole binary: making a context is slow.
class GlDeviceTest : public testing::Test {
protected:
    static constexpr int kWindowW = 32, kWindowH = 16;

    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        window_ = SDL_CreateWindow("device", 0, 0, kWindowW, kWindowH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        gl::GlDeviceFactory factory;
        PresentParams params;
        params.backBufferWidth = 8;
        params.backBufferHeight = 4;
        params.autoDepthStencil = true;
        device_ = factory.createDevice(0, DeviceType::Hardware, 0, window_, params).release();
        ASSERT_NE(device_, nullptr);
    }

    static void TearDownTestSuite() {
        delete device_;
        // The window stays, and SDL is not shut down: either would unload
        // Mesa before the leak check, whose suppressions then no longer
        // recognise Mesa's own allocations.
    }

    void SetUp() override {
        ASSERT_NE(device_, nullptr);
        PresentParams params;
        params.backBufferWidth = 8;
        params.backBufferHeight = 4;
        params.autoDepthStencil = true;
        ASSERT_TRUE(device_->reset(params));
    }

    Device& device() { return *device_; }

    void drawScreenRect(float l, float t, float r, float b, uint32_t colour, float u0 = 0, float v0 = 0,
                        float u1 = 1, float v1 = 1) {
        const ScreenVertex v[4] = {{l, t, 0, 1, colour, u0, v0}, {r, t, 0, 1, colour, u1, v0},
                                   {r, b, 0, 1, colour, u1, v1}, {l, b, 0, 1, colour, u0, v1}};
        device().setVertexFormat(VertexFormat::ScreenSpace);
        device().drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
    }

    // Fills a managed A8R8G8B8 texture through a lock.
    Texture* makeTexture(int w, int h, const std::vector<uint32_t>& pixels) {
        Texture* t = device().createTexture({w, h, 1, PixelFormat::A8R8G8B8, TextureUsage::Managed});
        LockedRect locked;
        EXPECT_TRUE(device().lockTexture(t, 0, nullptr, false, locked));
        for (int y = 0; y < h; ++y) memcpy(locked.bits + y * locked.pitch, &pixels[y * w], w * 4);
        device().unlockTexture(t, 0);
        return t;
    }

    std::vector<uint32_t> read(Surface* s) { return device().readSurface(s, {0, 0, s->width(), s->height()}); }

    static std::vector<uint32_t> checkerboard(int w, int h) {
        std::vector<uint32_t> p(w * h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) p[y * w + x] = (x + y) % 2 ? kWhite : kBlack;
        p[0] = kRed;  // marks the top-left corner
        return p;
    }

    // A target of the back buffer's size and format holding a picture: the
    // checkerboard, red in the top-left corner.
    Texture* makePictureTarget(int w, int h) {
        Device& d = device();
        Texture* t = d.createTexture({w, h, 1, PixelFormat::X8R8G8B8, TextureUsage::RenderTarget});
        d.setRenderTarget(t->surface());
        d.setDepthStencil(nullptr);
        const auto pixels = checkerboard(w, h);
        d.clear(kClearTarget, kBlack, 1.0f, 0);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (pixels[y * w + x] != kBlack) {
                    const ScreenVertex v[4] = {{x - 0.5f, y - 0.5f, 0, 1, pixels[y * w + x], 0, 0},
                                               {x + 0.5f, y - 0.5f, 0, 1, pixels[y * w + x], 0, 0},
                                               {x + 0.5f, y + 0.5f, 0, 1, pixels[y * w + x], 0, 0},
                                               {x - 0.5f, y + 0.5f, 0, 1, pixels[y * w + x], 0, 0}};
                    d.setVertexFormat(VertexFormat::ScreenSpace);
                    d.drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
                }
        return t;
    }

    // The renderer's copy of the screen's texture onto the back buffer: a clear,
    // then the texture drawn over the whole of it, opaque.
    void copyOntoBackBuffer(Texture* source, uint32_t colour = kWhite, float right = 0.0f) {
        copyOnto(device().backBuffer(), source, colour, right);
    }

    // The same copy onto any target.
    void copyOnto(Surface* back, Texture* source, uint32_t colour = kWhite, float right = 0.0f) {
        Device& d = device();
        d.setRenderTarget(back);
        d.clear(kClearTarget, kBlue, 1.0f, 0);
        d.setPixelShader(nullptr);
        d.setTexture(0, source);
        const float r = right ? right : float(back->width()) - 0.5f, b = float(back->height()) - 0.5f;
        const ScreenVertex v[4] = {{-0.5f, -0.5f, 0, 1, colour, 0, 0}, {r, -0.5f, 0, 1, colour, 1, 0},
                                   {r, b, 0, 1, colour, 1, 1}, {-0.5f, b, 0, 1, colour, 0, 1}};
        d.setVertexFormat(VertexFormat::ScreenSpace);
        d.drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
        d.setTexture(0, nullptr);
    }

    static SDL_Window* window_;
    static Device* device_;
};

SDL_Window* GlDeviceTest::window_ = nullptr;
Device* GlDeviceTest::device_ = nullptr;

TEST_F(GlDeviceTest, ScreenSpaceQuadsCoverWholePixelsTopDown) {
    Texture* target = device().createTexture({8, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::RenderTarget});
    device().setRenderTarget(target->surface());
    device().clear(kClearTarget, kBlack, 1.0f, 0);
    const auto expected = checkerboard(8, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 8; ++x)
            if (expected[y * 8 + x] != kBlack)
                drawScreenRect(x - 0.5f, y - 0.5f, x + 0.5f, y + 0.5f, expected[y * 8 + x]);
    EXPECT_EQ(read(target->surface()), expected);
    device().releaseTexture(target);
}

TEST_F(GlDeviceTest, TexturedQuadThroughMatrixCopiesTextureExactly) {
    const auto pixels = checkerboard(8, 4);
    Texture* source = makeTexture(8, 4, pixels);
    Texture* target = device().createTexture({8, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::RenderTarget});
    device().setRenderTarget(target->surface());
    device().clear(kClearTarget, kBlue, 1.0f, 0);
    // A pixel-space matrix with y up in clip space, rows dotted with (x, y, z, 1).
    const float matrix[16] = {2.0f / 8, 0, 0, -1, 0, -2.0f / 4, 0, 1, 0, 0, 1, 0, 0, 0, 0, 1};
    device().setVertexShaderConstants(0, matrix, 4);
    device().setVertexShader(device().createVertexShader(0));
    device().setPixelShader(device().createPixelShader(0));
    device().setTexture(0, source);
    const ColouredVertex v[4] = {{-0.5f, -0.5f, 0, kWhite, 0, 0}, {7.5f, -0.5f, 0, kWhite, 1, 0},
                                 {7.5f, 3.5f, 0, kWhite, 1, 1}, {-0.5f, 3.5f, 0, kWhite, 0, 1}};
    device().setVertexFormat(VertexFormat::Coloured);
    device().drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
    EXPECT_EQ(read(target->surface()), pixels);
    device().releaseTexture(source);
    device().releaseTexture(target);
}

TEST_F(GlDeviceTest, ViewportAndScissorRectanglesCountFromTheTop) {
    Surface* back = device().backBuffer();
    device().clear(kClearTarget, kBlack, 1.0f, 0);
    device().setViewport({1, 0, 3, 1});
    device().clear(kClearTarget, kRed, 1.0f, 0);
    device().setViewport({0, 0, 8, 4});
    device().setRenderState(RenderState::ScissorTestEnable, 1);
    device().setScissorRect({5, 2, 7, 4});
    drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kGreen);
    device().setRenderState(RenderState::ScissorTestEnable, 0);
    std::vector<uint32_t> expected(32, kBlack);
    for (int x = 1; x < 4; ++x) expected[x] = kRed;
    for (int y = 2; y < 4; ++y)
        for (int x = 5; x < 7; ++x) expected[y * 8 + x] = kGreen;
    EXPECT_EQ(read(back), expected);
}

TEST_F(GlDeviceTest, SettingATargetResetsTheViewportAndScissorToTheWholeTarget) {
    Texture* target = device().createTexture({4, 2, 1, PixelFormat::X8R8G8B8, TextureUsage::RenderTarget});
    device().setViewport({1, 1, 2, 1});
    device().setRenderState(RenderState::ScissorTestEnable, 1);
    device().setScissorRect({6, 3, 7, 4});  // outside the new target
    device().setRenderTarget(target->surface());
    EXPECT_EQ(device().viewport(), (Viewport{0, 0, 4, 2}));
    EXPECT_EQ(device().scissorRect(), (Rect{0, 0, 4, 2}));
    device().clear(kClearTarget, kGreen, 1.0f, 0);
    EXPECT_EQ(read(target->surface()), std::vector<uint32_t>(8, kGreen));
    drawScreenRect(-0.5f, -0.5f, 3.5f, 1.5f, kRed);
    EXPECT_EQ(read(target->surface()), std::vector<uint32_t>(8, kRed));
    device().setRenderState(RenderState::ScissorTestEnable, 0);
    device().releaseTexture(target);
}

TEST_F(GlDeviceTest, ClearsKeepToTheScissorWhileItsTestIsOn) {
    Surface* back = device().backBuffer();
    device().clear(kClearTarget, kBlack, 1.0f, 0);
    device().setScissorRect({2, 1, 5, 3});
    device().clear(kClearTarget, kBlue, 1.0f, 0);  // test off: the whole viewport
    device().setRenderState(RenderState::ScissorTestEnable, 1);
    device().setViewport({0, 0, 4, 4});
    device().clear(kClearTarget, kRed, 1.0f, 0);  // viewport cut to the scissor
    device().setRenderState(RenderState::ScissorTestEnable, 0);
    std::vector<uint32_t> expected(32, kBlue);
    for (int y = 1; y < 3; ++y)
        for (int x = 2; x < 4; ++x) expected[y * 8 + x] = kRed;
    EXPECT_EQ(read(back), expected);
}

TEST_F(GlDeviceTest, PresentFlipsOnlyIntoTheWindow) {
    device().clear(kClearTarget, kBlack, 1.0f, 0);
    drawScreenRect(-0.5f, -0.5f, 7.5f, 0.5f, kRed);  // top row of the back buffer
    const Rect source{0, 0, 8, 4}, destination{8, 2, 16, 6};
    ASSERT_EQ(device().present(&source, &destination), DeviceStatus::Ok);
    // The window's framebuffer is bottom-up: its last row is the top.
    std::vector<uint32_t> window(kWindowW * kWindowH);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, kWindowW, kWindowH, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, window.data());
    auto at = [&](int x, int yFromTop) { return window[(kWindowH - 1 - yFromTop) * kWindowW + x] | 0xFF000000u; };
    EXPECT_EQ(at(12, 1), kBlack);  // above the destination
    EXPECT_EQ(at(12, 2), kRed);
    EXPECT_EQ(at(12, 3), kBlack);
    EXPECT_EQ(at(4, 2), kBlack);  // beside it
}

// The window's desktop full screen survives the reset a resize brings.
TEST_F(GlDeviceTest, AWindowedResetKeepsTheDesktopFullScreen) {
    ASSERT_EQ(SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP), 0) << SDL_GetError();
    PresentParams params;
    params.backBufferWidth = 8;
    params.backBufferHeight = 4;
    params.autoDepthStencil = true;
    ASSERT_TRUE(device().reset(params));
    const Uint32 flags = SDL_GetWindowFlags(window_);
    SDL_SetWindowFullscreen(window_, 0);
    EXPECT_EQ(flags & SDL_WINDOW_FULLSCREEN_DESKTOP, Uint32(SDL_WINDOW_FULLSCREEN_DESKTOP));
}

TEST_F(GlDeviceTest, PresentShowsThePictureOpaque) {
    device().clear(kClearTarget, 0x00FF0000, 1.0f, 0);  // a colour with alpha 0, as borders are cleared
    ASSERT_EQ(device().present(nullptr, nullptr), DeviceStatus::Ok);
    std::vector<uint32_t> window(kWindowW * kWindowH);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadPixels(0, 0, kWindowW, kWindowH, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, window.data());
    EXPECT_EQ(window, std::vector<uint32_t>(window.size(), kRed));
}

TEST_F(GlDeviceTest, ATextureMadeAfterOneIsReleasedIsDrawnNotTheUnitsOldOne) {
    // GL gives a released texture's name to the next one made, and its
    // upload binds it to whichever unit is active (here unit 1, which the
    // dissolve reads last): a unit remembered by name must not then skip
    // binding the new texture to unit 0.
    Surface* back = device().backBuffer();
    Texture* pattern = makeTexture(2, 2, std::vector<uint32_t>(4, kWhite));
    PixelShader* dissolve = device().createPixelShader(276);
    ASSERT_NE(dissolve, nullptr);
    device().setPixelShader(dissolve);
    device().setTexture(1, pattern);
    for (uint32_t colour : {kRed, kGreen, kBlue}) {
        Texture* t = makeTexture(2, 2, std::vector<uint32_t>(4, colour));
        device().setTexture(0, t);
        drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kWhite);
        EXPECT_EQ(read(back), std::vector<uint32_t>(32, colour));
        device().setTexture(0, nullptr);
        device().releaseTexture(t);
    }
    device().setTexture(1, nullptr);
    device().setPixelShader(nullptr);
    device().releaseShader(dissolve);
    device().releaseTexture(pattern);
}

TEST_F(GlDeviceTest, AlphaTestDiscardsBeforeTheStencilIsWritten) {
    Surface* back = device().backBuffer();
    device().clear(kClearTarget | kClearStencil, kBlack, 1.0f, 0);
    std::vector<uint32_t> half(8 * 4, 0x00FFFFFF);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) half[y * 8 + x] = kWhite;  // opaque left half
    Texture* mask = makeTexture(8, 4, half);
    device().setTexture(0, mask);
    device().setRenderState(RenderState::AlphaTestEnable, 1);
    device().setRenderState(RenderState::AlphaFunc, uint32_t(CompareFunc::Greater));
    device().setRenderState(RenderState::StencilEnable, 1);
    device().setRenderState(RenderState::StencilFunc, uint32_t(CompareFunc::Always));
    device().setRenderState(RenderState::StencilPass, uint32_t(StencilOp::Replace));
    device().setRenderState(RenderState::StencilRef, 1);
    device().setRenderState(RenderState::ColorWriteEnable, 0);
    drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kWhite);
    device().setTexture(0, nullptr);
    device().setRenderState(RenderState::AlphaTestEnable, 0);
    device().setRenderState(RenderState::ColorWriteEnable, 0xF);
    device().setRenderState(RenderState::StencilFunc, uint32_t(CompareFunc::Equal));
    device().setRenderState(RenderState::StencilPass, uint32_t(StencilOp::Keep));
    drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kGreen);
    device().setRenderState(RenderState::StencilEnable, 0);
    const auto pixels = read(back);
    EXPECT_EQ(pixels[1 * 8 + 2], kGreen);
    EXPECT_EQ(pixels[1 * 8 + 6], kBlack);
    device().releaseTexture(mask);
}

TEST_F(GlDeviceTest, BlendRowsCombineWithTheTarget) {
    Surface* back = device().backBuffer();
    device().clear(kClearTarget, 0xFF204080, 1.0f, 0);
    device().setRenderState(RenderState::AlphaBlendEnable, 1);
    device().setRenderState(RenderState::SrcBlend, uint32_t(Blend::SrcAlpha));
    device().setRenderState(RenderState::DestBlend, uint32_t(Blend::One));
    drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, 0x80404040);
    device().setRenderState(RenderState::AlphaBlendEnable, 0);
    const uint32_t p = read(back)[0];
    EXPECT_NEAR(int((p >> 16) & 0xFF), 0x20 + 0x20, 1);
    EXPECT_NEAR(int(p & 0xFF), 0x80 + 0x20, 1);
}

TEST_F(GlDeviceTest, CullModesNameTheWindingSeenOnThePicture) {
    Surface* back = device().backBuffer();
    // Clockwise on the top-down picture: top left, top right, bottom left.
    const ScreenVertex clockwise[3] = {{-0.5f, -0.5f, 0, 1, kRed, 0, 0}, {7.5f, -0.5f, 0, 1, kRed, 0, 0},
                                       {-0.5f, 3.5f, 0, 1, kRed, 0, 0}};
    device().setVertexFormat(VertexFormat::ScreenSpace);
    struct Case {
        CullMode mode;
        bool drawn;
    };
    for (const Case c : {Case{CullMode::None, true}, Case{CullMode::Clockwise, false},
                         Case{CullMode::CounterClockwise, true}}) {
        device().clear(kClearTarget, kBlack, 1.0f, 0);
        device().setRenderState(RenderState::CullMode, uint32_t(c.mode));
        device().drawPrimitiveUP(PrimitiveType::TriangleList, 1, clockwise, sizeof clockwise[0]);
        EXPECT_EQ(read(back)[0], c.drawn ? kRed : kBlack) << int(c.mode);
    }
}

TEST_F(GlDeviceTest, SmallFormatsSampleAsTheirChannels) {
    struct Case {
        PixelFormat format;
        uint16_t texel;
        uint32_t expected;
    };
    const Case cases[] = {
        {PixelFormat::A8, 0x80, 0x80000000},         {PixelFormat::L8, 0x40, 0xFF404040},
        {PixelFormat::A8L8, 0x8040, 0x80404040},     {PixelFormat::R5G6B5, 0xF800, 0xFFFF0000},
        {PixelFormat::A4R4G4B4, 0xFF00, 0xFFFF0000}, {PixelFormat::A1R5G5B5, 0x83E0, 0xFF00FF00},
    };
    Surface* back = device().backBuffer();
    for (const Case& c : cases) {
        Texture* t = device().createTexture({1, 1, 1, c.format, TextureUsage::Managed});
        LockedRect locked;
        ASSERT_TRUE(device().lockTexture(t, 0, nullptr, false, locked));
        memcpy(locked.bits, &c.texel, rowPitch(c.format, 1));
        device().unlockTexture(t, 0);
        device().clear(kClearTarget, 0, 1.0f, 0);
        device().setTexture(0, t);
        drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kWhite);
        const uint32_t p = device().readSurface(back, {0, 0, 1, 1})[0] & 0x00FFFFFF;
        EXPECT_EQ(p, c.expected & 0x00FFFFFF) << uint32_t(c.format);
        device().setTexture(0, nullptr);
        device().releaseTexture(t);
    }
}

TEST_F(GlDeviceTest, TexturesFirstUploadedByOneDrawStayOnTheirOwnStages) {
    Texture* colour = makeTexture(1, 1, {kRed});
    Texture* mask = makeTexture(1, 1, {kGreen});
    Surface* back = device().backBuffer();
    device().clear(kClearTarget, kBlack, 1.0f, 0);
    const float matrix[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
    device().setVertexShaderConstants(0, matrix, 4);
    device().setVertexShader(device().createVertexShader(0));
    // Shader 15: the texel with its alpha times the green of stage 1.
    device().setPixelShader(device().createPixelShader(15));
    device().setTexture(0, colour);
    device().setTexture(1, mask);
    const ColouredVertex v[4] = {{-1, 1, 0, kWhite, 0, 0}, {1, 1, 0, kWhite, 1, 0}, {1, -1, 0, kWhite, 1, 1},
                                 {-1, -1, 0, kWhite, 0, 1}};
    device().setVertexFormat(VertexFormat::Coloured);
    device().drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
    EXPECT_EQ(read(back)[0], kRed);
    device().setTexture(0, nullptr);
    device().setTexture(1, nullptr);
    device().releaseTexture(colour);
    device().releaseTexture(mask);
}

TEST_F(GlDeviceTest, TexturesMadeOnAnotherThreadAreDrawnOnThisOne) {
    const auto pixels = checkerboard(8, 4);
    Texture* t = nullptr;
    std::thread loader([&] {
        t = device().createTexture({8, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::Managed});
        LockedRect locked;
        if (!device().lockTexture(t, 0, nullptr, false, locked)) return;
        for (int y = 0; y < 4; ++y) memcpy(locked.bits + y * locked.pitch, &pixels[y * 8], 32);
        device().unlockTexture(t, 0);
    });
    loader.join();
    ASSERT_NE(t, nullptr);
    device().setTexture(0, t);
    drawScreenRect(-0.5f, -0.5f, 7.5f, 3.5f, kWhite);
    device().setTexture(0, nullptr);
    EXPECT_EQ(read(device().backBuffer()), pixels);
    std::thread releaser([&] { device().releaseTexture(t); });
    releaser.join();
    device().present(nullptr, nullptr);  // deletes it on this thread
}

TEST_F(GlDeviceTest, DynamicTexturesTakeBandsThroughDiscardLocks) {
    Texture* t = device().createTexture({4, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::Dynamic});
    auto fill = [&](const Rect& band, uint32_t colour) {
        LockedRect locked;
        ASSERT_TRUE(device().lockTexture(t, 0, &band, true, locked));
        for (int y = 0; y < band.height(); ++y)
            for (int x = 0; x < band.width(); ++x) memcpy(locked.bits + y * locked.pitch + x * 4, &colour, 4);
        device().unlockTexture(t, 0);
    };
    fill({0, 0, 4, 4}, kRed);
    device().setTexture(0, t);
    drawScreenRect(-0.5f, -0.5f, 3.5f, 3.5f, kWhite);
    fill({0, 2, 4, 3}, kGreen);
    drawScreenRect(-0.5f, -0.5f, 3.5f, 3.5f, kWhite);
    device().setTexture(0, nullptr);
    const auto pixels = device().readSurface(device().backBuffer(), {0, 0, 4, 4});
    EXPECT_EQ(pixels[1 * 4 + 1], kRed);
    EXPECT_EQ(pixels[2 * 4 + 1], kGreen);
    EXPECT_EQ(pixels[3 * 4 + 1], kRed);
    device().releaseTexture(t);
}

// A managed texture's pixels leave its CPU copy at unlock: a later lock of
// part of it replaces only that part.
TEST_F(GlDeviceTest, AManagedTextureLockedAgainInPartKeepsItsOtherPixels) {
    Texture* t = makeTexture(4, 4, std::vector<uint32_t>(16, kRed));
    for (bool discard : {false, true}) {
        const Rect band{1, 2, 3, 3};
        LockedRect locked;
        ASSERT_TRUE(device().lockTexture(t, 0, &band, discard, locked));
        for (int x = 0; x < band.width(); ++x) memcpy(locked.bits + x * 4, discard ? &kBlue : &kGreen, 4);
        device().unlockTexture(t, 0);
        device().setTexture(0, t);
        drawScreenRect(-0.5f, -0.5f, 3.5f, 3.5f, kWhite);
        device().setTexture(0, nullptr);
        const auto pixels = device().readSurface(device().backBuffer(), {0, 0, 4, 4});
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x)
                EXPECT_EQ(pixels[y * 4 + x], y == 2 && x >= 1 && x < 3 ? (discard ? kBlue : kGreen) : kRed)
                    << x << "," << y;
    }
    // And a whole-level discarding lock replaces all of it.
    LockedRect locked;
    ASSERT_TRUE(device().lockTexture(t, 0, nullptr, true, locked));
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x) memcpy(locked.bits + y * locked.pitch + x * 4, &kWhite, 4);
    device().unlockTexture(t, 0);
    device().setTexture(0, t);
    drawScreenRect(-0.5f, -0.5f, 3.5f, 3.5f, kWhite);
    device().setTexture(0, nullptr);
    EXPECT_EQ(device().readSurface(device().backBuffer(), {0, 0, 4, 4}), std::vector<uint32_t>(16, kWhite));
    device().releaseTexture(t);
}

// The counters say when a draw needs work done once: a program linked, or a
// combination of program and states a software rasteriser generates code
// for. Textures and targets alike in what that code depends on share it.
TEST_F(GlDeviceTest, DrawStatesAndProgramsAreCountedOnceEach) {
    Texture* target = device().createTexture({8, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::RenderTarget});
    Texture* square = makeTexture(4, 4, std::vector<uint32_t>(16, kWhite));
    Texture* otherSquare = makeTexture(8, 8, std::vector<uint32_t>(64, kWhite));
    Texture* notPowerOfTwo = makeTexture(3, 3, std::vector<uint32_t>(9, kWhite));
    device().setRenderTarget(target->surface());
    device().setVertexShader(device().createVertexShader(0));
    PixelShader* unusedShader = device().createPixelShader(17);
    const DeviceCounters start = device().counters();
    device().prepareProgram(VertexFormat::Coloured, device().vertexShader(), unusedShader);
    device().prepareProgram(VertexFormat::Coloured, device().vertexShader(), unusedShader);
    EXPECT_EQ(device().counters().programsLinked, start.programsLinked + 1);
    device().setPixelShader(unusedShader);
    device().setVertexFormat(VertexFormat::Coloured);
    const ColouredVertex v[4] = {{0, 0, 0, kWhite, 0, 0}, {1, 0, 0, kWhite, 1, 0},
                                 {1, 1, 0, kWhite, 1, 1}, {0, 1, 0, kWhite, 0, 1}};
    struct Step {
        const char* what;
        std::function<void()> change;
        uint64_t newStates;
    };
    const Step steps[] = {
        {"the first draw", [&] { device().setTexture(0, square); }, 1},
        {"the same again", [] {}, 0},
        {"another square texture", [&] { device().setTexture(0, otherSquare); }, 0},
        {"the back buffer, of the same format", [&] { device().setRenderTarget(device().backBuffer()); }, 0},
        {"a side not a power of two", [&] { device().setTexture(0, notPowerOfTwo); }, 1},
        {"blending", [&] { device().setRenderState(RenderState::AlphaBlendEnable, 1); }, 1},
        {"another blend", [&] { device().setRenderState(RenderState::DestBlend, uint32_t(Blend::One)); }, 1},
        {"linear filtering", [&] { device().setSamplerState(0, SamplerState::MinFilter, 2); }, 1},
        {"the first state again", [&] {
             device().setRenderState(RenderState::AlphaBlendEnable, 0);
             device().setRenderState(RenderState::DestBlend, uint32_t(Blend::Zero));
             device().setSamplerState(0, SamplerState::MinFilter, defaultSamplerState(SamplerState::MinFilter));
             device().setTexture(0, square);
         }, 0},
        {"no depth surface", [&] { device().setDepthStencil(nullptr); }, 1},
    };
    for (const Step& step : steps) {
        const uint64_t before = device().counters().drawStatesMet;
        step.change();
        device().drawPrimitiveUP(PrimitiveType::TriangleFan, 2, v, sizeof v[0]);
        EXPECT_EQ(device().counters().drawStatesMet - before, step.newStates) << step.what;
    }
    EXPECT_EQ(device().counters().programsLinked, start.programsLinked + 1);
    for (Texture* t : {target, square, otherSquare, notPowerOfTwo}) device().releaseTexture(t);
}

// Whatever follows the copy, the back buffer and its source read as if the
// copy had been drawn.
TEST_F(GlDeviceTest, AWholeCopyOntoTheBackBufferReadsAsDrawnWhateverFollows) {
    const auto picture = checkerboard(8, 4);
    auto withPixel = [](std::vector<uint32_t> p, uint32_t colour) {
        p[1 * 8 + 2] = colour;
        return p;
    };
    struct Case {
        const char* what;
        std::function<void(Texture*)> after;
        std::vector<uint32_t> backBuffer, source;  // source empty: released
    };
    const Case cases[] = {
        {"nothing", [](Texture*) {}, picture, picture},
        {"the source cleared whole",
         [&](Texture* s) {
             device().setRenderTarget(s->surface());
             device().clear(kClearTarget, kGreen, 1.0f, 0);
         },
         picture, std::vector<uint32_t>(32, kGreen)},
        {"a pixel drawn into the source",
         [&](Texture* s) {
             device().setRenderTarget(s->surface());
             drawScreenRect(1.5f, 0.5f, 2.5f, 1.5f, kGreen);
         },
         picture, withPixel(picture, kGreen)},
        {"a pixel drawn onto the back buffer", [&](Texture*) { drawScreenRect(1.5f, 0.5f, 2.5f, 1.5f, kGreen); },
         withPixel(picture, kGreen), picture},
        {"the back buffer filled", [&](Texture*) { device().colorFill(device().backBuffer(), kGreen); },
         std::vector<uint32_t>(32, kGreen), picture},
        {"the source released", [&](Texture* s) { device().releaseTexture(s); }, picture, {}},
    };
    for (const Case& c : cases) {
        // Nothing left in the back buffer from an earlier case.
        device().colorFill(device().backBuffer(), kBlack);
        Texture* source = makePictureTarget(8, 4);
        const uint64_t kept = device().counters().backBufferCopiesKept;
        copyOntoBackBuffer(source);
        EXPECT_EQ(device().counters().backBufferCopiesKept, kept + 1) << c.what;
        c.after(source);
        EXPECT_EQ(read(device().backBuffer()), c.backBuffer) << c.what;
        if (c.source.empty()) continue;
        EXPECT_EQ(read(source->surface()), c.source) << c.what;
        device().releaseTexture(source);
    }
}

// Copies that would leave some of the back buffer showing are drawn.
TEST_F(GlDeviceTest, CopiesNotReplacingEveryPixelAreDrawn) {
    struct Case {
        const char* what;
        std::function<void(Texture*)> copy;
        std::function<void()> undo;
    };
    const Case cases[] = {
        {"a pixel short", [&](Texture* s) { copyOntoBackBuffer(s, kWhite, 6.5f); }, [] {}},
        {"a tinted vertex colour", [&](Texture* s) { copyOntoBackBuffer(s, 0xFFFF00FF); }, [] {}},
        {"blended", [&](Texture* s) {
             device().setRenderState(RenderState::AlphaBlendEnable, 1);
             device().setRenderState(RenderState::DestBlend, uint32_t(Blend::One));
             copyOntoBackBuffer(s);
         },
         [&] { device().setRenderState(RenderState::AlphaBlendEnable, 0); }},
        {"the alpha test failing", [&](Texture* s) {
             device().setRenderState(RenderState::AlphaTestEnable, 1);
             device().setRenderState(RenderState::AlphaFunc, uint32_t(CompareFunc::Less));
             copyOntoBackBuffer(s);
         },
         [&] { device().setRenderState(RenderState::AlphaTestEnable, 0); }},
    };
    Texture* source = makePictureTarget(8, 4);
    for (const Case& c : cases) {
        const uint64_t kept = device().counters().backBufferCopiesKept;
        c.copy(source);
        c.undo();
        EXPECT_EQ(device().counters().backBufferCopiesKept, kept) << c.what;
    }
    // The short copy leaves the cleared column.
    copyOntoBackBuffer(source, kWhite, 6.5f);
    const auto back = read(device().backBuffer());
    EXPECT_EQ(back[7], kBlue);
    EXPECT_EQ(back[0], kRed);
    device().releaseTexture(source);
}

// A whole copy onto an opaque target texture of the source's size is made
// texel for texel; onto a target with alpha, or short of a pixel, it is
// drawn. Either way the target reads as if drawn, and a back buffer that
// kept a copy of the target still shows the target's earlier picture.
TEST_F(GlDeviceTest, AWholeCopyOntoATargetTextureIsTexelForTexel) {
    const auto picture = checkerboard(8, 4);
    Texture* source = makePictureTarget(8, 4);
    struct Case {
        const char* what;
        PixelFormat format;
        float right;
        bool blitted;
    };
    const Case cases[] = {
        {"opaque, whole", PixelFormat::X8R8G8B8, 0.0f, true},
        {"with alpha", PixelFormat::A8R8G8B8, 0.0f, false},
        {"a pixel short", PixelFormat::X8R8G8B8, 6.5f, false},
    };
    for (const Case& c : cases) {
        Texture* target = device().createTexture({8, 4, 1, c.format, TextureUsage::RenderTarget});
        const uint64_t blitted = device().counters().wholeCopiesBlitted;
        copyOnto(target->surface(), source, kWhite, c.right);
        EXPECT_EQ(device().counters().wholeCopiesBlitted, blitted + (c.blitted ? 1 : 0)) << c.what;
        const auto copied = read(target->surface());
        if (c.right) {
            // Stretched over the pixels it covers, the rest left cleared.
            EXPECT_EQ(copied[0], kRed) << c.what;
            for (int y = 0; y < 4; ++y) EXPECT_EQ(copied[y * 8 + 7], kBlue) << c.what;
        } else {
            EXPECT_EQ(copied, picture) << c.what;
        }
        device().releaseTexture(target);
    }
    Texture* earlier = makePictureTarget(8, 4);
    device().setRenderTarget(earlier->surface());
    drawScreenRect(1.5f, 0.5f, 2.5f, 1.5f, kGreen);
    auto earlierPicture = picture;
    earlierPicture[1 * 8 + 2] = kGreen;
    device().colorFill(device().backBuffer(), kBlack);
    copyOntoBackBuffer(earlier);
    copyOnto(earlier->surface(), source);
    EXPECT_EQ(read(device().backBuffer()), earlierPicture);
    EXPECT_EQ(read(earlier->surface()), picture);
    device().releaseTexture(earlier);
    device().releaseTexture(source);
}

// The window shows a kept copy's picture, flipped once, and still shows it
// after the source is redrawn; a smaller destination still gets black borders.
TEST_F(GlDeviceTest, PresentShowsAKeptCopyAndClearsOnlyWhatItLeavesUncovered) {
    PresentParams params;
    params.backBufferWidth = kWindowW;
    params.backBufferHeight = kWindowH;
    ASSERT_TRUE(device().reset(params));
    Texture* source = makePictureTarget(kWindowW, kWindowH);
    const auto picture = checkerboard(kWindowW, kWindowH);
    auto window = [] {
        std::vector<uint32_t> pixels(kWindowW * kWindowH), topDown(pixels.size());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        glReadPixels(0, 0, kWindowW, kWindowH, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, pixels.data());
        for (int y = 0; y < kWindowH; ++y)
            std::copy_n(&pixels[(kWindowH - 1 - y) * kWindowW], kWindowW, &topDown[y * kWindowW]);
        return topDown;
    };
    copyOntoBackBuffer(source);
    ASSERT_EQ(device().present(nullptr, nullptr), DeviceStatus::Ok);
    EXPECT_EQ(window(), picture);
    // The next frame starts by clearing the source.
    device().setRenderTarget(source->surface());
    device().clear(kClearTarget, kGreen, 1.0f, 0);
    ASSERT_EQ(device().present(nullptr, nullptr), DeviceStatus::Ok);
    EXPECT_EQ(window(), picture);
    const Rect part{0, 0, 8, 4}, destination{4, 4, 12, 8};
    ASSERT_EQ(device().present(&part, &destination), DeviceStatus::Ok);
    const auto shown = window();
    EXPECT_EQ(shown[4 * kWindowW + 4], kRed);
    EXPECT_EQ(shown[0], kBlack);
    EXPECT_EQ(shown[5 * kWindowW + 13], kBlack);
    device().releaseTexture(source);
}

}  // namespace
}  // namespace platform
