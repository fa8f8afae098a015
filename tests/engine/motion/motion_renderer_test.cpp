// The motion renderer over the recording device: which composites, passes,
// scissors and primitives a queue of render items turns into.
#include "engine/motion/motion_renderer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

using platform::PrimitiveType;
using platform::RenderState;

class MotionRendererTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        layer = std::make_unique<MMotionLayer>();
        record = std::make_unique<MMotionTexture>();
        record->texture.texture = display->d3dWin()->createTexture(64, 32, platform::PixelFormat::A8R8G8B8, false, 1);
        record->texture.width = 64;
        record->texture.height = 32;
        slot = layer->replaceSource("src", "icon", record.get(), 64, 32, 0.0f, 0.0f);
    }
    void TearDown() override {
        layer.reset();
        record.reset();
        RecordingDisplayTest::TearDown();
    }

    // An item over the rectangle, drawn as columns x rows cells.
    MMotionRenderItem& item(float left, float top, float right, float bottom, int32_t columns = 1, int32_t rows = 1) {
        MMotionVertexGrid& grid = grids.emplace_back();
        grid.columns = columns;
        grid.rows = rows;
        for (int32_t r = 0; r <= rows; ++r) {
            for (int32_t c = 0; c <= columns; ++c) {
                grid.points.push_back(left + (right - left) * float(c) / float(columns));
                grid.points.push_back(top + (bottom - top) * float(r) / float(rows));
            }
        }
        MMotionRenderItem& it = items.emplace_back();
        it.grid = &grid;
        it.texture = slot;
        it.drawMode = 0;
        it.source[2] = 64.0f;
        it.source[3] = 32.0f;
        return it;
    }
    void render(const std::vector<MMotionRenderItem*>& queue) {
        device->clearRecord();
        for (MMotionRenderItem* it : queue) layer->queueRenderItem(it);
        layer->draw(0);
    }
    int calls(const std::string& prefix) {
        const auto log = device->calls();
        return int(std::count_if(log.begin(), log.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    std::unique_ptr<MMotionLayer> layer;
    std::unique_ptr<MMotionTexture> record;
    int32_t slot = 0;
    std::deque<MMotionVertexGrid> grids;
    std::deque<MMotionRenderItem> items;
};

TEST_F(MotionRendererTest, AQueueWithoutContainersBeginsNoComposite) {
    MMotionRenderItem& a = item(0, 0, 10, 10);
    MMotionRenderItem& b = item(20, 0, 30, 10);
    render({&a, &b});
    EXPECT_EQ(calls("setRenderState StencilEnable 1"), 0);
    EXPECT_EQ(calls("clear 4"), 0);
    EXPECT_EQ(device->renderState(RenderState::StencilEnable), 0u);
    EXPECT_EQ(device->draws().size(), 2u);
}

TEST_F(MotionRendererTest, TwoRunsOfOneContainerBeginTwoComposites) {
    MMotionRenderItem& mask = item(0, 0, 100, 100);
    mask.stencilType = MMotionRenderItem::kMaskAdditive;
    MMotionRenderItem& a = item(0, 0, 10, 10);
    MMotionRenderItem& b = item(0, 0, 10, 10);
    MMotionRenderItem& free = item(0, 0, 10, 10);
    MMotionRenderItem& c = item(0, 0, 10, 10);
    a.container = b.container = c.container = &mask;
    render({&a, &b, &free, &c});
    EXPECT_EQ(calls("setRenderState StencilEnable 1"), 2);
    // Off after each run, and once more at the end.
    EXPECT_EQ(calls("setRenderState StencilEnable 0"), 3);
    // Each composite draws its mask once: 2 masks and 4 items.
    EXPECT_EQ(device->draws().size(), 6u);
    EXPECT_EQ(device->renderState(RenderState::StencilEnable), 0u);
}

TEST_F(MotionRendererTest, OnlySubtractiveMasksStartTheStencilAtOne) {
    MMotionRenderItem& mask = item(0, 0, 100, 100);
    mask.stencilType = MMotionRenderItem::kMaskSubtractive;
    MMotionRenderItem& a = item(0, 0, 10, 10);
    a.container = &mask;
    render({&a});
    EXPECT_EQ(calls("clear 4 00000000 1.000000 1"), 1);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].state(RenderState::StencilPass), uint32_t(platform::StencilOp::Decr));
    EXPECT_EQ(draws[0].state(RenderState::StencilRef), 1u);
    EXPECT_EQ(draws[1].state(RenderState::StencilPass), uint32_t(platform::StencilOp::Keep));
    EXPECT_EQ(draws[1].state(RenderState::StencilFunc), uint32_t(platform::CompareFunc::Equal));
    EXPECT_EQ(draws[1].state(RenderState::StencilRef), 1u);
}

TEST_F(MotionRendererTest, InRenderTargetsASubtractiveMaskCutsFromAWhiteMask) {
    display->d3dWin()->maskComposite().mode = 1;
    MMotionRenderItem& mask = item(0, 0, 100, 100);
    mask.stencilType = MMotionRenderItem::kMaskSubtractive;
    MMotionRenderItem& a = item(0, 0, 10, 10);
    a.container = &mask;
    render({&a});
    EXPECT_EQ(calls("clear 1 FFFFFFFF"), 1);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    // The mask keeps the green the layer leaves: g x (1 - its green).
    EXPECT_EQ(draws[0].state(RenderState::SrcBlend), uint32_t(platform::Blend::Zero));
    EXPECT_EQ(draws[0].state(RenderState::DestBlend), uint32_t(platform::Blend::InvSrcColor));
    // The item reads the mask on stage 1; afterwards nothing is masked.
    EXPECT_NE(draws[1].textures[1], nullptr);
    EXPECT_EQ(device->texture(1), nullptr);
    EXPECT_FALSE(display->d3dWin()->maskComposite().maskLayer);
    display->d3dWin()->maskComposite().mode = 0;
}

TEST_F(MotionRendererTest, BlurIsSplitIntoPassesOfNineSixThreeTwoAndOne) {
    EXPECT_EQ(motionBlurPasses(14), (std::vector<int32_t>{4, 2, 1}));
    EXPECT_EQ(motionBlurPasses(21), (std::vector<int32_t>{4, 4, 2}));
    EXPECT_EQ(motionBlurPasses(1), (std::vector<int32_t>{0}));
    EXPECT_TRUE(motionBlurPasses(0).empty());
}

TEST_F(MotionRendererTest, ABlurItemIsDrawnTwiceAPass) {
    // The view is 1920 wide: n = trunc(1920 bp + 0.5) = 14.
    MMotionRenderItem& blur = item(0, 0, 10, 10);
    blur.drawMode = 0x10D;
    blur.bp = 14.2f / 1920.0f;
    // Each pass draws horizontally (a step across: constant 2's x) and then
    // vertically (its y); the grabs of the picture beneath come between.
    const auto directions = [&] {
        std::string seen;
        for (const auto& d : device->draws()) {
            if (d.format != platform::VertexFormat::Coloured) continue;
            seen += d.pixelConstants[8] != 0.0f ? 'h' : d.pixelConstants[9] != 0.0f ? 'v' : '?';
        }
        return seen;
    };
    render({&blur});
    EXPECT_EQ(directions(), "hvhvhv");
    blur.bp = 0.0f;
    render({&blur});
    EXPECT_EQ(directions(), "");
}

TEST_F(MotionRendererTest, GridsDrawAsOneQuadOrOneStrip) {
    MMotionRenderItem& quad = item(0, 0, 10, 10);
    MMotionRenderItem& mesh = item(0, 0, 30, 20, 3, 2);
    render({&quad, &mesh});
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[0].type, PrimitiveType::TriangleFan);
    EXPECT_EQ(draws[0].vertices.size(), 4u * 24);
    EXPECT_EQ(draws[1].type, PrimitiveType::TriangleStrip);
    EXPECT_EQ(draws[1].primitives, 16);
    EXPECT_EQ(draws[1].vertices.size(), 18u * 24);
    // The strip runs down the columns of a row: (row 0, column 0), then (row 1, column 0).
    EXPECT_FLOAT_EQ(draws[1].vertexFloat(6 + 1) - draws[1].vertexFloat(1), 10.0f);
    // The last column's u is the right edge of the source.
    EXPECT_FLOAT_EQ(draws[1].vertexFloat(6 * 6 + 4), 1.0f);
}

TEST_F(MotionRendererTest, AClipOutsideTheScreenIsNotDrawnButBecomesCurrent) {
    const float outside[4] = {5000.0f, 5000.0f, 5100.0f, 5100.0f};
    MMotionRenderItem& a = item(0, 0, 10, 10);
    MMotionRenderItem& b = item(0, 0, 10, 10);
    MMotionRenderItem& c = item(0, 0, 10, 10);
    a.clip = b.clip = outside;
    render({&a, &b, &c});
    // Neither clipped item is drawn; the unclipped one is, with the scissor off.
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].state(RenderState::ScissorTestEnable), 0u);
}

TEST_F(MotionRendererTest, ColoursReachTheDeviceAsArgbInFanOrder) {
    MMotionRenderItem& a = item(0, 0, 10, 10);
    a.colors[kCornerTopLeft] = 0x11223344;
    a.colors[kCornerTopRight] = 0x55667788;
    a.colors[kCornerBottomLeft] = 0x99AABBCC;
    a.colors[kCornerBottomRight] = 0xDDEEFF00;
    render({&a});
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto colour = [&](int vertex) {
        uint32_t c;
        std::memcpy(&c, draws[0].vertices.data() + vertex * 24 + 12, 4);
        return c;
    };
    EXPECT_EQ(colour(0), 0x44112233u);
    EXPECT_EQ(colour(1), 0x88556677u);
    EXPECT_EQ(colour(2), 0x00DDEEFFu);
    EXPECT_EQ(colour(3), 0xCC99AABBu);
}

TEST_F(MotionRendererTest, MaskBoundsNarrowTheScissorToTheGroup) {
    layer->setMaskBounds(true);
    MMotionRenderItem& mask = item(-100, -100, 100, 100);
    mask.stencilType = MMotionRenderItem::kMaskAdditive;
    MMotionRenderItem& a = item(0, 0, 10.5f, 10);
    a.container = &mask;
    render({&a});
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    EXPECT_EQ(draws[1].state(RenderState::ScissorTestEnable), 1u);
    // The item's box on the screen, in whole pixels and 2 wider each way:
    // set for the masks and again for the items.
    MRectF box;
    MDisplay::projectRect(box, 0, 0, 10.5f, 10);
    const std::string widened = "setScissorRect " + std::to_string(int(std::floor(box.left)) - 2) + " " +
                                std::to_string(int(std::floor(box.top)) - 2) + " " +
                                std::to_string(int(std::ceil(box.right)) + 2) + " " +
                                std::to_string(int(std::ceil(box.bottom)) + 2);
    EXPECT_EQ(calls(widened), 2) << widened;
}

}  // namespace
