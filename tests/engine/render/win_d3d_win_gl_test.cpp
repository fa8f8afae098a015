// MWinD3DWin on the OpenGL device: drawing into targets and onto the screen
// through the capture texture, read back.
#include <SDL.h>
#include <gtest/gtest.h>


#include <cstdlib>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/task.h"
#include "platform/device/gl/gl_device_factory.h"

namespace {

class WinD3DWinGlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 32;
        s.windowHeight = s.clientHeight = 16;
        s.screenWidth = 8;
        s.screenHeight = 8;
        s.d3dPureDevice = true;
        window_ = SDL_CreateWindow("d3d", 0, 0, 32, 16, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        win_ = new MWinD3DWin(factory_, window_, false, 0, 0);
        ASSERT_TRUE(win_->initialize());
    }

    static void TearDownTestSuite() {
        delete win_;
        // The window stays, and SDL is not shut down: either would unload
        // Mesa before the leak check, whose suppressions then no longer
        // recognise Mesa's own allocations.
    }

    static platform::gl::GlDeviceFactory factory_;
    static SDL_Window* window_;
    static MWinD3DWin* win_;
};

platform::gl::GlDeviceFactory WinD3DWinGlTest::factory_;
SDL_Window* WinD3DWinGlTest::window_ = nullptr;
MWinD3DWin* WinD3DWinGlTest::win_ = nullptr;

TEST_F(WinD3DWinGlTest, DrawTaskToTargetClearsAnOffscreenTarget) {
    MWinD3DTexture* target = win_->createTexture(4, 4, platform::PixelFormat::A8R8G8B8, true, 1);
    ASSERT_NE(target, nullptr);
    EXPECT_TRUE(win_->drawTaskToTarget(nullptr, target, true, 0xFF336699));
    EXPECT_FALSE(win_->isInScene());
    const auto pixels = win_->device()->readSurface(target->surface, {0, 0, 4, 4});
    EXPECT_EQ(pixels, std::vector<uint32_t>(16, 0xFF336699));
    EXPECT_TRUE(win_->clearTexture(target, 0x80FF0000));
    EXPECT_EQ(win_->device()->readSurface(target->surface, {1, 1, 2, 2})[0], 0x80FF0000);
    win_->releaseTexture(target);
}

// Fills the current target's top-left 2 x 2 pixels with red.
class RedSquareTask : public MTask {
public:
    explicit RedSquareTask(MWinD3DWin& win) : win_(win) {}
    void update() override {}
    void draw(int) override {
        struct Vertex {
            float x, y, z, rhw;
            uint32_t colour;
            float u, v;
        };
        const Vertex fan[4] = {{-0.5f, -0.5f, 0, 1, 0xFFFF0000, 0, 0}, {1.5f, -0.5f, 0, 1, 0xFFFF0000, 0, 0},
                               {1.5f, 1.5f, 0, 1, 0xFFFF0000, 0, 0}, {-0.5f, 1.5f, 0, 1, 0xFFFF0000, 0, 0}};
        win_.setTexture(nullptr);
        win_.setPixelShader(279);  // vertex colour only
        win_.setVertexFormat(0);
        win_.device()->drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, fan, sizeof fan[0]);
        win_.setVertexFormat(1);
    }

private:
    MWinD3DWin& win_;
};

TEST_F(WinD3DWinGlTest, DrawTaskToTargetDrawsVisibleTasksOnly) {
    MWinD3DTexture* target = win_->createTexture(4, 4, platform::PixelFormat::A8R8G8B8, true, 1);
    RedSquareTask task(*win_);
    ASSERT_TRUE(win_->drawTaskToTarget(&task, target, true, 0xFF000000));
    auto pixels = win_->device()->readSurface(target->surface, {0, 0, 4, 4});
    EXPECT_EQ(pixels[0], 0xFFFF0000);
    EXPECT_EQ(pixels[1 * 4 + 1], 0xFFFF0000);
    EXPECT_EQ(pixels[2 * 4 + 2], 0xFF000000);
    task.hide();
    ASSERT_TRUE(win_->drawTaskToTarget(&task, target, true, 0xFF000000));
    EXPECT_EQ(win_->device()->readSurface(target->surface, {0, 0, 1, 1})[0], 0xFF000000);
    win_->releaseTexture(target);
}

TEST_F(WinD3DWinGlTest, TheScreenIsDrawnPillarBoxedThroughTheCaptureTexture) {
    platform::Device& d = *win_->device();
    win_->clearTexture(win_->captureTexture(), 0xFFFFFFFF);
    // Drawing for the screen (without a clear) copies the capture texture
    // into the fit rectangle, the middle 16 of 32 columns, after clearing
    // the back buffer to black.
    d.colorFill(d.backBuffer(), 0xFF00FF00);
    ASSERT_TRUE(win_->drawTaskToTarget(nullptr, nullptr, false, 0));
    const auto row = d.readSurface(d.backBuffer(), {0, 8, 32, 9});
    EXPECT_EQ(row[7], 0xFF000000);
    EXPECT_EQ(row[8], 0xFFFFFFFF);
    EXPECT_EQ(row[23], 0xFFFFFFFF);
    EXPECT_EQ(row[24], 0xFF000000);
    D3DFitRect destination, source;
    win_->getFitRects(destination, source);
    EXPECT_EQ(destination, (D3DFitRect{8.0f, 0.0f, 24.0f, 16.0f}));
    EXPECT_EQ(source, (D3DFitRect{0.0f, 0.0f, 8.0f, 8.0f}));
}

TEST_F(WinD3DWinGlTest, CaptureCopiesARegionOfTheSource) {
    MWinD3DTexture* source = win_->createTexture(4, 4, platform::PixelFormat::A8R8G8B8, true, 1);
    MWinD3DTexture* copy = win_->createTexture(2, 2, platform::PixelFormat::A8R8G8B8, true, 1);
    win_->clearTexture(source, 0xFF0000FF);
    const platform::Rect region{0, 0, 2, 2}, destination{0, 0, 2, 2};
    EXPECT_TRUE(win_->captureToTexture(copy, source, &destination, &region));
    EXPECT_EQ(win_->device()->readSurface(copy->surface, {0, 0, 2, 2}), std::vector<uint32_t>(4, 0xFF0000FF));
    win_->releaseTexture(source);
    win_->releaseTexture(copy);
}

}  // namespace
