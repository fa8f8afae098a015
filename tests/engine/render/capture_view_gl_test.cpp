// Capture views on the OpenGL device: a known picture copied and drawn again,
// read back pixel by pixel.
#include "engine/render/capture_view.h"

#include <gtest/gtest.h>

#include <functional>

#include "engine/render/camera_2d.h"
#include "engine/render/display_fill.h"
#include "tests/engine/render/gl_display_fixture.h"

namespace {

class DrawTask final : public MTask {
public:
    explicit DrawTask(std::function<void()> body) : body_(std::move(body)) {}
    void update() override {}
    void draw(int) override { body_(); }

private:
    std::function<void()> body_;
};

constexpr uint32_t kRed = 0xFF0000FFu;   // 0xRRGGBBAA
constexpr uint32_t kBlue = 0x0000FFFFu;
constexpr uint32_t kRedPixel = 0xFFFF0000u;  // as read back, 0xAARRGGBB
constexpr uint32_t kBluePixel = 0xFF0000FFu;

class CaptureViewGlTest : public GlDisplayTest {
protected:
    // Draws body as the screen's frame and reads the screen's picture back.
    static std::vector<uint32_t> frame(const std::function<void()>& body) {
        win().createCaptureTexture();
        display().onPreLoop();
        DrawTask task(body);
        EXPECT_TRUE(win().drawTaskToTarget(&task, nullptr, true, 0));
        MWinD3DTexture* screen = win().captureTexture();
        return win().device()->readSurface(screen->surface, {0, 0, kSize, kSize});
    }
    // The red left half and blue right half of the screen.
    static void picture() {
        drawFilledRect(kRed, -8, -8, 0, 8);
        drawFilledRect(kBlue, 0, -8, 8, 8);
    }
    static MCapture* wholeScreen() {
        auto* capture = new MCapture;
        capture->setFixedSize(kSize, kSize);
        capture->setPosition(-8, -8);
        capture->setCapturedRect({0, 0, kSize, kSize});
        return capture;
    }
};

TEST_F(CaptureViewGlTest, ACopyOfTheWholeScreenIsDrawnBackOverABlackScreen) {
    std::unique_ptr<MCapture> capture(wholeScreen());
    MCaptured captured(capture.get());
    captured.setPosition(-8, -8);
    const auto pixels = frame([&] {
        picture();
        capture->draw(0);
        drawFilledRect(0x000000FFu, -8, -8, 8, 8);
        captured.draw(0);
    });
    ASSERT_NE(capture->texture(), nullptr);
    EXPECT_EQ(capture->texture()->width, kSize);
    for (int y = 0; y < kSize; ++y)
        for (int x = 0; x < kSize; ++x)
            ASSERT_EQ(pixels[size_t(y * kSize + x)], x < 8 ? kRedPixel : kBluePixel) << x << "," << y;

    MWinD3DTexture* first = capture->texture();
    frame([&] { capture->draw(0); });
    EXPECT_EQ(capture->texture(), first);  // nothing moved: no new texture
}

TEST_F(CaptureViewGlTest, ACapturePartlyOffTheLeftEdgeTakesTheClampedPart) {
    auto capture = std::make_unique<MCapture>();
    capture->setFixedSize(8, kSize);
    capture->setPosition(-12, -8);  // screen x -4 .. 4
    MCaptured captured(capture.get());
    captured.setPosition(0, -8);
    const auto pixels = frame([&] {
        picture();
        capture->draw(0);
        captured.draw(0);
    });
    EXPECT_EQ(capture->capturedRect(), (MRectF{0, 0, 4, kSize}));
    EXPECT_EQ(captured.getSize(), (MViewSize{4, kSize}));
    ASSERT_NE(capture->texture(), nullptr);
    EXPECT_EQ(capture->texture()->width, 4);
    for (int x = 8; x < 12; ++x) EXPECT_EQ(pixels[size_t(5 * kSize + x)], kRedPixel) << x;
    EXPECT_EQ(pixels[size_t(5 * kSize + 12)], kBluePixel);
}

TEST_F(CaptureViewGlTest, ACaptureInsideAClippingLocatorIsCopiedWhole) {
    // The capture's own target is not clipped by the locator's scissor: a
    // new render target has the whole of itself as its scissor rectangle.
    auto capture = std::make_unique<MCapture>();
    capture->setFixedSize(4, 4);
    capture->setPosition(-8, -8);  // the red top-left corner
    M2DCameraLocator locator;
    locator.clipLeft = 0;  // the right half only
    locator.clipTop = -8;
    locator.clipRight = 8;
    locator.clipBottom = 8;
    locator.add(new DrawTask([&] { capture->draw(0); }));
    frame([&] {
        picture();
        locator.draw(0);
    });
    ASSERT_NE(capture->texture(), nullptr);
    EXPECT_EQ(win().device()->readSurface(capture->texture()->surface, {0, 0, 4, 4}),
              std::vector<uint32_t>(16, kRedPixel));
}

TEST_F(CaptureViewGlTest, ACaptureOffTheScreenMakesNoTexture) {
    auto capture = std::make_unique<MCapture>();
    capture->setFixedSize(4, 4);
    capture->setPosition(20, 20);
    frame([&] { capture->draw(0); });
    EXPECT_EQ(capture->texture(), nullptr);
}

TEST(CaptureScreenRect, ClampsAndRoundsHalfAwayFromZero) {
    EXPECT_EQ(captureScreenRect({-3.5f, 1.5f, 10.5f, 20.0f}, 16, 16), (MRectF{0, 2, 11, 16}));
    EXPECT_EQ(captureScreenRect({2.4f, 2.6f, 3.5f, 4.49f}, 16, 16), (MRectF{2, 3, 4, 4}));
}

}  // namespace
