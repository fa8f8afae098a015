// The virtual screen on the OpenGL device: a 224 x 288 picture drawn by its
// driver inside the screen's draw, as the application driver's frame does,
// and placed by its view on a 672 x 864 screen at scale 3, read back from the
// back buffer the screen's picture is copied to.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/camera_2d.h"
#include "engine/render/display.h"
#include "engine/render/psb_texture.h"
#include "engine/render/raw_tex.h"
#include "engine/render/texture_upload.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/render/virtual_screen_view.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "platform/device/gl/gl_device_factory.h"

namespace {

constexpr int kVirtualW = 224, kVirtualH = 288;
constexpr int kScreenW = 672, kScreenH = 864;

uint32_t patternAt(int x, int y) {
    return 0xFF000000u | uint32_t(x * 7 & 0xFF) << 16 | uint32_t(y * 5 & 0xFF) << 8 | uint32_t((x ^ y) & 0xFF);
}

// A sprite covering the whole virtual screen, one colour a pixel, its CPU
// buffer released once uploaded.
MRawTex* makePatternSprite(MWinD3DWin& win) {
    auto* sprite = new MRawTex(kVirtualW, kVirtualH);
    auto* pixels = reinterpret_cast<uint32_t*>(sprite->getPixels());
    for (int y = 0; y < kVirtualH; ++y)
        for (int x = 0; x < kVirtualW; ++x) pixels[y * (sprite->getPitch() / 4) + x] = patternAt(x, y);
    MTextureImageDesc desc(32, sprite->getBufferWidth(), sprite->getBufferHeight(), 1, 1);
    desc.pixels = sprite->getPixels();
    uploadTexturePixels(*win.device(), sprite->getTexture()->texture, desc);
    // Drawn from the texture alone, as the game's sheets are.
    sprite->releasePixels();
    sprite->setPosition(-kVirtualW / 2.0f, -kVirtualH / 2.0f);
    return sprite;
}

// The application driver's draw: the virtual screen, then the screen tree.
class FrameTask final : public MTask {
public:
    FrameTask(MTask* driver, MTask* screen) : driver_(driver), screen_(screen) {}
    void update() override {}
    void draw(int pass) override {
        if (driver_) driver_->draw(pass);
        screen_->draw(pass);
    }

private:
    MTask* driver_;
    MTask* screen_;
};

class VirtualScreenGlTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        if (display_) return;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = kScreenW;
        s.windowHeight = s.clientHeight = s.screenHeight = kScreenH;
        s.d3dPureDevice = true;
        SDL_Window* window =
            SDL_CreateWindow("virtual", 0, 0, kScreenW, kScreenH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        static platform::gl::GlDeviceFactory factory;
        looper_ = new MLooper;
        display_ = new MDisplay(factory, window);
        ASSERT_NE(display_->d3dWin()->device(), nullptr);
    }

    void SetUp() override {
        sprite_ = makePatternSprite(win());
        auto* child = new M2DCameraRoot;
        child->add(sprite_);
        driver_ = std::make_unique<MVirtualScreenDriver>(child, kVirtualW, kVirtualH);
        driver_->setClearColour(0, 0, 0, 255);
        view_ = new MVirtualScreenView(driver_.get());
        view_->setPosition(-kVirtualW / 2.0f, -kVirtualH / 2.0f);
        auto* locator = new M2DCameraLocator;
        locator->scaleX = locator->scaleY = 3.0f;
        locator->add(view_);
        screen_.add(locator);
    }

    static MWinD3DWin& win() { return *display_->d3dWin(); }
    static MDisplay& display() { return *display_; }

    // One frame: inside the screen's draw, the virtual screen's picture,
    // then the screen that places it.
    std::vector<uint32_t> drawFrame(uint32_t screenClear = 0xFF000000) {
        display().onPreLoop();
        platform::Device& d = *win().device();
        win().clearTexture(win().captureTexture(), screenClear);
        d.colorFill(d.backBuffer(), 0xFF123456);  // what a stale frame would leave
        FrameTask frame(driver_.get(), &screen_);
        win().drawTaskToTarget(&frame, nullptr, false, 0);
        return d.readSurface(d.backBuffer(), {0, 0, kScreenW, kScreenH});
    }

    std::vector<uint32_t> virtualPicture() {
        return win().device()->readSurface(driver_->getTarget()->surface, {0, 0, kVirtualW, kVirtualH});
    }

    static inline MLooper* looper_ = nullptr;
    static inline MDisplay* display_ = nullptr;
    M2DCameraRoot screen_;  // destroyed after the driver the view points at
    std::unique_ptr<MVirtualScreenDriver> driver_;
    MVirtualScreenView* view_ = nullptr;
    MRawTex* sprite_ = nullptr;
};

std::vector<uint32_t> expectedScaledPicture() {
    std::vector<uint32_t> picture(size_t(kScreenW) * kScreenH);
    for (int y = 0; y < kScreenH; ++y)
        for (int x = 0; x < kScreenW; ++x) picture[size_t(y) * kScreenW + x] = patternAt(x / 3, y / 3);
    return picture;
}

TEST_F(VirtualScreenGlTest, ThePictureIsPlacedThreeTimesAsLargeAndCentred) {
    const auto screen = drawFrame();
    std::vector<uint32_t> virtualExpected;
    for (int y = 0; y < kVirtualH; ++y)
        for (int x = 0; x < kVirtualW; ++x) virtualExpected.push_back(patternAt(x, y));
    ASSERT_EQ(virtualPicture(), virtualExpected);
    EXPECT_EQ(screen, expectedScaledPicture());
}

TEST_F(VirtualScreenGlTest, FourQuadrantsGiveTheSamePictureAsOnePlacement) {
    const auto whole = drawFrame();
    const MVirtualScreenPlacement quadrants[4] = {{0, 0, 0.5f, 0.5f, 0, 0, 0.5f, 0.5f},
                                                  {0.5f, 0, 1, 0.5f, 0.5f, 0, 1, 0.5f},
                                                  {0, 0.5f, 0.5f, 1, 0, 0.5f, 0.5f, 1},
                                                  {0.5f, 0.5f, 1, 1, 0.5f, 0.5f, 1, 1}};
    view_->assignPlacements(quadrants, quadrants + 4);
    EXPECT_EQ(view_->getPlacements().size(), 4u);
    EXPECT_EQ(drawFrame(), whole);
}

TEST_F(VirtualScreenGlTest, TheDriverRestoresTheDisplay) {
    display().onPreLoop();
    const size_t depth = display().transformDepth();
    const MRectF scissor = display().scissorRect(), viewport = display().viewportRect(),
                 extents = display().viewExtents();
    driver_->draw(0);
    EXPECT_EQ(display().transformDepth(), depth);
    EXPECT_EQ(display().screenWidth(), float(kScreenW));
    EXPECT_EQ(display().screenHeight(), float(kScreenH));
    EXPECT_EQ(display().scissorRect(), scissor);
    EXPECT_EQ(display().viewportRect(), viewport);
    EXPECT_EQ(display().viewExtents(), extents);
}

TEST_F(VirtualScreenGlTest, ClearingOnlyTheNextFrameKeepsWhatWasDrawn) {
    driver_->setClearEveryFrame(false);
    drawFrame();
    sprite_->setPosition(1000.0f, 0.0f);  // out of the picture
    drawFrame();
    EXPECT_EQ(virtualPicture()[0], patternAt(0, 0));
    driver_->setClearNextFrame(true);
    drawFrame();
    EXPECT_EQ(virtualPicture()[0], 0xFF000000u);
}

TEST_F(VirtualScreenGlTest, AFinishedChildIsNotDrawn) {
    drawFrame();
    driver_->getChild()->setState(MTask::kFinished);
    driver_->setClearColour(0, 0, 255, 255);
    drawFrame();
    EXPECT_EQ(virtualPicture()[0], patternAt(0, 0));
}

TEST_F(VirtualScreenGlTest, TheBlendFlagAndColourOfTheView) {
    const size_t at = 30 * kScreenW + 30;
    const uint32_t under = patternAt(10, 10);
    view_->setColour(0xFFFFFF80);  // half transparent over green
    const uint32_t blended = drawFrame(0xFF00FF00)[at];
    EXPECT_NEAR(int(blended >> 16 & 0xFF), int(under >> 16 & 0xFF) / 2, 2);
    EXPECT_NEAR(int(blended >> 8 & 0xFF), int(under >> 8 & 0xFF) / 2 + 0x80, 2);
    view_->setBlend(false);
    EXPECT_EQ(drawFrame(0xFF00FF00)[at] & 0xFFFFFF, under & 0xFFFFFF);
    EXPECT_EQ(win().device()->renderState(platform::RenderState::AlphaBlendEnable), 1u);
}

TEST_F(VirtualScreenGlTest, TheOverlayMaskDissolvesThePicture) {
    const auto whole = drawFrame();
    MPSBTexture mask;  // one texel of half red: half way through the dissolve
    mask.window = &win();
    mask.shareable = false;
    mask.texture = win().createTexture(1, 1, platform::PixelFormat::A8R8G8B8, false, 1);
    ASSERT_NE(mask.texture, nullptr);
    platform::LockedRect locked;
    ASSERT_TRUE(win().device()->lockTexture(mask.texture->texture, 0, nullptr, false, locked));
    const uint32_t texel = 0xFF800000;
    std::memcpy(locked.bits, &texel, 4);
    win().device()->unlockTexture(mask.texture->texture, 0);
    view_->setOverlayParameters(7, 9);
    for (int32_t vagueness : {255, 0}) {
        view_->setOverlay(&mask, vagueness, 255.0f);
        EXPECT_EQ(drawFrame(), whole) << vagueness;
        view_->setOverlay(&mask, vagueness, 0.0f);
        const auto hidden = drawFrame(0xFF00FF00);
        EXPECT_EQ(hidden[0], 0xFF00FF00u) << vagueness;
        EXPECT_EQ(hidden[size_t(kScreenW) * kScreenH / 2 + 5], 0xFF00FF00u) << vagueness;
    }
    EXPECT_EQ(std::vector<int32_t>(mask.callerWords, mask.callerWords + 4), (std::vector<int32_t>{1, 1, 7, 9}));
    view_->setOverlay(nullptr, 0, 255.0f);
}

TEST_F(VirtualScreenGlTest, ARawTextureIsTintedAndFaded) {
    sprite_->setTint(0xFF0000);
    EXPECT_EQ(sprite_->getBufferWidth(), 256);
    EXPECT_EQ(sprite_->getBufferHeight(), 512);
    drawFrame();
    const uint32_t p = virtualPicture()[5 * kVirtualW + 3];
    EXPECT_EQ(p, 0xFF000000u | (patternAt(3, 5) & 0xFF0000));
}

TEST_F(VirtualScreenGlTest, AViewOutlivingItsDriverDrawsNothing) {
    drawFrame();
    driver_.reset();
    EXPECT_EQ(view_->getDriver(), nullptr);
    MWinD3DTexture* capture = win().captureTexture();
    win().clearTexture(capture, 0xFF0000FF);
    const auto before = win().device()->readSurface(capture->surface, {0, 0, kScreenW, kScreenH});
    win().drawTaskToTarget(&screen_, nullptr, false, 0);
    EXPECT_EQ(win().device()->readSurface(capture->surface, {0, 0, kScreenW, kScreenH}), before);
    EXPECT_EQ(before[0], 0xFF0000FFu);
}

}  // namespace
