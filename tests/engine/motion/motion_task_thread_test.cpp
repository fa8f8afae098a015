// The motion task over the worker pool: events raised by updates on the
// workers reach the listeners on the main thread, in order, only after every
// job of the frame; a deleted motion hears nothing; a hidden one queues no
// render items.
#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion.h"
#include "engine/motion/motion_layer.h"
#include "engine/task/task_set.h"
#include "engine/task/worker_pool.h"
#include "tests/engine/motion/motion_fixture.h"

namespace {

// Raises the events it is given at each evaluation and hands out one render item.
class ScriptedDriver : public MMotionTimelineDriver {
public:
    void evaluate(MMotionPlayer& player) override {
        for (const std::string& text : events) player.pushEvent("", text);
        ++evaluations;
    }
    void buildRenderList(MMotionPlayer& player, uint32_t, std::vector<MMotionRenderItem*>*) override {
        player.renderList().push_back(&item);
    }

    MMotionRenderItem item;
    std::vector<std::string> events;
    std::atomic<int> evaluations{0};
};

struct Heard {
    std::string text;
    std::thread::id thread;
    int jobsDoneThen;
};

class Listener : public MMotionEventListener {
public:
    explicit Listener(const std::atomic<int>& jobsDone) : jobsDone_(jobsDone) {}
    void onAction(MMotionPlayer&, const std::string&, const std::string& text) override {
        heard.push_back({text, std::this_thread::get_id(), jobsDone_.load()});
    }
    void onSync(MMotionPlayer&) override {}

    std::vector<Heard> heard;

private:
    const std::atomic<int>& jobsDone_;
};

// Counts the motions whose update has ended.
class CountingMotion : public MMotion {
public:
    CountingMotion(MMotionManager& manager, std::atomic<int>& done) : MMotion(manager, ""), done_(done) {}
    void update() override {
        MMotion::update();
        ++done_;
    }
    int deferredRuns = 0;

protected:
    void runDeferred() override {
        ++deferredRuns;
        MMotion::runDeferred();
    }

private:
    std::atomic<int>& done_;
};

class MotionTaskTest : public testing::Test {
protected:
    void frame() {
        for (auto& motion : motions) queueWorkerJob(motion.get());
        getWorkerPool().runJobs();
        getWorkerPool().runDeferredCalls();
    }
    CountingMotion& addMotion(ScriptedDriver& driver) {
        motions.push_back(std::make_unique<CountingMotion>(layer, jobsDone));
        motions.back()->setTimelineDriver(driver);
        return *motions.back();
    }

    MMotionLayer layer;
    std::atomic<int> jobsDone{0};
    std::vector<std::unique_ptr<CountingMotion>> motions;
};

TEST_F(MotionTaskTest, AMotionIsAWorkerTaskWithCachesOfItsOwn) {
    MMotion motion(layer, "");
    EXPECT_TRUE(motion.isWorker());
    EXPECT_NE(motion.curveCache(), nullptr);
}

TEST_F(MotionTaskTest, AFrameWithoutEventsPostsNoCall) {
    ScriptedDriver driver;
    CountingMotion& motion = addMotion(driver);
    Listener listener(jobsDone);
    motion.addListener(&listener);
    frame();
    EXPECT_EQ(driver.evaluations, 1);
    EXPECT_EQ(motion.deferredRuns, 0);
    EXPECT_TRUE(listener.heard.empty());
}

TEST_F(MotionTaskTest, TwoEventsArriveInOrderOnTheMainThreadAfterEveryJob) {
    ScriptedDriver raising;
    raising.events = {"first", "second"};
    ScriptedDriver quiet;
    CountingMotion& motion = addMotion(raising);
    for (int i = 0; i < 7; ++i) addMotion(quiet);
    Listener listener(jobsDone);
    motion.addListener(&listener);
    for (auto& m : motions) queueWorkerJob(m.get());
    getWorkerPool().runJobs();
    EXPECT_TRUE(listener.heard.empty());
    getWorkerPool().runDeferredCalls();
    EXPECT_EQ(motion.deferredRuns, 1);
    ASSERT_EQ(listener.heard.size(), 2u);
    EXPECT_EQ(listener.heard[0].text, "first");
    EXPECT_EQ(listener.heard[1].text, "second");
    for (const Heard& h : listener.heard) {
        EXPECT_EQ(h.thread, std::this_thread::get_id());
        EXPECT_EQ(h.jobsDoneThen, 8);
    }
}

TEST_F(MotionTaskTest, AMainThreadStepWaitsForTheDeferredCalls) {
    ScriptedDriver driver;
    driver.events = {"now"};
    CountingMotion& motion = addMotion(driver);
    Listener listener(jobsDone);
    motion.addListener(&listener);
    motion.progress(0.0f);
    EXPECT_TRUE(listener.heard.empty());
    getWorkerPool().runDeferredCalls();
    ASSERT_EQ(listener.heard.size(), 1u);
}

TEST_F(MotionTaskTest, DeletingAMotionWithdrawsItsQueuedCall) {
    ScriptedDriver driver;
    driver.events = {"lost"};
    CountingMotion& motion = addMotion(driver);
    Listener listener(jobsDone);
    motion.addListener(&listener);
    queueWorkerJob(&motion);
    getWorkerPool().runJobs();
    motions.clear();
    getWorkerPool().runDeferredCalls();
    EXPECT_TRUE(listener.heard.empty());
}

TEST_F(MotionTaskTest, AHiddenMotionQueuesNoRenderItems) {
    ScriptedDriver driver;
    MParallelTaskSet set;
    auto* motion = new MMotion(layer, "");
    motion->setTimelineDriver(driver);
    set.add(motion);
    motion->progress(1.0f);
    ASSERT_EQ(motion->renderList().size(), 1u);

    set.draw(0);
    EXPECT_EQ(layer.renderQueue().size(), 1u);
    layer.renderQueue().clear();

    motion->hide();
    set.draw(0);
    EXPECT_TRUE(layer.renderQueue().empty());
    getWorkerPool().runDeferredCalls();
}

// Real layer trees on the layer driver, updated side by side on the
// workers: ids from one pool, sources from one manager, curves of their own.
TEST_F(MotionTaskTest, MotionsOfLayerTreesUpdateSideBySide) {
    namespace mb = psbwriter::motion;
    M_SPEC = "win";
    mb::Timeline timeline{.loopTime = 0, .lastTime = 20};
    for (int i = 0; i < 20; ++i) {
        const mb::Content from{.src = "src", .icon = "i0", .coord = mb::Vec3{0, float(i), 0}, .opacity = 128};
        mb::Content to = from;
        to.angle = 90.0f;
        timeline.layers.push_back(mb::Layer{.label = "s" + std::to_string(i),
                                            .frames = {mb::tweenFrame(0, from), mb::holdFrame(20, to)}});
    }
    mb::Document d{.label = "ship"};
    d.sources["src"].texture = motionfixture::image(8, 8);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
    d.objects["ship"].motions["m"] = timeline;
    const std::unique_ptr<PSBObject> doc = motionfixture::load(d);
    layer.loadMotion(doc.get());
    std::vector<std::unique_ptr<MMotion>> playing;
    for (int i = 0; i < 8; ++i) {
        playing.push_back(std::make_unique<MMotion>(layer, "ship"));
        playing.back()->play("m", 0);
        playing.back()->setShown(true);
    }
    for (int frame = 0; frame < 3; ++frame) {
        for (auto& motion : playing) queueWorkerJob(motion.get());
        getWorkerPool().runJobs();
        getWorkerPool().runDeferredCalls();
    }
    for (auto& motion : playing) {
        motion->draw(0);
        ASSERT_EQ(motion->renderList().size(), 20u);
        EXPECT_EQ(motion->renderList()[0], &motion->nodes()[20].draw.item);
    }
    EXPECT_EQ(layer.renderQueue().size(), 8u * 20);
    layer.renderQueue().clear();
    playing.clear();
    M_SPEC.clear();
}

// Nested and particle players carry what their layer is under while their
// roots update side by side on the workers.
TEST_F(MotionTaskTest, NestedAndParticlePlayersUpdateSideBySideUnderTheirClip) {
    namespace mb = psbwriter::motion;
    M_SPEC = "win";
    const auto held = [](const std::string& label, int type, mb::Content content, std::vector<mb::Layer> children) {
        return mb::Layer{.label = label, .type = type, .frames = {mb::holdFrame(0, content), mb::holdFrame(20, content)},
                         .children = std::move(children)};
    };
    mb::Layer emitter = held("e", mb::kParticleEmitter,
                             {.particle = mb::ParticleSettings{.trigger = 0, .frequency = std::pair{60.0f, 60.0f}}}, {});
    emitter.particle = mb::ParticleEmitter{.maxNum = 4, .motions = {{"ship", "inner"}}};
    mb::Layer nested = held("n", mb::kNestedMotion, {.src = "ship", .icon = "inner", .motion = mb::NestedSettings{}}, {});
    mb::Document d{.label = "ship"};
    d.sources["src"].texture = motionfixture::image(8, 8);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
    d.objects["ship"].motions["m"] =
        mb::Timeline{.loopTime = 0, .lastTime = 20, .layers = {held("c", mb::kClipRect, {}, {nested, emitter})}};
    d.objects["ship"].motions["inner"] =
        mb::Timeline{.lastTime = 100, .layers = {held("s", mb::kSprite, {.src = "src", .icon = "i0"}, {})}};
    const std::unique_ptr<PSBObject> doc = motionfixture::load(d);
    layer.loadMotion(doc.get());
    std::vector<std::unique_ptr<MMotion>> playing;
    for (int i = 0; i < 8; ++i) {
        playing.push_back(std::make_unique<MMotion>(layer, "ship"));
        playing.back()->play("m", 0);
        playing.back()->setShown(true);
    }
    for (int frame = 0; frame < 4; ++frame) {
        for (auto& motion : playing) queueWorkerJob(motion.get());
        getWorkerPool().runJobs();
        getWorkerPool().runDeferredCalls();
    }
    for (auto& motion : playing) {
        std::vector<MMotionLayerNode>& nodes = motion->nodes();
        const float* clip = std::get<MMotionClipRecord>(nodes[1].record).rect.data();
        EXPECT_EQ(nodes[2].nestedPlayer->nodes()[1].draw.item.clip, clip);
        ASSERT_FALSE(nodes[3].particlePlayers.empty());
        for (auto& particle : nodes[3].particlePlayers) EXPECT_EQ(particle->nodes()[1].draw.item.clip, clip);
    }
    playing.clear();
    M_SPEC.clear();
}

}  // namespace
