// MDisplay and the 2D camera over a recording device: the camera's worked
// cases, scissor rounding, the viewport, frames per second on the fake clock,
// the locator's clipping and what the display installs on the shell.
#include "engine/render/display.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "engine/base/display_seams.h"
#include "engine/base/win_app_settings.h"
#include "engine/render/camera_2d.h"
#include "engine/render/d3d_vertex.h"
#include "engine/render/display_fill.h"
#include "engine/render/frame_rate_meter.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "platform/clock/fake_clock.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::RenderState;

class DisplayTest : public testing::Test {
protected:
    void SetUp() override {
        platform::setClock(&clock);
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 1920;
        s.windowHeight = s.clientHeight = 1080;
        s.screenWidth = 1920;
        s.screenHeight = 1080;
        s.d3dPureDevice = true;
        looper = std::make_unique<MLooper>();
        display = std::make_unique<MDisplay>(factory, nullptr);
        device = factory.last;
        display->onPreLoop();
    }

    void TearDown() override {
        display.reset();
        looper.reset();
        platform::setClock(nullptr);
    }

    // Where a world point lands on the screen under the current projection.
    static std::pair<float, float> pixelOf(float x, float y) {
        MRectF r;
        MDisplay::projectRect(r, x, y, x, y);
        return {r.left, r.top};
    }

    platform::FakeClock clock;
    FakeDeviceFactory factory;
    std::unique_ptr<MLooper> looper;
    std::unique_ptr<MDisplay> display;
    platform::RecordingDevice* device = nullptr;
};

TEST_F(DisplayTest, CameraCasesMapWorldPointsToPixels) {
    struct Case {
        float cx, cy, scale, angle;
        float x, y;
        float px, py;
    };
    const Case cases[] = {
        {0, 0, 1.0f, 0, 10, 20, 970, 560},
        {100, 0, 2.0f, 0, 110, 0, 980, 540},
        {0, 0, 1.0f, 0, 0, 0, 960, 540},
        {0, 0, 1.0f, 90, 10, 0, 960, 530},  // turned a quarter: +x goes up the screen
        {-50, 30, 0.5f, 0, -50, 30, 960, 540},
    };
    for (const Case& c : cases) {
        MDisplay::setCamera(c.cx, c.cy, c.scale, c.angle);
        const auto [px, py] = pixelOf(c.x, c.y);
        EXPECT_NEAR(px, c.px, 1e-3) << c.cx << "," << c.cy << " x" << c.scale << " " << c.angle;
        EXPECT_NEAR(py, c.py, 1e-3) << c.cx << "," << c.cy << " x" << c.scale << " " << c.angle;
    }
}

TEST_F(DisplayTest, TheProjectionReachesTheShaderAndTheHalfPixelShift) {
    MDisplay::setCamera(0, 0, 1.0f, 0);
    // The constants are the transposed world.view.projection: applying
    // their rows to a point gives its clip position.
    const MMatrix44 all = matrix44Multiply(matrix44Multiply(display->world(), display->view()), display->projection());
    const MVector4 clip = vector4Transform({10, 20, 0, 1}, all);
    EXPECT_NEAR(clip.x / clip.w, 10.0f / 960.0f, 1e-6);
    EXPECT_NEAR(clip.y / clip.w, -20.0f / 540.0f, 1e-6);
    EXPECT_EQ(clip.z, 0.0f);
    EXPECT_EQ(device->calls().back().rfind("setVertexShaderConstants 0 4", 0), 0u);
    // Half a pixel left and up on the screen is (-0.5, -0.5) in the world
    // while y runs down the screen.
    EXPECT_FLOAT_EQ(display->d3dWin()->pixelOffsetX(), -0.5f);
    EXPECT_FLOAT_EQ(display->d3dWin()->pixelOffsetY(), -0.5f);
    MDisplay::setCamera(0, 0, 2.0f, 0);
    EXPECT_FLOAT_EQ(display->d3dWin()->pixelOffsetX(), -0.25f);
}

TEST_F(DisplayTest, ScissorRectanglesRoundHalfAwayFromZero) {
    struct Case {
        MRectF given;
        bool enabled;
        platform::Rect rect;
    };
    const Case cases[] = {
        {{-0.5f, 0.5f, 100.5f, 200.4f}, true, {-1, 1, 101, 200}},
        {{10.49f, -2.5f, 20.6f, 30.0f}, true, {10, -3, 21, 30}},
        {{0, 0, 1920, 1000}, true, {0, 0, 1920, 1000}},
    };
    for (const Case& c : cases) {
        display->setScissorRect(c.given.left, c.given.top, c.given.right, c.given.bottom);
        EXPECT_EQ(device->renderState(RenderState::ScissorTestEnable), 1u);
        EXPECT_EQ(device->scissorRect(), c.rect);
        EXPECT_EQ(display->scissorRect(), c.given);
    }
    display->setScissorRect(0, 0, 1920, 1080);
    EXPECT_EQ(device->renderState(RenderState::ScissorTestEnable), 0u);
}

TEST_F(DisplayTest, TheViewportIsTruncatedAndKeptAsARectangle) {
    display->setViewport(1.7f, 2.2f, 100.9f, 50.5f);
    EXPECT_EQ(device->viewport(), (platform::Viewport{1, 2, 100, 50, 0.0f, 1.0f}));
    EXPECT_FLOAT_EQ(display->viewportRect().right, 102.6f);
    EXPECT_FLOAT_EQ(display->viewportRect().bottom, 52.7f);
}

TEST_F(DisplayTest, ConstructionSetsTheScreenAndInstallsOnTheShell) {
    EXPECT_EQ(MDisplay::getInstance(), display.get());
    EXPECT_EQ(display->viewExtents(), (MRectF{-960, -540, 960, 540}));
    EXPECT_EQ(display->safeRect(), display->viewExtents());
    display->setSafeScreenRatio(0.5f, 0.25f);
    display->updateSafeRect();
    EXPECT_EQ(display->safeRect(), (MRectF{-480, -135, 480, 135}));
    EXPECT_EQ(device->renderState(RenderState::ScissorTestEnable), 0u);
    EXPECT_EQ(device->viewport(), (platform::Viewport{0, 0, 1920, 1080, 0.0f, 1.0f}));

    ASSERT_NE(looper->getFrameDevice(), nullptr);
    EXPECT_FALSE(looper->getFrameDevice()->isDeviceLost());
    looper->getFrameDevice()->present();
    EXPECT_EQ(device->calls().back().rfind("present", 0), 0u);

    notifyWindowResize(800, 600);
    EXPECT_EQ(display->d3dWin()->backBufferWidth(), 800);
    // The screen is pillar-boxed into 800 x 600: 800 x 450 from y 75.
    float x = 400, y = 75 + 225;
    mapWindowPoint(x, y);
    EXPECT_EQ(x, 960.0f);
    EXPECT_EQ(y, 540.0f);

    display.reset();
    EXPECT_EQ(MDisplay::getInstance(), nullptr);
    EXPECT_EQ(looper->getFrameDevice(), nullptr);
    x = 400;
    mapWindowPoint(x, y);
    EXPECT_EQ(x, 400.0f);
    notifyWindowResize(640, 480);  // dropped, with nothing to reach
}

TEST_F(DisplayTest, EachFrameStartsWithOneIdentityMatrix) {
    display->pushTransform(MMatrix34::identity());
    display->topTransform().m[0][3] = 7.0f;
    display->onPreLoop();
    EXPECT_EQ(display->transformDepth(), 1u);
    EXPECT_EQ(display->topTransform().m[0][3], 0.0f);
}

TEST(FrameRateMeterTest, CountsTheFramesOfEachWholeSecond) {
    MFrameRateMeter meter;
    const double f = 1000000.0;
    int64_t now = 5000000;
    meter.tick(f, double(now));  // the first frame starts the window
    for (int i = 1; i <= 120; ++i) {
        now = 5000000 + int64_t(i) * 1000000 / 60;
        meter.tick(f, double(now));
        if (i == 60 || i == 119) {
            EXPECT_EQ(meter.count(), 61);  // the first window holds its start frame too
        }
    }
    EXPECT_EQ(meter.count(), 60);  // the frame crossing the second second
    EXPECT_EQ(meter.windowStart(), 7000000.0);

    // A stall of over three seconds: the window start moves three whole
    // seconds and the count is the frames of the stalled window.
    meter.tick(f, double(now + 1000000 / 60));
    meter.tick(f, double(now + 3500000));
    EXPECT_EQ(meter.count(), 2);
    EXPECT_EQ(meter.windowStart(), 10000000.0);
}

TEST_F(DisplayTest, TheDisplayCountsItsFramesOnTheClock) {
    // The set-up ran the first frame; the second whole second holds 60.
    for (int i = 0; i < 120; ++i) {
        clock.advanceMicroseconds(1000000 / 60 + 1);
        display->onPreLoop();
        if (i == 59) {
            EXPECT_EQ(MDisplay::getFramesPerSecond(), 61);
        }
    }
    EXPECT_EQ(MDisplay::getFramesPerSecond(), 60);
}

// Records the transform depth and the scissor state when drawn.
class ProbeTask : public MTask {
public:
    void update() override {}
    void draw(int) override {
        ++draws;
        depth = MDisplay::getInstance()->transformDepth();
        scissor = MDisplay::getInstance()->scissorRect();
        MDisplay::projectRect(origin, 0, 0, 0, 0);
    }
    int draws = 0;
    size_t depth = 0;
    MRectF scissor;
    MRectF origin;
};

TEST_F(DisplayTest, ALocatorPlacesItsChildrenAndLeavesTheStackAsItWas) {
    auto* root = new M2DCameraRoot;
    auto* locator = new M2DCameraLocator;
    auto* probe = new ProbeTask;
    locator->add(probe);
    root->add(locator);
    locator->positionX = -100;  // the children's origin moves 100 right
    locator->pivotX = 10;
    locator->pivotY = 10;
    locator->scaleX = locator->scaleY = 2.0f;
    root->draw(0);
    EXPECT_EQ(probe->draws, 1);
    EXPECT_EQ(probe->depth, 2u);
    // Origin: 2 (0 - 10) + 10 + 100 = 90 across, 2 (0 - 10) + 10 = -10 down.
    EXPECT_NEAR(probe->origin.left, 960 + 90, 1e-3);
    EXPECT_NEAR(probe->origin.top, 540 - 10, 1e-3);
    EXPECT_EQ(probe->scissor, (MRectF{0, 0, 1920, 1080}));  // no clip rectangle: untouched
    EXPECT_EQ(display->transformDepth(), 1u);
    EXPECT_NEAR(pixelOf(0, 0).first, 960, 1e-3);
    delete root;
}

TEST_F(DisplayTest, ALocatorClipsToItsRectangleWithinTheScissor) {
    M2DCameraLocator locator;
    auto* probe = new ProbeTask;
    locator.add(probe);
    MDisplay::setCamera(0, 0, 1.0f, 0);
    display->setScissorRect(900, 0, 1920, 1080);
    locator.clipLeft = -100;
    locator.clipTop = -50;
    locator.clipRight = 100;
    locator.clipBottom = 50;
    locator.draw(0);
    EXPECT_EQ(probe->draws, 1);
    EXPECT_EQ(probe->scissor, (MRectF{900, 490, 1060, 590}));
    EXPECT_EQ(display->scissorRect(), (MRectF{900, 0, 1920, 1080}));

    // A clip rectangle off the scissor rectangle draws nothing, and the
    // stack and projection are as before.
    locator.positionX = 1000;
    locator.draw(0);
    EXPECT_EQ(probe->draws, 1);
    EXPECT_EQ(display->transformDepth(), 1u);
    EXPECT_NEAR(pixelOf(10, 20).first, 970, 1e-3);
    EXPECT_NEAR(pixelOf(10, 20).second, 560, 1e-3);
}

TEST_F(DisplayTest, FilledShapesAreUntexturedFansInTheirColour) {
    MDisplay::setCamera(0, 0, 1.0f, 0);
    device->clearRecord();
    drawFilledRect(0x11223344, -10, -20, 30, 40);
    drawFilledEllipse(0xFF0000FF, -8, -4, 8, 4, 0.5f);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    const auto vertex = [](const platform::RecordingDevice::Draw& d, int i) {
        D3DColouredVertex v;
        std::memcpy(&v, d.vertices.data() + size_t(i) * sizeof v, sizeof v);
        return v;
    };
    EXPECT_EQ(draws[0].type, platform::PrimitiveType::TriangleFan);
    EXPECT_EQ(draws[0].primitives, 2);
    EXPECT_EQ(draws[0].pixelShader, 279);
    EXPECT_EQ(vertex(draws[0], 0).colour, 0x44112233u);
    EXPECT_FLOAT_EQ(vertex(draws[0], 0).x, -10.5f);  // the half-pixel shift
    EXPECT_FLOAT_EQ(vertex(draws[0], 2).y, 39.5f);

    const auto& fan = draws[1];
    EXPECT_EQ(fan.primitives, 32);
    EXPECT_EQ(fan.vertices.size(), 34u * 24);
    EXPECT_EQ(fan.textures[0], display->d3dWin()->whiteTexture()->texture);
    EXPECT_EQ(fan.pixelShader, 279);
    EXPECT_EQ(vertex(fan, 0).colour, 0xFFFF0000u);
    EXPECT_FLOAT_EQ(vertex(fan, 0).x, 0.0f);
    EXPECT_FLOAT_EQ(vertex(fan, 0).z, 0.5f);
    EXPECT_FLOAT_EQ(vertex(fan, 1).x, 8.0f);
    EXPECT_NEAR(vertex(fan, 9).y, 4.0f, 1e-5);  // a quarter round
    EXPECT_NEAR(vertex(fan, 33).x, 8.0f, 1e-5);
    EXPECT_NEAR(vertex(fan, 33).y, 0.0f, 1e-5);
}

TEST_F(DisplayTest, TheDrawStateSeesTheDisplaysView) {
    MDisplayDrawView view(*display);
    MDisplay::setCamera(0, 0, 1.0f, 0);
    const D3DFitRect box = view.projectRect(-10, -10, 10, 10);
    EXPECT_NEAR(box.left, 950, 1e-3);
    EXPECT_NEAR(box.top, 530, 1e-3);
    EXPECT_NEAR(box.right, 970, 1e-3);
    EXPECT_NEAR(box.bottom, 550, 1e-3);
    display->setViewExtents({-112, -144, 112, 144});
    display->setViewport(0, 0, 224, 288);
    float w = 0, h = 0;
    view.getViewSize(w, h);
    EXPECT_EQ(w, 224.0f);
    EXPECT_EQ(h, 288.0f);
    view.getScreenSize(w, h);
    EXPECT_EQ(w, 1920.0f);
    EXPECT_EQ(view.getViewport(), (platform::Viewport{0, 0, 224, 288, 0.0f, 1.0f}));
}

TEST(MatrixTest, MultiplyMayWriteIntoEitherArgument) {
    MMatrix34 a = matrixRotationZ(0.3f), b = MMatrix34::identity();
    a.m[0][3] = 5;
    a.m[2][1] = 0.25f;
    b.m[0][0] = 2;
    b.m[1][3] = -7;
    b.m[2][0] = 0.5f;
    MMatrix34 expected;
    matrixMultiply(a, b, expected);
    MMatrix34 intoA = a, intoB = b;
    matrixMultiply(intoA, b, intoA);
    matrixMultiply(a, intoB, intoB);
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            EXPECT_EQ(intoA.m[i][j], expected.m[i][j]);
            EXPECT_EQ(intoB.m[i][j], expected.m[i][j]);
        }
    }
    // b first, then a.
    const MVector3 p{1, 2, 3}, viaBoth = expected.apply(p), viaSteps = a.apply(b.apply(p));
    EXPECT_NEAR(viaBoth.x, viaSteps.x, 1e-5);
    EXPECT_NEAR(viaBoth.y, viaSteps.y, 1e-5);
    EXPECT_NEAR(viaBoth.z, viaSteps.z, 1e-5);
}

TEST(MatrixTest, InverseUndoesAndRefusesSingularMatrices) {
    MMatrix44 m = MMatrix44::identity();
    m.m[0][0] = 2;
    m.m[0][1] = 1;
    m.m[1][0] = -1;
    m.m[3][0] = 5;
    m.m[3][2] = 540;
    MMatrix44 inverse;
    ASSERT_TRUE(matrix44Inverse(m, inverse));
    const MMatrix44 product = matrix44Multiply(m, inverse);
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 4; ++j) EXPECT_NEAR(product.m[i][j], i == j ? 1.0f : 0.0f, 1e-5);
    MMatrix44 unchanged = inverse;
    EXPECT_FALSE(matrix44Inverse(matrix44Scaling(1, 1, 0), unchanged));
    EXPECT_EQ(unchanged.m[3][2], inverse.m[3][2]);
}

}  // namespace
