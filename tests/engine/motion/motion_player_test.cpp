#include "engine/motion/motion_player.h"

#include <gtest/gtest.h>

#include "tests/engine/motion/motion_player_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using playerfixture::Driver;
using playerfixture::Scan;
using playerfixture::shipDocument;
using playerfixture::timeline;
constexpr MMotionScan kSeek = MMotionScan::Seek;
constexpr MMotionScan kForward = MMotionScan::Forward;
constexpr MMotionScan kBackward = MMotionScan::Backward;

class MotionPlayer : public testing::Test {
protected:
    void SetUp() override { M_SPEC = "win"; }
    void TearDown() override { M_SPEC.clear(); }

    void registerDocument(std::map<std::string, mb::Motion> motions) {
        if (document) manager.releaseMotion(documentId);
        document = shipDocument(std::move(motions));
        documentId = manager.loadMotion(document.get());
        player.setTimelineDriver(driver);
    }

    playerfixture::Manager manager;
    std::unique_ptr<PSBObject> document;
    int32_t documentId = -1;
    Driver driver;
    MMotionPlayer player{manager, "ship"};
};

struct TimeStep {
    float loopTime;
    float lastTime;
    float start;
    float step;
    float time;
    bool playing;
    std::vector<Scan> scans;
};

TEST_F(MotionPlayer, StepsTimeThroughLoopsAndEnds) {
    const TimeStep cases[] = {
        {10, 20, 19, 3, 12, true, {{kForward, 20}, {kSeek, 10}, {kForward, 12}}},
        {10, 20, 19, 25, 14, true, {{kForward, 20}, {kSeek, 10}, {kForward, 14}}},
        {10, 20, 5, 3, 8, true, {{kForward, 8}}},
        {-1, 20, 19, 3, 22, false, {{kForward, 20}}},
        // A loop starting at or after the end would wrap for ever: played once.
        {20, 20, 19, 3, 22, false, {{kForward, 20}}},
        {30, 20, 19, 3, 22, false, {{kForward, 20}}},
        {10, 20, 11, -3, 18, true, {{kBackward, 10}, {kSeek, 20}, {kBackward, 18}}},
        {10, 20, 11, -25, 16, true, {{kBackward, 10}, {kSeek, 20}, {kBackward, 16}}},
        {-1, 20, 1, -3, 0, false, {{kBackward, 0}}},
        {30, 20, 1, -3, 0, false, {{kBackward, 0}}},
    };
    for (const TimeStep& c : cases) {
        SCOPED_TRACE(testing::Message() << "loop " << c.loopTime << " start " << c.start << " step " << c.step);
        registerDocument({{"m", timeline(c.loopTime, c.lastTime)}});
        player.play("m", kMotionPlayForce);
        player.setTime(c.start);
        player.advanceTime(0.0f);
        player.clearHold();
        driver.scans.clear();
        player.advanceTime(c.step);
        EXPECT_FLOAT_EQ(player.time(), c.time);
        EXPECT_EQ(player.playing(), c.playing);
        EXPECT_EQ(driver.scans, c.scans);
    }
}

TEST_F(MotionPlayer, ALoopTooShortToMoveTheTimeStillEnds) {
    registerDocument({{"m", timeline(19.999998f, 20)}});
    player.play("m", 0);
    player.advance(0.0f);
    player.advance(1.0e6f);
    EXPECT_GE(player.time(), player.loopTime());
    EXPECT_LT(player.time(), 20.0f);
}

TEST_F(MotionPlayer, BackwardPlayFromTheStartJumpsToTheEnd) {
    registerDocument({{"m", timeline(-1, 20)}});
    player.play("m", 0);
    player.setSpeed(-1.0f);
    player.advance(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 20.0f);
    EXPECT_EQ(driver.scans, (std::vector<Scan>{{kSeek, 20}}));
    player.advance(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 19.0f);
    EXPECT_EQ(driver.scans.back(), (Scan{kBackward, 19}));
}

TEST_F(MotionPlayer, HoldShowsTheSetTimeForOneStep) {
    registerDocument({{"m", timeline(-1, 20)}});
    player.play("m", 0);
    player.setTime(5);
    player.advance(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 5.0f);
    EXPECT_EQ(driver.scans, (std::vector<Scan>{{kSeek, 5}}));
    player.advance(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 6.0f);
}

TEST_F(MotionPlayer, ATimeInsideAFinishedMotionPlaysItAgain) {
    registerDocument({{"m", timeline(-1, 20)}});
    player.play("m", 0);
    player.advance(1.0f);  // the seek at 0
    player.advance(25.0f);
    ASSERT_FALSE(player.playing());
    player.setTime(20);  // the end is not inside
    player.advance(1.0f);
    EXPECT_FALSE(player.playing());
    player.setTime(0);
    EXPECT_TRUE(player.playing());
    driver.scans.clear();
    player.advance(1.0f);
    player.advance(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 1.0f);
    EXPECT_EQ(driver.scans, (std::vector<Scan>{{kSeek, 0}, {kForward, 1}}));
    player.setObject("other");
    player.setTime(3);
    EXPECT_FALSE(player.playing());
}

TEST_F(MotionPlayer, AlignEndsTheStepAndSyncHoldsUntilTheNextLoad) {
    registerDocument({{"m", timeline(-1, 20)}});
    player.play("m", 0);
    player.advance(1.0f);
    driver.onScan = [](MMotionPlayer& p, MMotionScan kind) {
        if (kind == kForward) p.markAlignReached();
    };
    player.advance(3.0f);
    player.advance(3.0f);
    EXPECT_FLOAT_EQ(player.time(), 6.0f);
    driver.onScan = [](MMotionPlayer& p, MMotionScan) { p.markSyncReached(); };
    player.advance(3.0f);
    driver.scans.clear();
    player.advance(3.0f);
    EXPECT_FLOAT_EQ(player.time(), 9.0f);
    EXPECT_TRUE(driver.scans.empty());
    driver.onScan = nullptr;
    player.play("m", kMotionPlayForce);
    EXPECT_FALSE(player.syncReached());
}

// Bins of the boundaries 45, 135, 225, 315; bin i plays a timeline ending at
// 10 + i.
TEST_F(MotionPlayer, DirectionListSelectsBinsAtTheirEdges) {
    mb::DirectionList list{.division = {45, 135, 225, 315}, .motions = {"d0", "d1", "d2", "d3"}};
    registerDocument({{"dir", list},
                      {"d0", timeline(-1, 10)},
                      {"d1", timeline(-1, 11)},
                      {"d2", timeline(-1, 12)},
                      {"d3", timeline(-1, 13)}});
    const std::pair<float, int> cases[] = {{10, 0},  {45, 0},    {45.5f, 1}, {90, 1},  {135, 1}, {136, 2},
                                           {315, 3}, {315.5f, 0}, {359, 0},  {0, 0},   {-90, 3}, {450, 1}};
    player.play("dir", 0);
    ASSERT_TRUE(player.directionMode());
    for (const auto& [angle, bin] : cases) {
        SCOPED_TRACE(angle);
        player.setAngle(angle);
        EXPECT_EQ(player.currentBin(), bin);
        EXPECT_FLOAT_EQ(player.lastTime(), 10.0f + float(bin));
        EXPECT_EQ(player.motionName(), "dir");
    }
    // The manager's base angle is added at every step.
    player.setAngle(10);
    manager.setBaseAngle(90);
    player.advanceTime(1.0f);
    EXPECT_EQ(player.currentBin(), 1);
}

TEST_F(MotionPlayer, DirectionListWithoutBoundariesFindsNoMotion) {
    registerDocument({{"empty", mb::DirectionList{}},
                      {"one", mb::DirectionList{.division = {90}, .motions = {"d0"}}},
                      {"short", mb::DirectionList{.division = {90, 180}, .motions = {"d0"}}},
                      {"d0", timeline(-1, 10)}});
    player.play("empty", 0);
    EXPECT_FALSE(player.hasMotion());
    EXPECT_FALSE(player.playing());
    player.advance(1.0f);
    player.play("one", 0);
    player.setAngle(200);
    EXPECT_EQ(player.currentBin(), 0);
    EXPECT_TRUE(player.playing());
    // A bin with no motion named for it.
    player.play("short", 0);
    player.setAngle(150);
    EXPECT_FALSE(player.hasMotion());
}

TEST_F(MotionPlayer, SameNameLoadsOnceUnlessForced) {
    registerDocument({{"a", timeline(-1, 20)}, {"b", timeline(-1, 20)}});
    player.play("a", 0);
    player.play("a", 0);
    EXPECT_EQ(driver.loads, 1);
    player.play("a", kMotionPlayForce);
    EXPECT_EQ(driver.loads, 2);
    player.play("missing", 0);
    EXPECT_FALSE(player.hasMotion());
    EXPECT_FALSE(player.playing());
}

TEST_F(MotionPlayer, KeepTimeKeepsTheTimeAcrossALoad) {
    registerDocument({{"a", timeline(-1, 20)}, {"b", timeline(-1, 20)}, {"c", timeline(-1, 20)}});
    player.play("a", 0);
    player.setTime(5);
    player.play("b", kMotionPlayKeepTime);
    EXPECT_FLOAT_EQ(player.time(), 5.0f);
    EXPECT_TRUE(player.seekPending());
    player.play("c", 0);
    EXPECT_FLOAT_EQ(player.time(), 0.0f);
}

TEST_F(MotionPlayer, NoInterruptWaitsForTheMotionToEnd) {
    registerDocument({{"a", timeline(-1, 2)}, {"b", timeline(-1, 2)}});
    player.play("a", 0);
    player.play("b", kMotionPlayNoInterrupt);
    EXPECT_EQ(player.motionName(), "a");
    player.advance(1.0f);
    player.advance(5.0f);
    ASSERT_FALSE(player.playing());
    // Also replays the same name.
    player.play("a", kMotionPlayNoInterrupt);
    EXPECT_EQ(driver.loads, 2);
    EXPECT_TRUE(player.playing());
    player.play("b", kMotionPlayNoInterrupt | kMotionPlayForce);
    EXPECT_EQ(player.motionName(), "b");
}

TEST_F(MotionPlayer, CarryStateSavesTheJoinedLayersFirst) {
    registerDocument({{"a", timeline(-1, 2)}, {"b", timeline(-1, 2)}});
    player.play("a", 0);
    player.play("b", kMotionPlayCarryState);
    EXPECT_EQ(driver.joins, 1);
}

TEST_F(MotionPlayer, InternalPlayKeepsTheRequestedNameAndWaitsForAnObject) {
    registerDocument({{"a", timeline(-1, 2)}, {"b", timeline(-1, 2)}});
    player.play("a", 0);
    player.play("b", kMotionPlayInternal);
    EXPECT_EQ(player.motionName(), "b");
    EXPECT_EQ(player.requestedMotionName(), "a");

    MMotionPlayer fresh(manager, "");
    fresh.setMotion("a", kMotionPlayInternal);
    EXPECT_FALSE(fresh.hasMotion());
    fresh.setObject("ship");
    fresh.setMotion("b", 0);
    EXPECT_EQ(fresh.motionName(), "a");
    EXPECT_EQ(fresh.requestedMotionName(), "b");
}

class Recorder : public MMotionEventListener {
public:
    void onAction(MMotionPlayer& player, const std::string& name, const std::string& text) override {
        seen.push_back(name + ":" + text);
        if (text == "again") player.pushEvent("", "later");
    }
    void onSync(MMotionPlayer&) override { seen.push_back("sync"); }

    std::vector<std::string> seen;
};

TEST_F(MotionPlayer, DeferredChangesWaitForTheNextProgress) {
    registerDocument({{"a", timeline(-1, 20)}, {"b", timeline(-1, 20)}});
    Recorder recorder;
    player.addListener(&recorder);
    player.play("a", 0);
    player.progress(1.0f);
    player.progress(1.0f);

    player.setMotion("b", kMotionPlayDeferAndHold);
    EXPECT_EQ(player.motionName(), "a");
    player.pushEvent("", "x");
    const int evaluations = driver.evaluations;
    player.progress(1.0f);
    EXPECT_EQ(player.motionName(), "b");
    EXPECT_EQ(driver.evaluations, evaluations);
    EXPECT_TRUE(recorder.seen.empty());

    player.setMotion("a", kMotionPlayDefer);
    player.progress(1.0f);
    EXPECT_EQ(player.motionName(), "a");
    EXPECT_EQ(driver.evaluations, evaluations + 1);
    EXPECT_EQ(recorder.seen, (std::vector<std::string>{":x"}));
}

TEST_F(MotionPlayer, AnEventQueuedDuringDeliveryWaitsForTheNextFlush) {
    Recorder first;
    Recorder second;
    player.addListener(&first);
    player.addListener(&second);
    player.pushEvent("arm", "again");
    player.pushSync();
    player.flushEvents();
    EXPECT_EQ(first.seen, (std::vector<std::string>{"arm:again", "sync"}));
    EXPECT_EQ(second.seen, first.seen);
    // Each listener queued one more.
    EXPECT_EQ(player.pendingEvents().size(), 2u);
    player.removeListener(&second);
    player.flushEvents();
    EXPECT_EQ(first.seen.back(), ":later");
    EXPECT_EQ(first.seen.size(), 4u);
    EXPECT_EQ(second.seen.size(), 2u);
    EXPECT_TRUE(player.pendingEvents().empty());
}

TEST_F(MotionPlayer, SetTimeWithoutAMotionDoesNothing) {
    player.setTime(5);
    EXPECT_FLOAT_EQ(player.time(), 0.0f);
    EXPECT_FALSE(player.seekPending());
    player.progress(1.0f);
    EXPECT_FLOAT_EQ(player.time(), 0.0f);
}

TEST_F(MotionPlayer, RandomRangeOfOneValueTakesNoStep) {
    MMotionPlayer other(manager, "ship");
    EXPECT_FLOAT_EQ(player.randomRange(3, 3), 3.0f);
    EXPECT_EQ(player.random(), other.random());
    const float r = player.randomRange(2, 4);
    EXPECT_GE(r, 2.0f);
    EXPECT_LT(r, 4.0f);
}

TEST_F(MotionPlayer, PositionAndAngleMarkTheRootOnlyWhenChanged) {
    MMotionNodeState& root = player.nodes()[0].local;
    root.changed = false;
    player.setPosition(0, 0);
    EXPECT_FALSE(root.changed);
    player.setPosition(3, 4);
    player.setAngle(30);
    EXPECT_TRUE(root.changed);
    EXPECT_FLOAT_EQ(root.angle, 30.0f);
}

}  // namespace
