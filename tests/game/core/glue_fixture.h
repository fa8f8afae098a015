#pragma once
// A fresh platform for one test: a stand-in cabinet of the test's settings
// (no live keyboard or pads, its root in a temporary folder), the platform
// singletons, the keep-alive words and input words reset, and the glue
// started. Frames are stepped with frame().

#include <gtest/gtest.h>

#include "game/core/apm_glue.h"
#include "game/core/app_switches.h"
#include "game/core/coin_hook.h"
#include "game/core/controller_manager.h"
#include "game/core/input_words.h"
#include "game/core/platform_singletons.h"
#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_profile.h"
#include "platform/arcade/cabinet.h"
#include "tests/support/temp_dir.h"

class GlueFixture : public testing::Test {
protected:
    static constexpr uint32_t kFrameMicroseconds = 16667;

    void SetUp() override {
        settings.appRoot = dir.str() + "/root/";
    }
    void TearDown() override {
        if (controller::Manager::getInstance()) SDL2_wheel_APMTerminate();
        arcade::installCabinet(nullptr);
        toolMode = false;
        inputRemapHook = nullptr;
    }

    // Call after adjusting `settings`.
    void start() {
        auto made = std::make_unique<arcade::Cabinet>(settings);
        made->liveControls = false;
        cab = made.get();
        arcade::installCabinet(std::move(made));
        toolMode = false;
        leaveToPlatformTest = 0;
        coinFlag = 0;
        cardProfile = CardProfile{};
        inputRemapHook = nullptr;
        inputWordsReset();
        ModuleFactory::create();
        arcade::AMDaemonManager::create();
        controller::Manager::create();
        _Core_execute();
        keepAliveReset();
        ASSERT_TRUE(SDL2_wheel_APMInitAfterFramework());
    }

    // One frame of the root task's main step: the platform update, then the poll.
    void frame(uint8_t attract = 0) {
        coinFlag = 0;
        SDL2_wheel_APMUpdate(kFrameMicroseconds, attract);
        SDL2_wheel_InputPoll();
    }

    TempDir dir;
    arcade::CabinetSettings settings;
    arcade::Cabinet* cab = nullptr;
};
