#pragma once
// A game main whose motion cache holds both menu-frame files, made by our
// motion builder with every screen's object and labels of 10 frames, and
// whose first update has opened the frame's two slots (frame 0, background 1).

#include <filesystem>
#include <set>
#include <string>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion.h"
#include "engine/render/camera_2d.h"
#include "game/core/motion_wrappers.h"
#include "game/core/game_random.h"
#include "game/core/psb_cache.h"
#include "game/frontend/menu_frame.h"
#include "game/records/paths.h"
#include "tests/engine/motion/motion_fixture.h"
#include "tests/game/core/game_main_fixture.h"
#include "tests/game/working_folder.h"

class MenuFrameFixture : public GameMainFixture {
protected:
    static constexpr int32_t kFrameLayer = 900;
    static constexpr int32_t kBackdropLayer = 801;

    void SetUp() override {
        GameMainFixture::SetUp();
        M_SPEC = "win";
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        task->resetMotionSlots();
        task->layers[kFrameLayer] = &frameLayer;
        task->layers[kBackdropLayer] = &backdropLayer;
        menuFrameSlot = menuFrameBgSlot = -1;
        menuFrameSetUp = kMenuFrameFirstUpdate;
        menuFrameStartAlt = menuFrameEndAlt = 0;
        gameRandSeed(1234);
    }
    void TearDown() override {
        task->releaseLeftoverMotionSlots();
        task->resetMotionSlots();
        task->layers[kFrameLayer] = nullptr;
        task->layers[kBackdropLayer] = nullptr;
        menuFrameSlot = menuFrameBgSlot = -1;
        CloseMenuFrame();
        for (auto& row : menuFrameGlow) {
            for (float& cell : row) cell = 0.0f;
        }
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        setAppRootFolder("");
        M_SPEC.clear();
        GameMainFixture::TearDown();
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

    WorkingFolder folder;
    M2DCameraLocator frameLayer;
    M2DCameraLocator backdropLayer;
};
