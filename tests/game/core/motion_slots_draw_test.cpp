// The root task's motion slots drawn through their draw layer's locator on
// the recording device: a slot's items reach the screen in the frame its
// motion shows them, a label change draws only the new label, and the
// slot's colour word, alpha and blend reach the device.
#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/game_task.h"
#include "game/core/motion_wrappers.h"
#include "game/core/psb_cache.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/engine/ui/recording_display_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using platform::Blend;
using platform::RenderState;

constexpr int32_t kSlotDrawLayer = 300;

// Object "glow" over two 8 by 8 icons side by side, "a" and "b": "late"
// shows "a" from frame 2 on (with more layers than "steady", so a change
// to it moves the layer tree), "steady" shows "b" throughout.
mb::Document slotDrawDocument() {
    mb::Document d = motionfixture::document("glow", "src", {"a", "b"}, "glow", {"late", "steady"});
    auto& motions = d.objects["glow"].motions;
    motions["steady"] = motionfixture::spriteTimeline("src", "b");
    mb::Timeline& late = std::get<mb::Timeline>(motions["late"]);
    const mb::Content shown{.src = "src", .icon = "a"};
    late.layers[0].frames = {mb::emptyFrame(0), mb::holdFrame(2, shown), mb::holdFrame(10, shown)};
    for (const char* label : {"g1", "g2", "g3", "g4"}) {
        late.layers.push_back(mb::Layer{.label = label, .type = mb::kGroup,
                                        .frames = {mb::holdFrame(0, {}), mb::holdFrame(10, {})}});
    }
    return d;
}

class MotionSlotDrawTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        M_SPEC = "win";
        psbCache()["glow"] = motionfixture::load(slotDrawDocument()).release();
        task = GameTask::getInstance();
        ASSERT_NE(task, nullptr);
        task->layers[kSlotDrawLayer] = &locator;
    }
    void TearDown() override {
        PsbCache documents = psbCache();
        delete task;
        for (auto& [key, document] : documents) delete document;
        psbCache().clear();
        M_SPEC.clear();
        RecordingDisplayTest::TearDown();
    }
    int32_t playing(const std::string& motion) {
        const int32_t slot = SDL2_wheel_MotionCreate(kSlotDrawLayer, "glow");
        SDL2_wheel_MotionPlay(slot, 0, "glow", motion);
        return slot;
    }
    // One frame as the game runs it: the motions step, then the layer draws.
    std::vector<platform::RecordingDevice::Draw> frame(int32_t slot) {
        task->slotMotion(slot)->progress(1.0f);
        return drawLayer();
    }
    std::vector<platform::RecordingDevice::Draw> drawLayer() {
        device->clearRecord();
        locator.draw(0);
        return device->draws();
    }
    static uint32_t firstColour(const platform::RecordingDevice::Draw& draw) {
        uint32_t c = 0;
        std::memcpy(&c, draw.vertices.data() + 12, 4);
        return c;
    }

    GameTask* task = nullptr;
    M2DCameraLocator locator;
};

TEST_F(MotionSlotDrawTest, AnItemIsDrawnInTheFrameItAppears) {
    const int32_t slot = playing("late");
    EXPECT_TRUE(frame(slot).empty()) << "frame 1 shows nothing yet";
    EXPECT_EQ(frame(slot).size(), 1u) << "frame 2 shows the sprite";
    EXPECT_EQ(frame(slot).size(), 1u);
}

// The old label's items are freed by the change; under AddressSanitizer a
// draw that still reached them fails the run.
TEST_F(MotionSlotDrawTest, ALabelChangeDrawsTheNewLabelOnly) {
    const int32_t slot = playing("steady");
    EXPECT_EQ(frame(slot).size(), 1u);
    auto draws = frame(slot);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].vertexFloat(4), 0.5f) << "icon b, the right half";
    SDL2_wheel_MotionPlay(slot, 0, "glow", "late");
    task->setMotionFrame(slot, 5);
    draws = frame(slot);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_FLOAT_EQ(draws[0].vertexFloat(4), 0.0f) << "icon a, the left half";
}

struct SlotLookCase {
    const char* name;
    uint32_t color;
    float alpha;
    int32_t blend;
    uint32_t argb;  // of the drawn corners
    Blend destination;
};

// Set one after the other on one slot, so each undoes the one before.
TEST_F(MotionSlotDrawTest, ColourAlphaAndBlendOfTheSlotReachTheDevice) {
    const SlotLookCase cases[] = {
        {"a boss's body tint at half strength, faded to half, additive", 0x7f0050ffu, 0.5f,
         kMotionSlotBlendAdditive, 0x7f7f0050u, Blend::One},
        {"untinted and normal again", kMotionSlotNeutralColor, 1.0f, kMotionSlotBlendNormal, 0xff808080u,
         Blend::InvSrcAlpha},
        {"an alpha past 1.0 is full, a blend of neither kind normal", 0x404040ffu, 3.0f, 7, 0xff404040u,
         Blend::InvSrcAlpha},
    };
    const int32_t slot = playing("steady");
    auto draws = frame(slot);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(firstColour(draws[0]), 0xff808080u) << "a new slot is untinted";
    EXPECT_EQ(draws[0].state(RenderState::DestBlend), uint32_t(Blend::InvSrcAlpha));
    for (const SlotLookCase& c : cases) {
        SCOPED_TRACE(c.name);
        SDL2_wheel_MotionSetColor(slot, c.color);
        SDL2_wheel_MotionSetAlpha(slot, c.alpha);
        SDL2_wheel_MotionSetBlend(slot, c.blend);
        draws = frame(slot);
        ASSERT_EQ(draws.size(), 1u);
        EXPECT_EQ(firstColour(draws[0]), c.argb);
        EXPECT_EQ(draws[0].state(RenderState::DestBlend), uint32_t(c.destination));
    }
}

// A new slot draws untinted, opaque and normal whatever the last one set.
TEST_F(MotionSlotDrawTest, ASlotTakenAgainStartsUntinted) {
    int32_t slot = playing("steady");
    SDL2_wheel_MotionSetColor(slot, 0x000000ffu);
    SDL2_wheel_MotionSetAlpha(slot, 0.0f);
    SDL2_wheel_MotionSetBlend(slot, kMotionSlotBlendAdditive);
    task->releaseMotionSlot(slot);
    slot = playing("steady");
    const auto draws = frame(slot);
    ASSERT_EQ(draws.size(), 1u);
    EXPECT_EQ(firstColour(draws[0]), 0xff808080u);
    EXPECT_EQ(draws[0].state(RenderState::DestBlend), uint32_t(Blend::InvSrcAlpha));
}

}  // namespace
