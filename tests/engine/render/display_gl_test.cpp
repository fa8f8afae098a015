// The display's projection and scissor on the OpenGL device: a world square
// drawn under the camera lands on the pixels the camera says.
#include <gtest/gtest.h>

#include <vector>

#include "engine/render/camera_2d.h"
#include "engine/render/display_fill.h"
#include "engine/task/task.h"
#include "tests/engine/render/gl_display_fixture.h"

namespace {

using platform::PixelFormat;

// Fills its shapes under the camera at rest.
class FillTask : public MTask {
public:
    void update() override {}
    void draw(int) override {
        MDisplay::setCamera(0, 0, 1.0f, 0);
        drawFilledRect(0xFFFFFFFF, -2, -2, 2, 2);
        drawFilledEllipse(0xFFFFFFFF, -8, 3, 8, 7, 0);
    }
};

// A white square of the world, from (-2, -2) to (2, 2), drawn with the
// primitives' half-pixel shift.
class SquareTask : public MTask {
public:
    void update() override {}
    void draw(int) override {
        MWinD3DWin& win = *MDisplay::getInstance()->d3dWin();
        struct Vertex {
            float x, y, z;
            uint32_t colour;
            float u, v;
        };
        const float dx = win.pixelOffsetX(), dy = win.pixelOffsetY();
        const Vertex fan[4] = {{-2 + dx, -2 + dy, 0, 0xFFFFFFFF, 0, 0}, {2 + dx, -2 + dy, 0, 0xFFFFFFFF, 0, 0},
                               {2 + dx, 2 + dy, 0, 0xFFFFFFFF, 0, 0}, {-2 + dx, 2 + dy, 0, 0xFFFFFFFF, 0, 0}};
        win.setTexture(nullptr);
        win.setVertexShader(0, 0);
        win.setPixelShader(279);  // vertex colour only
        win.device()->drawPrimitiveUP(platform::PrimitiveType::TriangleFan, 2, fan, sizeof fan[0]);
    }
};

class DisplayGlTest : public GlDisplayTest {
protected:
    // Draws the task into a cleared target and answers which pixels are white.
    static std::vector<std::string> drawn(MTask& task) {
        MWinD3DTexture* target = win().createTexture(kSize, kSize, PixelFormat::A8R8G8B8, true, 1);
        display().onPreLoop();
        EXPECT_TRUE(win().drawTaskToTarget(&task, target, true, 0xFF000000));
        const auto pixels = win().device()->readSurface(target->surface, {0, 0, kSize, kSize});
        win().releaseTexture(target);
        std::vector<std::string> rows;
        for (int y = 0; y < kSize; ++y) {
            std::string row;
            for (int x = 0; x < kSize; ++x) row += pixels[size_t(y * kSize + x)] == 0xFFFFFFFF ? '#' : '.';
            rows.push_back(row);
        }
        return rows;
    }

    void TearDown() override { display().setScissorRect(0, 0, kSize, kSize); }
};

TEST_F(DisplayGlTest, TheCameraPutsTheWorldOriginAtTheScreenCentre) {
    M2DCameraRoot root;
    root.add(new SquareTask);
    const auto rows = drawn(root);
    EXPECT_EQ(rows[5], "................");
    for (int y = 6; y <= 9; ++y) EXPECT_EQ(rows[size_t(y)], "......####......") << y;
    EXPECT_EQ(rows[10], "................");
}

TEST_F(DisplayGlTest, ALocatorMovesAndClipsThroughTheScissor) {
    M2DCameraRoot root;
    auto* locator = new M2DCameraLocator;
    locator->add(new SquareTask);
    root.add(locator);
    locator->positionX = 4;  // the square moves 4 left
    locator->positionY = -2;  // and 2 down
    locator->clipLeft = -2;
    locator->clipTop = -2;
    locator->clipRight = 0;
    locator->clipBottom = 2;
    const auto rows = drawn(root);
    EXPECT_EQ(rows[7], "................");
    for (int y = 8; y <= 11; ++y) EXPECT_EQ(rows[size_t(y)], "..##............") << y;
    EXPECT_EQ(rows[12], "................");
}

TEST_F(DisplayGlTest, FilledShapesCoverTheirPixels) {
    FillTask task;
    const auto rows = drawn(task);
    for (int y = 6; y <= 9; ++y) EXPECT_EQ(rows[size_t(y)], "......####......") << y;
    // The ellipse spans the whole width at its middle row (y 5 in the
    // world, 13 on the screen) and narrows above and below.
    EXPECT_EQ(rows[13], "################");
    EXPECT_EQ(rows[12][0], '.');
    EXPECT_EQ(rows[12][8], '#');
    EXPECT_EQ(rows[10], "................");
}

}  // namespace
