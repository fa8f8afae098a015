#pragma once
// A game main for the front end's scenes: the motion slots empty, the scene
// layers 800 and 801 and the menu frame's 900 on recording locators, a
// stand-in cabinet, and a pass that acts and draws group 13 with the input
// words the test gives, steps the menu frame and flushes the draw store.

#include <string>
#include <vector>

#include "engine/motion/motion.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_frame.h"
#include "game/records/card_profile.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"

class SceneTaskFixture : public MenuFrameSlotsFixture {
protected:
    static constexpr int32_t kSceneLayer = 800;

    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        task->layers[kSceneLayer] = &sceneLayer;
        task->boot.reset();
        cardProfile = CardProfile{};
        CloseMenuFrame();
    }
    void TearDown() override {
        OBJtaskReleaseAll(nullptr);
        task->releaseLeftoverMotionSlots();
        task->layers[kSceneLayer] = nullptr;
        task->boot.reset();
        cardProfile = CardProfile{};
        MenuFrameSlotsFixture::TearDown();
    }

    // The motion file of the key cached with one object playing the labels,
    // each lastTime frames long.
    static void cacheMotion(const std::string& key, const std::string& object, const std::vector<std::string>& labels,
                            float lastTime) {
        namespace mb = psbwriter::motion;
        mb::Document d = motionfixture::document(key, "src", {"frame"}, object, {});
        for (const std::string& label : labels) {
            mb::Timeline timeline = motionfixture::spriteTimeline("src", "frame");
            timeline.lastTime = lastTime;
            timeline.layers[0].frames.back().time = lastTime;
            d.objects[object].motions[label] = timeline;
        }
        psbCache()[key] = motionfixture::load(d).release();
    }

    // One act pass over group 13 with the draws, the menu frame's step and
    // the flush; the input words are this frame's.
    void pass(uint32_t pressed = 0) {
        padPressed = pressed;
        padRawPressed = pressed;
        OBJdrawRequestsClear();
        OBJtaskWalk(13, [](ObjTask* t) {
            if (t->act) t->act(t);
            if ((t->flags & kObjTaskLive) && t->work && t->work->draw && t->work->visible) t->work->draw(t, t->work);
        });
        menuFrameUpdate();
        OBJdrawSortLayers();
        OBJdrawFlush();
        padPressed = padRawPressed = 0;
    }
    void passes(int n) {
        for (int i = 0; i < n; ++i) pass();
    }

    // The scene's slot at that frame of its label, as the engine's step leaves it.
    void setMotionFrame(int32_t slot, float frame) { task->slotMotion(slot)->setTime(frame); }
    static bool played(int id) { return soundLayerState().soundGuard[size_t(id)] >= 1; }

    M2DCameraLocator sceneLayer;
};
