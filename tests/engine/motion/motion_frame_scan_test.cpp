#include "engine/motion/motion_frame_scan.h"

#include <gtest/gtest.h>

#include "tests/engine/motion/motion_eval_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using evalfixture::acting;
using evalfixture::group;
using evalfixture::Stage;
using Events = std::vector<std::string>;

mb::Timeline oneLayer(std::vector<mb::Frame> frames, float lastTime = 10) {
    return mb::Timeline{.lastTime = lastTime, .layers = {group("a", std::move(frames))}};
}

TEST(MotionFrameScan, RaisesEveryActionPassedInOneStepInOrder) {
    Stage s(oneLayer({mb::holdFrame(0, {}), mb::holdFrame(1, acting("one")), mb::holdFrame(2, acting("two")),
                      mb::holdFrame(3, acting("three")), mb::holdFrame(10, {})}));
    s.player.progress(1);  // the seek at 0
    EXPECT_TRUE(s.take().empty());
    s.player.progress(3.5f);
    EXPECT_EQ(s.take(), (Events{"a:one", "a:two", "a:three"}));
    const MMotionLayerNode& node = s.node(1);
    EXPECT_EQ(node.slots[node.currentSlot].frameIndex, 3u);
    EXPECT_EQ(node.slots[1 - node.currentSlot].frameIndex, 4u);
}

TEST(MotionFrameScan, LandingOrSeekingExactlyOnAFrameRaisesItsAction) {
    Stage s(oneLayer({mb::holdFrame(0, {}), mb::holdFrame(2, acting("x")), mb::holdFrame(10, {})}));
    s.player.progress(1);
    s.player.progress(2);
    EXPECT_EQ(s.take(), (Events{"a:x"}));
    EXPECT_EQ(s.node(1).slots[s.node(1).currentSlot].frameIndex, 1u);
    s.player.setTime(2);
    s.player.progress(1);
    EXPECT_EQ(s.take(), (Events{"a:x"}));
    s.player.setTime(3);
    s.player.progress(1);
    EXPECT_TRUE(s.take().empty());
}

TEST(MotionFrameScan, BackwardPlayRaisesTheFramesItReaches) {
    Stage s(oneLayer({mb::holdFrame(0, acting("first")), mb::holdFrame(4, acting("mid")), mb::holdFrame(10, {})}));
    s.player.setTime(8);
    s.player.progress(1);
    s.player.setSpeed(-1);
    s.player.progress(5);
    EXPECT_EQ(s.take(), (Events{"a:first"}));
    EXPECT_EQ(s.node(1).slots[s.node(1).currentSlot].frameIndex, 0u);
}

TEST(MotionFrameScan, SyncPullsTimeBackAndHoldsThere) {
    mb::Timeline t = oneLayer({mb::holdFrame(0, {}), mb::holdFrame(10, {})});
    t.controls = {{.time = 0}, {.time = 2, .sync = true, .action = "s"}, {.time = 10}};
    Stage s(t);
    s.player.progress(1);
    s.player.progress(3);
    EXPECT_EQ(s.take(), (Events{"sync", ":s"}));
    EXPECT_FLOAT_EQ(s.player.time(), 2.0f);
    EXPECT_TRUE(s.player.syncReached());
    EXPECT_TRUE(s.player.playing());
    s.player.progress(3);
    EXPECT_FLOAT_EQ(s.player.time(), 2.0f);
    EXPECT_TRUE(s.take().empty());
}

TEST(MotionFrameScan, AlignEndsOnlyTheStepThatReachesIt) {
    mb::Timeline t = oneLayer({mb::holdFrame(0, {}), mb::holdFrame(10, {})});
    t.controls = {{.time = 0}, {.time = 2, .align = true}, {.time = 10}};
    Stage s(t);
    s.player.progress(1);
    s.player.progress(3);
    EXPECT_FLOAT_EQ(s.player.time(), 2.0f);
    s.player.progress(3);
    EXPECT_FLOAT_EQ(s.player.time(), 5.0f);
}

TEST(MotionFrameScan, TheLastFrameOfAListNeverBecomesCurrent) {
    mb::Timeline t = oneLayer({mb::holdFrame(0, {}), mb::holdFrame(5, acting("end"))}, 5);
    t.controls = {{.time = 0}, {.time = 5, .sync = true, .action = "end"}};
    Stage s(t);
    s.player.progress(1);
    s.player.progress(7);
    EXPECT_TRUE(s.take().empty());
    EXPECT_FALSE(s.player.playing());
    EXPECT_EQ(s.node(1).slots[s.node(1).currentSlot].frameIndex, 0u);
    s.player.setTime(5);
    s.player.progress(1);
    EXPECT_TRUE(s.take().empty());
}

TEST(MotionFrameScan, AOneFrameListHoldsItsFrameAndAnEmptyListShowsNothing) {
    mb::Timeline t{.lastTime = 10,
                   .layers = {group("one", {mb::holdFrame(0, evalfixture::at(3, 4))}), group("none", {})}};
    t.controls = {{.time = 0, .action = "go"}};
    t.variables = {{.label = "v", .frames = {{.time = 0, .value = 7}}}};
    Stage s(t);
    s.player.progress(1);
    s.player.progress(4);
    const MMotionLayerNode& one = s.node(1);
    EXPECT_EQ(one.slots[0].frameIndex, 0u);
    EXPECT_EQ(one.slots[1].frameIndex, 0u);
    EXPECT_FALSE(one.slots[one.currentSlot].empty);
    EXPECT_FLOAT_EQ(one.state.x, 3.0f);
    EXPECT_TRUE(one.state.visible);
    EXPECT_TRUE(s.node(2).slots[0].empty && s.node(2).slots[1].empty);
    EXPECT_FALSE(s.node(2).state.visible);
    EXPECT_EQ(s.take(), (Events{":go"}));
    EXPECT_FLOAT_EQ(s.player.timelineState().variables.at(0).value, 7.0f);
}

TEST(MotionFrameScan, AParameterMovesItsLayerBothWaysWithoutActions) {
    mb::Timeline t{.lastTime = 10, .parameters = {{.id = "p", .rangeBegin = 0, .rangeEnd = 10, .division = 10}}};
    mb::Layer layer = group("a", {mb::holdFrame(0, {}), mb::holdFrame(3, acting("x")), mb::holdFrame(6, {}),
                                  mb::holdFrame(10, {})});
    layer.parameterize = 0;
    t.layers = {layer};
    Stage s(t);
    s.player.progress(1);
    s.player.setParameter("p", 7);
    s.player.progress(1);
    const MMotionLayerNode& node = s.node(1);
    EXPECT_EQ(node.slots[node.currentSlot].frameIndex, 2u);
    s.player.setParameter("p", 1);
    s.player.progress(1);
    EXPECT_EQ(node.slots[node.currentSlot].frameIndex, 0u);
    EXPECT_TRUE(s.take().empty());
}

TEST(MotionFrameScan, LocatesTheFrameCurrentAtATime) {
    const float times[] = {0, 2, 2.5f, 6};
    const auto timeOf = [&](uint32_t i) { return times[i]; };
    EXPECT_EQ(MMotionFrameScan::locate(4, 0, timeOf), 0u);
    EXPECT_EQ(MMotionFrameScan::locate(4, 2, timeOf), 1u);
    EXPECT_EQ(MMotionFrameScan::locate(4, 2.4f, timeOf), 1u);
    EXPECT_EQ(MMotionFrameScan::locate(4, 6, timeOf), 2u);
    EXPECT_EQ(MMotionFrameScan::locate(4, 9, timeOf), 2u);
    EXPECT_EQ(MMotionFrameScan::locate(1, 9, timeOf), 0u);
    EXPECT_EQ(MMotionFrameScan::locate(0, 9, timeOf), 0u);
}

TEST(MotionVariables, StepsATweenByItsIntervalAndNamesItByScope) {
    mb::Timeline t = oneLayer({mb::holdFrame(0, {}), mb::holdFrame(10, {})});
    t.variables = {{.label = "open",
                    .scope = "door",
                    .frames = {{.time = 0, .type = mb::kTween, .interval = 4, .value = 0},
                               {.time = 10, .type = mb::kHold, .value = 10}}},
                   {.label = "same",
                    .frames = {{.time = 0, .type = mb::kTween, .value = 5, .easing = 0},
                               {.time = 10, .type = mb::kHold, .value = 5}}}};
    Stage s(t, {mb::linearEasing()});
    MMotionTimelineState& state = s.player.timelineState();
    ASSERT_EQ(state.variables.size(), 2u);
    EXPECT_EQ(state.variables[0].fullName, "door::open");
    EXPECT_EQ(state.variables[1].fullName, "same");
    for (const auto& [time, value] : {std::pair{3.0f, 0.0f}, {5.0f, 4.0f}, {9.0f, 8.0f}}) {
        s.player.setTime(time);
        s.player.progress(1);
        EXPECT_FLOAT_EQ(state.variables[0].value, value) << time;
        EXPECT_FLOAT_EQ(state.variables[1].value, 5.0f);
    }
}

}  // namespace
