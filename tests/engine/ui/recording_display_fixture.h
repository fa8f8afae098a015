#pragma once
// A display over the recording device (1920 x 1080, safe rectangle the
// whole screen) and the looper it hooks into, made afresh for each test.

#include <gtest/gtest.h>

#include <memory>

#include "engine/base/win_app_settings.h"
#include "engine/render/display.h"
#include "engine/task/looper.h"
#include "tests/engine/render/fake_device_factory.h"

class RecordingDisplayTest : public testing::Test {
protected:
    void SetUp() override {
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = 1920;
        s.windowHeight = s.clientHeight = s.screenHeight = 1080;
        s.d3dPureDevice = true;
        looper = std::make_unique<MLooper>();
        display = std::make_unique<MDisplay>(factory, nullptr);
        device = factory.last;
        display->setSafeScreenRatio(1.0f, 1.0f);
        display->onPreLoop();
    }
    void TearDown() override {
        display.reset();
        looper.reset();
    }

    FakeDeviceFactory factory;
    std::unique_ptr<MLooper> looper;
    std::unique_ptr<MDisplay> display;
    platform::RecordingDevice* device = nullptr;
};
