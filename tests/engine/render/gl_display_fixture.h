#pragma once
// One display on the OpenGL device for a whole test binary: a hidden 16 x 16
// window, the looper the display hooks into, and the display with its
// Direct3D window. Made by the first test that asks and kept to the end, so
// Mesa stays loaded for the leak check.

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/base/win_app_settings.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "platform/device/gl/gl_device_factory.h"

class GlDisplayTest : public testing::Test {
protected:
    static constexpr int kSize = 16;

    static void SetUpTestSuite() {
        if (display_) return;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = kSize;
        s.windowHeight = s.clientHeight = kSize;
        s.screenWidth = s.screenHeight = kSize;
        s.d3dPureDevice = true;
        SDL_Window* window = SDL_CreateWindow("display", 0, 0, kSize, kSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        static platform::gl::GlDeviceFactory factory;
        looper_ = new MLooper;
        display_ = new MDisplay(factory, window);
        ASSERT_NE(display_->d3dWin()->device(), nullptr);
    }

    static MWinD3DWin& win() { return *display_->d3dWin(); }
    static MDisplay& display() { return *display_; }

private:
    static inline MLooper* looper_ = nullptr;
    static inline MDisplay* display_ = nullptr;
};
