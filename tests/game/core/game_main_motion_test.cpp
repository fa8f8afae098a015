// The game main update and the motion slots: the speed every slot plays at
// (the act-pass count, 0 while paused or frozen) and the menu frame's two
// slots, opened on the first update over motion files made by our motion
// builder, taken down by the release, and left out when the files are missing.
#include <string>
#include <vector>

#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/motion_wrappers.h"
#include "game/core/psb_cache.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"

namespace {

constexpr uint32_t kRight = 0x8, kButton1 = 0x10, kStart = 0x8000;

class GameMainMotionTest : public MenuFrameSlotsFixture {
protected:
    void TearDown() override {
        SDL2_wheel_MotionSetSpeedAll(1);
        MenuFrameSlotsFixture::TearDown();
    }

    // Both menu-frame motion files in the cache, each with the main menu's labels.
    static void cacheMenuFrameFiles() {
        for (const char* key : {"menuframe", "menuframe_bg"}) {
            psbCache()[key] = motionfixture::load(motionfixture::document(key, "src", {"frame"}, "mainmenu", {"start_a", "loop"})).release();
        }
    }
    // A slot of our own playing the frame's loop.
    int32_t playingSlot() {
        const int32_t slot = SDL2_wheel_MotionCreate(kFrameLayer, "menuframe");
        SDL2_wheel_MotionPlay(slot, 0, "mainmenu", "loop");
        return slot;
    }
    float speedOf(int32_t slot) const { return task->slotMotion(slot)->speed(); }
    int usedSlots() const {
        int used = 0;
        for (uint8_t u : task->motionSlots.used) used += u;
        return used;
    }
    void expectPlacedOn(int32_t slot, int32_t layer) {
        ASSERT_TRUE(task->motionSlots.valid(slot));
        EXPECT_EQ(SDL2_wheel_MotionGetLayer(slot), layer);
        const MMotionNodeState& root = task->slotMotion(slot)->nodes()[0].local;
        EXPECT_EQ(root.x, 112.0f);
        EXPECT_EQ(root.y, 144.0f);
    }
};

struct MotionSpeedCase {
    const char* name;
    int32_t state;  // pauseState
    uint8_t continueScreen;
    uint8_t gameOver;
    int32_t passes;
    float want;
};

TEST_F(GameMainMotionTest, SlotsPlayAtTheActPassCountAndStandWhilePausedOrFrozen) {
    cacheMenuFrameFiles();
    const int32_t slot = playingSlot();
    const MotionSpeedCase cases[] = {
        {"ordinary play", kPauseClosed, 0, 0, 1, 1.0f},
        {"viewer at double speed", kPauseClosed, 0, 0, 2, 2.0f},
        {"viewer at four times", kPauseClosed, 0, 0, 4, 4.0f},
        {"viewer standing still", kPauseClosed, 0, 0, 0, 0.0f},
        {"pause menu shown", kPauseMenuShown, 0, 0, 2, 0.0f},
        {"resume countdown", kPauseCountingDown, 0, 0, 2, 0.0f},
        {"continue screen", kPauseClosed, 1, 0, 2, 0.0f},
        {"game-over scene", kPauseClosed, 0, 1, 4, 0.0f},
    };
    for (const MotionSpeedCase& c : cases) {
        SCOPED_TRACE(c.name);
        pauseState = c.state;
        gamePaused = c.state == kPauseClosed ? 0 : 1;
        pauseCountdown = 100;
        continueScreenActive = c.continueScreen;
        freezeByGameOver = c.gameOver;
        actPassCount = actPassRequest = c.passes;
        SDL2_wheel_MotionSetSpeedAll(7);
        update();
        EXPECT_EQ(task->motionSlots.speedFactor, c.want);
        EXPECT_EQ(speedOf(slot), c.want);
    }
}

// The speed is set after the pause menu's step and before the act-pass count
// takes the request of this update.
TEST_F(GameMainMotionTest, TheSpeedFollowsThisUpdatesPauseAndTheNextUpdatesPassCount) {
    cacheMenuFrameFiles();
    const int32_t slot = playingSlot();
    pauseAllowed = 1;
    update(kStart);
    EXPECT_EQ(pauseState, kPauseMenuShown);
    EXPECT_EQ(speedOf(slot), 0.0f) << "the update that opens the menu already stands";
    update(kButton1);  // RESUME
    EXPECT_EQ(pauseState, kPauseCountingDown);
    pauseCountdown = 0;
    update();
    EXPECT_EQ(pauseState, kPauseClosed);
    EXPECT_EQ(speedOf(slot), 1.0f) << "the update that ends the countdown plays again";

    menuResultCode = 6;
    stageFrame = 11;
    update(kRight);
    EXPECT_EQ(actPassCount, 2);
    EXPECT_EQ(speedOf(slot), 1.0f);
    update();
    EXPECT_EQ(speedOf(slot), 2.0f);
}

TEST_F(GameMainMotionTest, APausedSlotStaysStillAtAnyPassCount) {
    cacheMenuFrameFiles();
    const int32_t paused = playingSlot();
    const int32_t running = playingSlot();
    SDL2_wheel_MotionPause(paused);
    actPassCount = actPassRequest = 2;
    update();
    EXPECT_EQ(speedOf(paused), 0.0f);
    EXPECT_EQ(speedOf(running), 2.0f);
    SDL2_wheel_MotionResume(paused);
    update();
    EXPECT_EQ(speedOf(paused), 2.0f);
}

TEST_F(GameMainMotionTest, TheFirstUpdateOpensTheMenuFrameSlotsOnce) {
    cacheMenuFrameFiles();
    menuFrameGlow[3][4] = 0.5f;
    menuFrameGlowCounter = 9;
    update();
    EXPECT_EQ(menuFrameSlot, 0);
    EXPECT_EQ(menuFrameBgSlot, 1);
    expectPlacedOn(menuFrameSlot, kFrameLayer);
    expectPlacedOn(menuFrameBgSlot, kBackdropLayer);
    EXPECT_FALSE(frameLayer.isEmpty());
    EXPECT_FALSE(backdropLayer.isEmpty());
    EXPECT_EQ(menuFrameGlow[3][4], 0.0f);
    EXPECT_EQ(menuFrameGlowCounter, 0);
    EXPECT_EQ(menuFrameSetUp, kMenuFrameRunning);

    for (int i = 0; i < 5; ++i) update();
    EXPECT_EQ(menuFrameSlot, 0);
    EXPECT_EQ(menuFrameBgSlot, 1);
    EXPECT_EQ(usedSlots(), 2);
}

TEST_F(GameMainMotionTest, TheReleaseTakesBothMenuFrameSlotsDown) {
    cacheMenuFrameFiles();
    update();
    ASSERT_EQ(usedSlots(), 2);
    gameMainRelease();
    EXPECT_EQ(menuFrameSlot, -1);
    EXPECT_EQ(menuFrameBgSlot, -1);
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_TRUE(frameLayer.isEmpty());
    EXPECT_TRUE(backdropLayer.isEmpty());
}

// A slot an object still holds plays a base motion file as the release
// drops the files: the document stays until the slot goes with the rest,
// and then goes too (a leak or a read of freed memory fails the run under
// AddressSanitizer).
TEST_F(GameMainMotionTest, TheReleaseDropsAFileASlotStillPlaysOnlyWithTheSlot) {
    psbCache()["lazer"] = motionfixture::load(motionfixture::document("lazer", "src", {"beam"}, "lazer", {"fire"})).release();
    const int32_t slot = SDL2_wheel_MotionCreate(kFrameLayer, "lazer");
    SDL2_wheel_MotionPlay(slot, 0, "lazer", "fire");
    gameMainRelease();
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_TRUE(task->motionSlots.droppedDocuments.empty());
    EXPECT_TRUE(psbCache().empty());
}

TEST_F(GameMainMotionTest, WithoutTheMotionFilesTheUpdateRunsAndTheSlotsStayClosed) {
    update();
    update();
    EXPECT_EQ(menuFrameSlot, -1);
    EXPECT_EQ(menuFrameBgSlot, -1);
    EXPECT_EQ(usedSlots(), 0);
    EXPECT_EQ(menuFrameSetUp, kMenuFrameRunning);
    const std::vector<std::string> want{"getPSBObject 指定されたファイルが無い menuframe",
                                        "getPSBObject 指定されたファイルが無い menuframe_bg"};
    EXPECT_EQ(folder.logLines(), want) << "looked up once, on the first update";
}

// A slot the frame already holds is kept; only the closed one is opened.
TEST_F(GameMainMotionTest, AnOpenMenuFrameSlotIsNotOpenedAgain) {
    cacheMenuFrameFiles();
    menuFrameSlot = playingSlot();
    ASSERT_EQ(menuFrameSlot, 0);
    update();
    EXPECT_EQ(menuFrameSlot, 0);
    EXPECT_EQ(menuFrameBgSlot, 1);
    EXPECT_EQ(usedSlots(), 2);
    expectPlacedOn(menuFrameBgSlot, kBackdropLayer);
}

}  // namespace
