#pragma once
// MVirtualScreenDriver: draws a task tree into an off-screen target of a
// fixed virtual size every frame (the game's 224 x 288 portrait picture);
// the MVirtualScreenViews listed with it place that picture on the screen.
// While its tree draws, the display's view, screen size, viewport, scissor
// and camera are those of the virtual screen; afterwards they are restored.
//
// The driver owns its child tree, its target texture and, when the device
// uses depth and the virtual screen is larger than the screen, a depth
// surface of its own. Views are not owned: a view adds itself at
// construction and removes itself when destroyed, and a driver destroyed
// first clears the driver pointer of every view still listed.
//
// Threads: main thread only.

#include <cstdint>
#include <vector>

#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "engine/render/win_d3d_texture.h"
#include "engine/task/task.h"

class MVirtualScreenView;

class MVirtualScreenDriver : public MTask {
public:
    // Takes the child task; needs the display's window for its target.
    MVirtualScreenDriver(MTask* child, int32_t width, int32_t height);
    ~MVirtualScreenDriver() override;
    MVirtualScreenDriver(const MVirtualScreenDriver&) = delete;
    MVirtualScreenDriver& operator=(const MVirtualScreenDriver&) = delete;

    // Runs the child task.
    void update() override;
    // Draws the child into the target unless it is finished.
    void draw(int pass) override;

    // MWinD3DWin::warmDrawStates into the target, with the depth surface
    // the tree draws with: for a loader step before play.
    void warmDrawStates(const MDrawWarmState* states, int32_t count);

    int32_t getWidth() const { return width_; }
    int32_t getHeight() const { return height_; }
    MTask* getChild() const { return child_; }
    MWinD3DTexture* getTarget() const { return target_; }
    MWinD3DDepthSurface* getDepthSurface() const { return depth_; }
    // Clear the target before every draw, or before the next draw only.
    void setClearEveryFrame(bool clear) { clearEveryFrame_ = clear; }
    void setClearNextFrame(bool clear) { clearNextFrame_ = clear; }
    // Channels 0..255 (the low byte of each is used).
    void setClearColour(int32_t red, int32_t green, int32_t blue, int32_t alpha);

    // For MVirtualScreenView only.
    void addView(MVirtualScreenView* view);
    void removeView(MVirtualScreenView* view);

private:
    struct SavedDisplay {
        MRectF extents;
        float screenWidth = 0.0f;
        float screenHeight = 0.0f;
        MRectF scissor;
        int32_t screenMode = 0;
    };

    void enterVirtualScreen(MDisplay& display, SavedDisplay& saved);
    void leaveVirtualScreen(MDisplay& display, const SavedDisplay& saved);
    uint32_t clearColourArgb() const;

    MTask* child_;
    int32_t width_;
    int32_t height_;
    bool clearEveryFrame_ = true;
    bool clearNextFrame_ = true;
    MWinD3DTexture* target_ = nullptr;
    MWinD3DDepthSurface* depth_ = nullptr;
    std::vector<MVirtualScreenView*> views_;
    int32_t clearRed_ = 0;
    int32_t clearGreen_ = 0;
    int32_t clearBlue_ = 0;
    int32_t clearAlpha_ = 0;
};
