// The sprite layer's batching on the recording device: one draw call per run
// of slots that share a texture and draw mode, in slot order.
#include "game/core/sprite_draw_task.h"

#include <gtest/gtest.h>

#include <vector>

#include "engine/render/raw_tex.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

class SpriteDrawTaskTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        first = std::make_unique<MRawTex>(8, 8);
        second = std::make_unique<MRawTex>(16, 16);
        device->clearRecord();
    }
    void TearDown() override {
        first.reset();
        second.reset();
        RecordingDisplayTest::TearDown();
    }

    void add(SpriteDrawTask& layer, MRawTex* texture, MDrawMode mode = 0, float x = 0.0f) {
        SpriteDrawTask::Slot* slot = layer.addSlot();
        ASSERT_NE(slot, nullptr);
        slot->texture = texture;
        slot->mode = mode;
        slot->quad.corners[0].x = x;
    }

    struct Call {
        platform::Texture* texture;
        int quads;
    };
    std::vector<Call> drawCalls() {
        std::vector<Call> calls;
        for (const auto& d : device->draws()) calls.push_back({d.textures[0], d.primitives / 2});
        return calls;
    }
    platform::Texture* tex(const std::unique_ptr<MRawTex>& raw) { return raw->getTexture()->texture; }

    std::unique_ptr<MRawTex> first;
    std::unique_ptr<MRawTex> second;
};

TEST_F(SpriteDrawTaskTest, AlternatingTexturesDrawOneCallPerSlot) {
    SpriteDrawTask layer;
    for (int i = 0; i < 4; ++i) add(layer, i % 2 ? second.get() : first.get());
    layer.draw(0);
    const auto calls = drawCalls();
    ASSERT_EQ(calls.size(), 4u);
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(calls[i].texture, i % 2 ? tex(second) : tex(first)) << i;
        EXPECT_EQ(calls[i].quads, 1) << i;
    }
    EXPECT_EQ(layer.getCount(), 0);
}

TEST_F(SpriteDrawTaskTest, ADrawModeChangeSplitsARun) {
    SpriteDrawTask layer;
    add(layer, first.get(), 0);
    add(layer, first.get(), 1);
    add(layer, first.get(), 1);
    layer.draw(0);
    const auto calls = drawCalls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].quads, 1);
    EXPECT_EQ(calls[1].quads, 2);
}

TEST_F(SpriteDrawTaskTest, AnEmptySlotInsideARunDoesNotSplitIt) {
    SpriteDrawTask layer;
    add(layer, first.get(), 0, 1.0f);
    add(layer, nullptr);
    add(layer, first.get(), 0, 3.0f);
    layer.draw(0);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(draws[0].primitives, 4);
    // The second triangle pair starts at the third slot's quad (6 vertices a quad).
    EXPECT_FLOAT_EQ(draws[0].vertexFloat(6 * 6), 3.0f - 0.5f);
}

TEST_F(SpriteDrawTaskTest, AFullLayerOfOneTextureIsOneCallAndTakesNoMore) {
    SpriteDrawTask layer;
    for (int i = 0; i < SpriteDrawTask::kSlots; ++i) add(layer, first.get(), 3);
    EXPECT_EQ(layer.addSlot(), nullptr);
    layer.draw(0);
    const auto calls = drawCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].quads, SpriteDrawTask::kSlots);
}

TEST_F(SpriteDrawTaskTest, DetachedTexturesLeaveEmptySlotsThatAreSkipped) {
    SpriteDrawTask layer;
    add(layer, first.get());
    add(layer, second.get());
    add(layer, first.get());
    layer.detachTexture(first.get());
    EXPECT_EQ(layer.slotAt(0).texture, nullptr);
    EXPECT_EQ(layer.slotAt(2).texture, nullptr);
    layer.draw(0);
    const auto calls = drawCalls();
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].texture, tex(second));
}

TEST_F(SpriteDrawTaskTest, AnUnusedLayerDrawsNothing) {
    SpriteDrawTask layer;
    layer.draw(0);
    EXPECT_TRUE(device->draws().empty());
}

}  // namespace
