#pragma once
// MDisplay: the process's one display. It owns the Direct3D window, knows the
// screen size, keeps the 2D transform stack every drawing routine draws
// under and turns its top into the vertex-shader matrix, and owns the scissor
// rectangle and the viewport. As a pre-loop hook it prepares every frame (the
// stack starts each frame as one identity matrix) and counts frames per
// second; its post-loop hook does nothing.
//
// The 2D world has x to the right and y downwards; with the camera at (0, 0),
// scale 1 and angle 0 the world's origin is the screen's centre and one unit
// is one pixel.
//
// It hands the Direct3D window its view (the draw state reads the view size,
// viewport and projectRect through it) and installs on the shell what the
// window needs of it: the loop's frame
// device (present, device lost, vsync pacing), the handler of client-size
// changes and the window-to-screen fit mapping; it removes them again when
// destroyed.
//
// Threads: main thread only (construction at start-up, the pre-loop hook and
// the draw phase).

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/render/display_draw_view.h"
#include "engine/render/display_frame_device.h"
#include "engine/render/frame_rate_meter.h"
#include "engine/render/matrix34.h"
#include "engine/render/matrix44.h"
#include "engine/task/looper_hook.h"
#include "platform/device/device.h"

class MWinD3DWin;

struct MRectF {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
    bool operator==(const MRectF&) const = default;
};

class MDisplay : public MLooperPreLoopHook, public MLooperPostLoopHook {
public:
    // Needs a live looper. Creates the Direct3D window on window with the
    // settings' full-screen flag and client size, and initialises it; when
    // that fails the display stands without a device and draws nothing.
    MDisplay(platform::DeviceFactory& factory, platform::WindowHandle window);
    ~MDisplay() override;
    MDisplay(const MDisplay&) = delete;
    MDisplay& operator=(const MDisplay&) = delete;

    // The display, or null before its constructor ends and after its destructor.
    static MDisplay* getInstance();

    void preLoopHook() override { onPreLoop(); }
    void postLoopHook() override {}
    // Restarts the application's stopwatch, counts the frame, resets the
    // transform stack to one identity matrix and the projection with it.
    void onPreLoop();

    // Makes the device matrix, the kept projection, view and world matrices
    // and the primitives' pixel offset from a top-of-stack matrix.
    void updateProjection(const MMatrix34& top);
    // Replaces the top of the stack with the camera at (x, y), zoomed by
    // scale and turned by angleDegrees; nothing without a display.
    static void setCamera(float x, float y, float scale, float angleDegrees);
    // The screen-pixel bounding box of a world rectangle at z 0, through the
    // kept matrices and the whole screen's viewport.
    static void projectRect(MRectF& out, float left, float top, float right, float bottom);

    // The whole screen turns the scissor test off; any other rectangle is
    // rounded half away from zero and turns it on.
    void setScissorRect(float left, float top, float right, float bottom);
    void setViewport(float x, float y, float width, float height);
    // Screen size from SCREEN_W x SCREEN_H; the view extents and the safe
    // rectangle follow.
    void updateScreenSize();
    // Modes -1 and 0 (one area, the whole screen) are the only ones; other
    // modes change nothing. With one area there is nothing to select, and
    // the area is the whole screen.
    void setScreenMode(int32_t mode);
    void selectScreenArea(int32_t) {}
    void getScreenArea(MRectF& out) const;

    // The transform stack; every push is matched by a pop in the same draw.
    void pushTransform(const MMatrix34& m) { stack_.push_back(m); }
    void popTransform();
    // The top; an empty stack first takes an identity matrix.
    MMatrix34& topTransform();
    size_t transformDepth() const { return stack_.size(); }

    // The safe rectangle is the view extents scaled by the ratios; start-up
    // and the virtual screen recompute it after changing either.
    void setSafeScreenRatio(float x, float y);
    void updateSafeRect();

    float screenWidth() const { return screenW_; }
    float screenHeight() const { return screenH_; }
    void setScreenSize(float width, float height) { screenW_ = width; screenH_ = height; }  // the virtual screen
    const MRectF& viewExtents() const { return extents_; }
    const MRectF& safeRect() const { return safeRect_; }
    void setViewExtents(const MRectF& extents) { extents_ = extents; }
    const MRectF& scissorRect() const { return scissor_; }
    const MRectF& viewportRect() const { return viewport_; }
    int32_t screenMode() const { return screenMode_; }
    MWinD3DWin* d3dWin() const { return win_.get(); }
    const MMatrix44& projection() const { return projection_; }
    const MMatrix44& view() const { return view_; }
    const MMatrix44& world() const { return world_; }

    // Frames counted in the last whole second; 0 without a display.
    static int32_t getFramesPerSecond();

private:
    platform::Device* device() const;

    std::vector<MMatrix34> stack_;
    MRectF extents_;
    MRectF safeRect_;
    float safeRatioX_ = 1.0f;
    float safeRatioY_ = 1.0f;
    float screenW_ = 0.0f;
    float screenH_ = 0.0f;
    MRectF scissor_;
    std::unique_ptr<MWinD3DWin> win_;
    MRectF viewport_;
    int32_t screenMode_ = 0;

    MFrameRateMeter frameRate_;
    MMatrix44 projection_ = MMatrix44::identity();
    MMatrix44 view_ = MMatrix44::identity();
    MMatrix44 world_ = MMatrix44::identity();
    std::unique_ptr<MDisplayFrameDevice> frameDevice_;
    MDisplayDrawView drawView_{*this};
};
