// MWinD3DWin's bookkeeping over a recording device: records, byte counts,
// resets, mode switches and the vsync-paced flag.
#include "engine/render/win_d3d_win.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/base/win_app_settings.h"
#include "engine/render/d3d_mouse_scaling.h"
#include "platform/window/window.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::PixelFormat;

class WinD3DWinTest : public testing::Test {
protected:
    void SetUp() override {
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = 640;
        s.windowHeight = 480;
        s.clientWidth = 640;
        s.clientHeight = 480;
        s.screenWidth = 320;
        s.screenHeight = 240;
        s.useDepthStencil = true;
        s.d3dPureDevice = true;
        win = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
        ASSERT_TRUE(win->initialize());
        device = factory.last;
    }

    void TearDown() override { win.reset(); }

    FakeDeviceFactory factory;
    std::unique_ptr<MWinD3DWin> win;
    platform::RecordingDevice* device = nullptr;
};

TEST_F(WinD3DWinTest, InitializeMakesTheCaptureTargetAndTheWhitePixel) {
    ASSERT_NE(win->captureTexture(), nullptr);
    EXPECT_EQ(win->captureTexture()->width, 320);
    EXPECT_TRUE(win->captureTexture()->isRenderTarget);
    EXPECT_EQ(win->captureTexture()->minFilter, 1);
    ASSERT_NE(win->whiteTexture(), nullptr);
    EXPECT_EQ(win->whiteTexture()->format, PixelFormat::X8R8G8B8);
    EXPECT_EQ(win->videoMemoryBytes(), 320u * 240 * 4 + 4);
    EXPECT_EQ(win->backBufferWidth(), 640);  // the window's client size
    const D3DMouseScaling scaling = readMouseScaling();
    EXPECT_EQ(scaling.width, 640.0f);
    EXPECT_EQ(scaling.changedX, 1);
    EXPECT_EQ(device->renderState(platform::RenderState::AlphaFunc), uint32_t(platform::CompareFunc::Greater));
    EXPECT_EQ(device->renderState(platform::RenderState::CullMode), uint32_t(platform::CullMode::None));
}

TEST_F(WinD3DWinTest, RecordsAndByteCountSurviveAScreenSizeChange) {
    MWinD3DTexture* target = win->createTexture(64, 64, PixelFormat::A8R8G8B8, true, 1);
    MWinD3DTexture* dynamic = win->createDynamicTexture(32, 32, PixelFormat::A8, false);
    MWinD3DTexture* managed = win->createTexture(16, 16, PixelFormat::A8R8G8B8, false, 1);
    MWinD3DDepthSurface* depth = win->createDepthStencil(128, 128, PixelFormat::D16, 0, 0, 1);
    ASSERT_TRUE(target && dynamic && managed && depth);
    EXPECT_EQ(depth->bytesPerPixel, 2);
    const uint32_t before = win->videoMemoryBytes();
    EXPECT_EQ(before, 320u * 240 * 4 + 4 + 64 * 64 * 4 + 32 * 32 * 4 + 16 * 16 * 4 + 128 * 128 * 2);
    platform::Texture* managedTexture = managed->texture;
    int events[2] = {0, 0};
    win->addDeviceEventListener(1, [](int32_t code, void* arg) { static_cast<int*>(arg)[code]++; }, events);

    win->setScreenSize(800, 600);
    EXPECT_EQ(win->videoMemoryBytes(), before);
    EXPECT_EQ(win->backBufferWidth(), 800);
    EXPECT_EQ(device->backBuffer()->height(), 600);
    EXPECT_EQ(device->liveTextures(), 5);  // capture, white and the three above
    EXPECT_EQ(target->texture->desc().width, 64);
    EXPECT_EQ(target->surface, target->texture->surface());
    EXPECT_EQ(dynamic->texture->desc().format, PixelFormat::A8);
    EXPECT_EQ(dynamic->texture->desc().usage, platform::TextureUsage::Dynamic);
    EXPECT_NE(depth->surface, nullptr);
    EXPECT_FALSE(target->isLost || dynamic->isLost || depth->isLost);
    EXPECT_EQ(managed->texture, managedTexture);  // managed textures live through resets
    EXPECT_EQ(events[0], 1);
    EXPECT_EQ(events[1], 1);
    EXPECT_EQ(winAppSettings().clientWidth, 800);

    win->setScreenSize(0, 600);
    EXPECT_EQ(win->backBufferWidth(), 1);
    EXPECT_EQ(win->backBufferHeight(), 1);

    EXPECT_TRUE(win->releaseTexture(target));
    EXPECT_FALSE(win->releaseTexture(nullptr));
    EXPECT_TRUE(win->releaseDepthStencil(depth));
    EXPECT_EQ(win->videoMemoryBytes(), before - 64 * 64 * 4 - 128 * 128 * 2);
}

TEST_F(WinD3DWinTest, FailedCreationsLeaveNoRecord) {
    const size_t records = win->textures().size();
    device->failCreations(2);
    EXPECT_EQ(win->createTexture(8, 8, PixelFormat::A8R8G8B8, false, 1), nullptr);
    EXPECT_EQ(win->createDepthStencil(8, 8, PixelFormat::D24S8, 0, 0, 1), nullptr);
    EXPECT_EQ(win->textures().size(), records);
    EXPECT_TRUE(win->depthSurfaces().empty());
}

TEST_F(WinD3DWinTest, FullScreenTakesOnlyListedModes) {
    win->enterFullscreen(1024, 768, 60);
    EXPECT_FALSE(win->isFullscreen());
    EXPECT_EQ(device->resetCount(), 0);
    win->enterFullscreen(1280, 720, 60);
    EXPECT_TRUE(win->isFullscreen());
    EXPECT_TRUE(winAppSettings().fullscreenMode);
    EXPECT_FALSE(device->params().windowed);
    win->setScreenSize(300, 200);  // ignored while full screen
    EXPECT_EQ(win->backBufferWidth(), 1280);
    win->leaveFullscreen();
    EXPECT_FALSE(win->isFullscreen());
    EXPECT_FALSE(winAppSettings().fullscreenTypePure);
    EXPECT_EQ(win->backBufferWidth(), 320);  // the screen size
}

// Leaving full screen on a real (offscreen) SDL window: the cursor follows
// the settings, and the window comes back at the settings' client size, or
// at twice that when it has it already or is a popup. (SDL's offscreen
// driver keeps no frame or stacking flags, so those steps go unseen here.)
TEST_F(WinD3DWinTest, LeavingFullScreenRestoresTheCursorAndTheClientSize) {
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
    MWinAppSettings& s = winAppSettings();
    s.mouseCursor = true;
    s.fullscreenCursor = false;
    struct Case {
        Uint32 flags;
        int startWidth;
        platform::ClientSize expected;
    };
    const Case cases[] = {{SDL_WINDOW_BORDERLESS, 500, {1280, 960}},
                          {0, 500, {640, 480}},
                          {0, 640, {1280, 960}}};
    for (const Case& c : cases) {
        SDL_Window* window = SDL_CreateWindow("w", 0, 0, c.startWidth, 400, SDL_WINDOW_HIDDEN | c.flags);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        {
            FakeDeviceFactory windowFactory;
            MWinD3DWin framed(windowFactory, window, false, 0, 0);
            ASSERT_TRUE(framed.initialize());
            platform::showCursor(true);
            framed.enterFullscreen(1280, 720, 60);
            EXPECT_FALSE(platform::isCursorShown());
            framed.leaveFullscreen();
            EXPECT_TRUE(platform::isCursorShown());
            const platform::ClientSize size = platform::windowClientSize(window);
            EXPECT_EQ(size.width, c.expected.width) << c.flags << " " << c.startWidth;
            EXPECT_EQ(size.height, c.expected.height) << c.flags << " " << c.startWidth;
        }
        SDL_DestroyWindow(window);
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

TEST_F(WinD3DWinTest, VsyncPacedOnlyNearSixtyHertz) {
    struct Case {
        int refresh;
        bool paced;
    };
    for (const Case c : {Case{57, false}, Case{58, true}, Case{60, true}, Case{62, true}, Case{63, false}}) {
        device->setDisplayMode({1280, 720, c.refresh});
        win->enterFullscreen(1280, 720, 60);
        EXPECT_EQ(win->isVsyncPaced(), c.paced) << c.refresh;
        win->leaveFullscreen();
    }
}

TEST_F(WinD3DWinTest, NextPowerOfTwoSmearsTheBits) {
    const std::pair<uint32_t, uint32_t> cases[] = {{0, 0}, {1, 1}, {3, 4}, {4, 4}, {224, 256}, {1025, 2048}};
    for (auto [n, expected] : cases) EXPECT_EQ(win->nextPowerOfTwo(n), expected) << n;
}

TEST(WinD3DWinCreation, FailsWithoutADevice) {
    winAppSettings() = MWinAppSettings{};
    winAppSettings().screenWidth = 32;
    winAppSettings().screenHeight = 32;
    FakeDeviceFactory factory;
    factory.failAll = true;
    MWinD3DWin win(factory, nullptr, false, 64, 64);
    EXPECT_FALSE(win.initialize());
    EXPECT_EQ(win.device(), nullptr);
    factory.adapters = 0;
    MWinD3DWin none(factory, nullptr, false, 64, 64);
    EXPECT_FALSE(none.initialize());
}

}  // namespace
