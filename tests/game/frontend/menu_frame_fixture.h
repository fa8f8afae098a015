#pragma once
// A game main whose motion cache holds both menu-frame files, made by our
// motion builder with every screen's object and labels of 10 frames, and
// whose first update has opened the frame's two slots (frame 0, background 1).

#include <set>
#include <string>

#include "engine/motion/motion.h"
#include "game/core/game_random.h"
#include "game/core/motion_wrappers.h"
#include "game/frontend/menu_frame.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/menu_frame_slots_fixture.h"

class MenuFrameFixture : public MenuFrameSlotsFixture {
protected:
    void SetUp() override {
        MenuFrameSlotsFixture::SetUp();
        menuFrameStartAlt = menuFrameEndAlt = 0;
        gameRandSeed(1234);
    }
    void TearDown() override {
        CloseMenuFrame();
        for (auto& row : menuFrameGlow) {
            for (float& cell : row) cell = 0.0f;
        }
        menuFrameGlowCounter = 0;
        MenuFrameSlotsFixture::TearDown();
    }

    // Both files cached, then the first update opens their slots.
    void openSlots() {
        for (const char* key : {"menuframe", "menuframe_bg"}) {
            psbwriter::motion::Document d = motionfixture::document(key, "src", {"frame"}, "mainmenu", {});
            for (const MenuFrameLabels& screen : kMenuFrameLabels) {
                const std::set<std::string> labels = {screen.start[0], screen.start[1], screen.loop, screen.end[0],
                                                      screen.end[1]};
                for (const std::string& label : labels) {
                    d.objects[screen.object].motions[label] = motionfixture::spriteTimeline("src", "frame");
                }
            }
            psbCache()[key] = motionfixture::load(d).release();
        }
        update();
        ASSERT_EQ(menuFrameSlot, 0);
        ASSERT_EQ(menuFrameBgSlot, 1);
    }
    // The slot's current label at its last frame, as the engine's step leaves it.
    void playThrough(int32_t slot) {
        MMotion* motion = task->slotMotion(slot);
        motion->setTime(motion->lastTime());
    }
    std::string objectOn(int32_t slot) const { return task->slotMotion(slot)->objectName(); }
    std::string labelOn(int32_t slot) const { return SDL2_wheel_MotionGetName(slot); }
    bool shown(int32_t slot) const { return task->slotMotion(slot)->nodes()[0].local.shown; }
};
