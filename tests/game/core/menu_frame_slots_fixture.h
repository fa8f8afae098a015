#pragma once
// A fresh game main with the motion slots empty, the menu frame's two draw
// layers (900 and 801) on recording locators, its slots closed and waiting
// for the first update, and an empty application root; the motion files a
// test caches are dropped with the slots.

#include <filesystem>

#include "engine/base/win_app_settings.h"
#include "engine/render/camera_2d.h"
#include "game/core/psb_cache.h"
#include "game/records/paths.h"
#include "tests/game/core/game_main_fixture.h"
#include "tests/game/working_folder.h"

class MenuFrameSlotsFixture : public GameMainFixture {
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
    }
    void TearDown() override {
        task->releaseLeftoverMotionSlots();
        task->resetMotionSlots();
        task->layers[kFrameLayer] = nullptr;
        task->layers[kBackdropLayer] = nullptr;
        menuFrameSlot = menuFrameBgSlot = -1;
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        setAppRootFolder("");
        M_SPEC.clear();
        GameMainFixture::TearDown();
    }

    WorkingFolder folder;
    M2DCameraLocator frameLayer;
    M2DCameraLocator backdropLayer;
};
