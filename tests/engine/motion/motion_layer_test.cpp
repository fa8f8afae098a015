#include "engine/motion/motion_layer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <memory>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion_neutral_grid.h"
#include "engine/render/capture_view.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/support/looper_environment.h"

namespace {

using motionfixture::document;
using motionfixture::load;

class MotionLayer : public testing::Test {
protected:
    void SetUp() override {
        M_SPEC = "win";
        imageDocument = load(document("images", "src", {"i0"}, "ship", {"idle"}));
    }
    void TearDown() override { M_SPEC.clear(); }

    PSBValue image() const { return imageDocument->root().get("source").get("src").get("texture"); }

    std::unique_ptr<PSBObject> imageDocument;
    MMotionLayer layer;
};

TEST_F(MotionLayer, TheNinthTextureDoublesTheTableAndReleasedSlotsAreReused) {
    EXPECT_EQ(layer.textureSlotCount(), MMotionLayer::kInitialTextureSlots);
    for (int32_t i = 0; i < 8; ++i) EXPECT_EQ(layer.loadTexture(image(), true), i);
    EXPECT_EQ(layer.loadTexture(image(), true), 8);
    EXPECT_EQ(layer.textureSlotCount(), 16u);
    // Without a display the record holds no texture but keeps its slot.
    ASSERT_NE(layer.texture(8), nullptr);
    EXPECT_EQ(layer.texture(8)->texture.texture, nullptr);
    layer.releaseTexture(3);
    EXPECT_EQ(layer.texture(3), nullptr);
    EXPECT_EQ(layer.loadTexture(image(), true), 3);
    EXPECT_EQ(layer.loadTexture(image(), true), 9);
    EXPECT_EQ(layer.texture(-1), nullptr);
    EXPECT_EQ(layer.texture(16), nullptr);
}

TEST_F(MotionLayer, TexturesTakeTheLayersFilters) {
    const int32_t before = layer.loadTexture(image(), true);
    layer.setFilterSelectors(2, 1);
    const int32_t after = layer.loadTexture(image(), true);
    for (int32_t slot : {before, after}) {
        EXPECT_EQ(layer.texture(slot)->minFilter, 2);
        EXPECT_EQ(layer.texture(slot)->magFilter, 1);
    }
}

TEST_F(MotionLayer, RegistersItsSourcesTextures) {
    const int32_t id = layer.loadMotion(imageDocument.get());
    EXPECT_NE(layer.texture(layer.motionData()[0].sources.at("src").texture), nullptr);
    layer.releaseMotion(id);
    EXPECT_EQ(layer.texture(0), nullptr);
}

TEST(MotionRandom, MapsTheLow23BitsOntoZeroToOne) {
    EXPECT_EQ(motionRandomFloat(0), 0.0f);
    EXPECT_EQ(motionRandomFloat(0xFFFFFFFFu), 1.0f - std::ldexp(1.0f, -23));
    EXPECT_EQ(motionRandomFloat(1), std::ldexp(1.0f, -23));
    EXPECT_EQ(motionRandomFloat(0x00800000u), 0.0f);
    EXPECT_EQ(motionRandomFloat(0x00400000u), 0.5f);
}

TEST_F(MotionLayer, RandomStaysBelowOne) {
    for (int i = 0; i < 1000; ++i) {
        const float r = layer.random();
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        ASSERT_EQ(std::ldexp(r, 23), std::floor(std::ldexp(r, 23)));
    }
}

struct DeltaCase {
    bool fractional;
    float fraction;
    uint32_t whole;
    float delta;
};

TEST(MotionFrameDelta, FractionalStepsAreAtLeastOneFrame) {
    const DeltaCase cases[] = {
        {true, 0.5f, 1, 1.0f},  {true, 1.0f, 1, 1.0f},  {true, 2.5f, 1, 2.5f},
        {false, 2.5f, 3, 3.0f}, {false, 0.5f, 1, 1.0f},
    };
    for (const DeltaCase& c : cases) {
        EXPECT_EQ(motionFrameDelta(c.fractional, c.fraction, c.whole), c.delta) << c.fraction << " " << c.whole;
    }
}

TEST_F(MotionLayer, TakesTheFrameDeltaFromTheLoop) {
    MLooper* looper = testLooper();
    looper->setVariableStep(false);
    looper->setIntegerStep(3);
    EXPECT_EQ(layer.getFrameDelta(), 3.0f);
    looper->setIntegerStep(1);
    EXPECT_EQ(layer.getFrameDelta(), 1.0f);
}

TEST_F(MotionLayer, AReplacementAnswersForItsPairOnly) {
    const auto data = load(document("a", "src", {"i0", "i1"}, "ship", {"idle"}));
    layer.loadMotion(data.get());
    MMotionSourceInfo base;
    MMotionSourceInfo info;
    ASSERT_TRUE(layer.getSourceInfo("src", "i1", base, PSBValue()));
    auto record = std::make_unique<MMotionTexture>();
    const int32_t slot = layer.replaceSource("src", "i0", record.get(), 32, 16, 3.0f, 5.0f);
    EXPECT_EQ(layer.texture(slot), record.get());
    ASSERT_TRUE(layer.getSourceInfo("src", "i0", info, PSBValue()));
    EXPECT_EQ(info.texture, slot);
    EXPECT_EQ(info.left, 0);
    EXPECT_EQ(info.width, 32);
    EXPECT_EQ(info.height, 16);
    EXPECT_EQ(info.originX, 3.0f);
    EXPECT_EQ(info.originY, 5.0f);
    EXPECT_EQ(info.resolution, 1.0f);
    ASSERT_TRUE(layer.getSourceInfo("src", "i1", info, PSBValue()));
    EXPECT_EQ(std::memcmp(&base, &info, sizeof info), 0);
}

TEST_F(MotionLayer, ReplacementTexturesStayTheirOwners) {
    auto first = std::make_unique<MMotionTexture>();
    auto second = std::make_unique<MMotionTexture>();
    {
        MMotionLayer own;
        const int32_t slot = own.replaceSource("src", "i0", first.get(), 8, 8, 0, 0);
        own.replaceSource("src", "i0", second.get(), 8, 8, 0, 0);
        EXPECT_EQ(own.texture(slot), second.get());
    }
    // Both records are still ours to free (the sanitizers see a double free).
    first.reset();
    second.reset();
}

TEST_F(MotionLayer, CapturesInTheDrawAfterARequestOnly) {
    MMotionSourceInfo info;
    info.attr = 7;
    layer.getCaptureSourceInfo(info);
    EXPECT_EQ(info.texture, 0);
    EXPECT_FALSE(layer.isCaptured());
    layer.requestCapture();
    EXPECT_FALSE(layer.isCaptured());
    layer.draw(0);
    EXPECT_TRUE(layer.isCaptured());
    ASSERT_NE(layer.captureView(), nullptr);
    ASSERT_NE(layer.capturedView(), nullptr);
    EXPECT_FALSE(layer.captureView()->isHidden());
    EXPECT_EQ(layer.capturedView()->capture(), layer.captureView());
    layer.getCaptureSourceInfo(info);
    EXPECT_EQ(info.texture, MMotionSourceInfo::kCaptureTexture);
    EXPECT_EQ(info.attr, 7);
    layer.draw(0);
    EXPECT_FALSE(layer.isCaptured());
}

TEST(MotionNeutralGrid, IsTheUnitSquareRowByRow) {
    EXPECT_EQ(kMotionNeutralMeshGrid[0], 0.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[2], 1.0f / 3.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[7], 0.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[8], 0.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[9], 1.0f / 3.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[30], 1.0f);
    EXPECT_EQ(kMotionNeutralMeshGrid[31], 1.0f);
}

}  // namespace
