// The boot scenes: the boot motion's pause until the resources are ready
// (also when the motion skips the pause frame, ends before it or is not
// there), the skip input by platform and scene, the splash's voice cues and
// the opening's language and cue file.
#include "game/frontend/boot_scenes.h"

#include <filesystem>
#include <fstream>

#include "game/core/app_switches.h"
#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work_views.h"
#include "game/records/paths.h"
#include "game/records/settings_file.h"
#include "tests/game/frontend/scene_task_fixture.h"

namespace {

constexpr uint32_t kBootTestTag = objTag("TITL");
constexpr uint32_t kBootTestButtonOne = 0x10;

// Every boot resource loaded.
struct BootScenesLoaded final : BootLoads::Client {
    bool soundDocumentLoaded() override { return true; }
    bool soundArchivesLoaded() override { return true; }
    void followUp(int) override {}
};

class BootScenesTest : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        openingVoiceCues[0] = kOpeningCuesUnread;
    }
    void TearDown() override {
        gameSettings.LANGUAGE = 0;
        setResourceFolders({});
        SceneTaskFixture::TearDown();
    }
    void resourcesReady() {
        for (int k = 0; k < BootLoads::kFonts; ++k) task->boot.fontStatus(k).store(kReadDone);
        BootScenesLoaded loaded;
        task->boot.poll(loaded);
        ASSERT_TRUE(task->boot.ready());
    }
    ObjTask* create(ObjTaskFn act) {
        ObjTask* scene = OBJtaskCreate(act, 13, kBootTestTag);
        pass();
        return scene;
    }
    static int32_t step(ObjTask* task) { return scene(task->work).step; }
    static bool gone() { return OBJtaskCountByTag(13, kBootTestTag) == 0; }
};

TEST_F(BootScenesTest, TheBootHoldsPastItsPauseFrameUntilTheResourcesAreReady) {
    cacheMotion("initialize", "initialize", {"anime_1"}, 400.0f);
    arcadeMode = true;
    ObjTask* boot = create(TSKinitialize);
    const int32_t slot = boot->work->motionSlot0;
    ASSERT_GE(slot, 0);
    EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), 800);
    setMotionFrame(slot, 339.0f);
    pass();
    EXPECT_EQ(step(boot), 0);
    // A step that jumps over frame 340 still pauses.
    setMotionFrame(slot, 342.0f);
    pass();
    EXPECT_EQ(step(boot), 1);
    // Not ready: the start request does not skip it.
    startRequest = 1;
    passes(50);
    EXPECT_EQ(step(boot), 1);
    EXPECT_FALSE(gone());
    resourcesReady();
    pass();
    EXPECT_EQ(step(boot), 2);
    passes(2);  // skipped, then released
    EXPECT_TRUE(gone());
    EXPECT_EQ(attractMode, 1);
}

TEST_F(BootScenesTest, ABootMotionEndingEarlyOrMissingGoesOnOnceReady) {
    for (bool cached : {true, false}) {
        SCOPED_TRACE(cached);
        if (cached) cacheMotion("initialize", "initialize", {"anime_1"}, 100.0f);
        ObjTask* boot = create(TSKinitialize);
        if (cached) setMotionFrame(boot->work->motionSlot0, 100.0f);
        passes(3);
        EXPECT_EQ(step(boot), 1);
        EXPECT_FALSE(gone());
        resourcesReady();
        passes(3);
        EXPECT_TRUE(gone());
        task->boot.reset();
    }
}

struct SkipCase {
    bool arcade;
    uint8_t request;
    uint32_t pressed;
    bool bootSkips, otherSkips;
};

TEST_F(BootScenesTest, SkipInputByPlatformAndScene) {
    const SkipCase cases[] = {
        {true, 1, 0, true, true},   {true, 0, kBootTestButtonOne, false, true}, {true, 0, 0, false, false},
        {false, 1, 0, false, false}, {false, 0, kBootTestButtonOne, true, true},
    };
    resourcesReady();
    for (const SkipCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.arcade << " " << int(c.request) << " " << c.pressed);
        arcadeMode = c.arcade;
        startRequest = c.request;
        padPressed = c.pressed;
        EXPECT_EQ(bootSceneSkipped(false), c.bootSkips);
        EXPECT_EQ(bootSceneSkipped(true), c.otherSkips);
        // The same through the scenes, each in its running step.
        for (ObjTaskFn act : {TSKinitialize, TSKsplash, TSKopening}) {
            const bool boot = act == TSKinitialize;
            cacheMotion(boot ? "initialize" : act == TSKsplash ? "qv_splash" : "opening",
                        boot ? "initialize" : act == TSKsplash ? "qv_splash" : "opening", {"anime_1"}, 400.0f);
            startRequest = 0;
            ObjTask* scene = create(act);
            if (boot) {
                setMotionFrame(scene->work->motionSlot0, 340.0f);
                passes(2);
                ASSERT_EQ(step(scene), 2);
            }
            startRequest = c.request;
            pass(c.pressed);
            startRequest = 0;
            pass();
            EXPECT_EQ(gone(), boot ? c.bootSkips : c.otherSkips);
            OBJtaskReleaseByTag(kBootTestTag);
            pass();
        }
    }
    startRequest = 0;
}

TEST_F(BootScenesTest, TheSplashSpeaksItsCuesAndASkipCutsTheRest) {
    cacheMotion("qv_splash", "qv_splash", {"anime_1"}, 400.0f);
    gameRandSeed(7);
    ObjTask* splash = create(TSKsplash);
    const auto& voices = kSplashVoices[size_t(splash->actWords[1])];
    // The set-up pass counted no frame; cue frames are the work's frame counter.
    passes(10);
    EXPECT_FALSE(played(voices[0]));
    pass();
    EXPECT_TRUE(played(voices[0]));
    passes(110);
    EXPECT_TRUE(played(voices[1]));
    EXPECT_FALSE(played(voices[2]));
    passes(180);
    EXPECT_TRUE(played(voices[2]));

    // Skipped at frame 60: only the first voice.
    OBJtaskReleaseByTag(kBootTestTag);
    pass();
    soundLayerState().soundGuard.fill(0);
    EXPECT_EQ(psbCache().count("qv_splash"), 0u);  // released with the scene
    cacheMotion("qv_splash", "qv_splash", {"anime_1"}, 400.0f);
    splash = create(TSKsplash);
    const auto& second = kSplashVoices[size_t(splash->actWords[1])];
    passes(60);
    pass(kBootTestButtonOne);
    pass();
    EXPECT_TRUE(gone());
    passes(200);
    EXPECT_TRUE(played(second[0]));
    EXPECT_FALSE(played(second[1]));
    EXPECT_FALSE(played(second[2]));
}

TEST_F(BootScenesTest, TheOpeningPlaysByLanguageAndReadsItsCuesOnce) {
    cacheMotion("opening", "opening", {"anime_1"}, 400.0f);
    cacheMotion("eng_opening", "eng_opening", {"anime_1"}, 400.0f);
    const std::filesystem::path resources = folder.path("res");
    std::filesystem::create_directories(resources / "resource/sound/voice");
    std::ofstream(resources / "resource/sound/voice/opning_config.txt") << "VO_OP_001_00=15\nVO_OP_013_00=990\n";
    setResourceFolders({resources.string() + "/"});
    gameSettings.LANGUAGE = 1;
    ObjTask* opening = create(TSKopening);
    EXPECT_EQ(task->slotMotion(opening->work->motionSlot0)->objectName(), "eng_opening");
    EXPECT_EQ(openingVoiceCues[0], 15);
    EXPECT_EQ(openingVoiceCues[1], 30);  // a key the file lacks keeps its value
    EXPECT_EQ(openingVoiceCues[12], 990);
    OBJtaskReleaseByTag(kBootTestTag);
    pass();
    // Read once a run: a second showing keeps the table.
    openingVoiceCues[12] = 5;
    gameSettings.LANGUAGE = 0;
    EXPECT_EQ(psbCache().count("opening") + psbCache().count("eng_opening"), 0u);  // both released
    cacheMotion("opening", "opening", {"anime_1"}, 400.0f);
    opening = create(TSKopening);
    EXPECT_EQ(task->slotMotion(opening->work->motionSlot0)->objectName(), "opening");
    EXPECT_EQ(openingVoiceCues[12], 5);
}

}  // namespace
