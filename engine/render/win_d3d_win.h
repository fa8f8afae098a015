#pragma once
// MWinD3DWin: the renderer's one device window. It chooses how the device is
// made (with fall-backs), keeps the presentation parameters, switches full
// screen, presents with the fit rectangles, survives resets, and owns every
// texture and depth-stencil record of the program through two lists.
//
// Threads: the thread that constructs the window is its main thread.
// createTexture, createDynamicTexture and releaseTexture may run on loader
// threads; the record lists and the video-memory count are guarded by one
// mutex for that reason. A record released on a loader thread leaves the
// lists at once, and the main thread unbinds and frees it at its next
// outermost drawTaskToTarget or present. Everything else runs on the main
// thread.

#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <span>
#include <thread>
#include <vector>

#include "engine/render/d3d_draw_state.h"
#include "engine/render/d3d_vertex.h"
#include "engine/render/display_view.h"
#include "engine/render/draw_mode.h"
#include "engine/render/quad_batch.h"
#include "engine/render/win_d3d.h"

// A draw state play will meet, for MWinD3DWin::warmDrawStates: the texture
// (its format, size, filters and address modes count; nullptr for a solid
// fill, which counts the texture of the state before it), the draw mode and
// the colour mode.
struct MDrawWarmState {
    MWinD3DTexture* texture = nullptr;
    MDrawMode mode = 0;
    int32_t colourMode = 0;
};

class MWinD3DWin : public MWinD3D {
public:
    using DeviceEventFn = void (*)(int32_t code, void* argument);

    // width x height: the back buffer; 0 x 0 for a window takes its client size.
    MWinD3DWin(platform::DeviceFactory& factory, platform::WindowHandle window, bool fullscreen, int32_t width,
               int32_t height);
    ~MWinD3DWin() override;

    bool initialize();
    bool resetDevice();
    bool blitTexture(platform::Surface* target, MWinD3DTexture* source, const platform::Rect* destination,
                     const platform::Rect* sourceRect);
    bool releaseTexture(MWinD3DTexture* record);
    bool releaseDepthStencil(MWinD3DDepthSurface* record);
    void notifyDeviceEvent(int32_t code);
    void addDeviceEventListener(int32_t key, DeviceEventFn fn, void* argument);
    void removeDeviceEventListener(int32_t key);

    // Draw state. The shader tables: index b + 2 a of the vertex shaders, and
    // the pixel shaders by index; each made on first use. True when the
    // device's shader changed.
    bool setVertexShader(int32_t a, int32_t b);
    bool setPixelShader(int32_t index);
    // Builds up to count of the programs play draws with that are not built
    // yet (the copy to the screen, the solid fill and hatch, the pattern
    // dissolve, the whole ordinary table), so that no frame's draw waits for
    // one, and once all are built warms up to kWarmUpsPerCall of the queued
    // draw states (see queueDrawWarmUp); answers how many programs and
    // states are left. Shaders not prepared this way are still built at
    // their first use. The game calls it each frame, so the window's start
    // does not wait for any of this and what loads later is warmed as it
    // comes.
    int32_t prepareShaders(int32_t count);
    // Draws each state once, with no area, into target (nullptr: the
    // screen's, the capture texture or else the back buffer), so that a
    // software rasteriser generates its machine code for the state now and
    // not at play's first draw with it. The target must be the one play
    // draws the states into: its format and depth surface count, as do the
    // vertex shader of ordinary draws and, for an effect mode, the picture
    // it grabs. For a loader step, outside any frame's draw; leaves every
    // pixel as it was.
    void warmDrawStates(MWinD3DTexture* target, const MDrawWarmState* states, int32_t count);
    // Queues the states a texture will be drawn in, for prepareShaders to
    // warm into every warm target: each mode in colour mode 0, then mode 0
    // and a solid fill (which draws with the texture left on stage 0). Only
    // what the rasteriser's code depends on is kept (format, power-of-two
    // sides, levels, filters, address modes): textures alike are warmed
    // once, with a small stand-in, so the texture may go before its turn.
    // Any thread (loaders call it as textures are made).
    void queueDrawWarmUp(const MWinD3DTexture& texture, std::span<const MDrawMode> modes);
    // The targets queued states are warmed into besides the screen's, with
    // the depth surface drawn with there (nullptr: the device's own).
    void addWarmTarget(MWinD3DTexture* target, MWinD3DDepthSurface* depth);
    void removeWarmTarget(const MWinD3DTexture* target);
    static constexpr int32_t kWarmUpsPerCall = 2;
    // Selectors 0 point, 1..5 linear; others leave the filter as it is.
    void setTextureFilter(int32_t minSelector, int32_t magSelector, int32_t stage);
    void setDrawState(MDrawMode mode, int32_t colourMode, uint32_t colour, float parameter);
    // Copies the picture under an effect draw into the destination texture
    // on sampler 2; true for an effect mode with a non-empty region.
    bool grabDestination(MDrawMode mode, float parameter);
    void resetRenderStates();
    void setDefaultRenderStates();
    void beginMaskComposite(uint32_t reference);
    void nextMaskLayer(uint32_t reference);
    // The next mask cuts out: stencil mode counts down where the stencil
    // holds reference; render-target mode clears what it covers from the mask.
    void subtractMaskLayer(uint32_t reference);
    // After the last mask: what is drawn next shows only where every additive
    // mask covered and no subtractive one did (reference: the stencil value
    // of such pixels).
    void finishMaskComposite(uint32_t reference);
    // Drawing goes back to unmasked.
    void endMaskComposite();
    // Written by the motion renderer: the bounds of its next effect draw and
    // the mask-composite mode, flags and alpha remap.
    D3DDrawRegion& drawRegion() { return drawRegion_; }
    D3DMaskComposite& maskComposite() { return mask_; }
    MWinD3DTexture* destinationTexture() { return destination_; }
    void setDisplayView(MDisplayView* view) { view_ = view ? view : &screenView_; }
    // The texture untextured primitives are hatched with, anchored at (x, y).
    void setHatch(MWinD3DTexture* texture, float x, float y);
    // The texture, colour mode and colour of the next drawTexturedStrip.
    void setStripSource(MWinD3DTexture* texture, int32_t colourMode, uint32_t colour);

    // Draw primitives: one draw each, positions shifted by the pixel offset.
    void drawQuadBatch(const MQuadBatch& batch, uint32_t colour);
    // Four vertices; their positions are shifted and u, v set to 0 in place.
    void drawColorQuad(D3DColouredVertex* vertices);
    void drawColorStrip(const D3DColouredVertex* vertices, int32_t count);
    // Four vertices; shifted and z set to 0 in place.
    void drawTexturedQuad(D3DColouredVertex* vertices, MWinD3DTexture* texture, MDrawMode mode, float parameter,
                          int32_t colourMode, uint32_t colour);
    // triangles + 2 vertices; the positions come back as given, z 0.
    void drawTexturedStrip(D3DColouredVertex* vertices, int32_t triangles, MDrawMode mode, float parameter);
    // Four vertices, dissolved by the pattern; shifted and z set to 0 in place.
    void drawTexturedMesh(D3DTwoTextureVertex* vertices, MWinD3DTexture* texture, MWinD3DTexture* pattern);
    void applySolidShader();

    platform::Device* device() { return device_.get(); }
    const platform::DeviceCaps& capabilities() const { return caps_; }
    uint32_t videoMemoryBytes();
    bool isVsyncPaced() const { return vsyncPaced_; }
    bool isFullscreen() const { return fullscreen_; }
    int32_t backBufferWidth() const { return backBufferW_; }
    int32_t backBufferHeight() const { return backBufferH_; }
    float resourceScale() const { return resourceScale_; }
    float resourceAspect() const { return resourceAspect_; }
    float pixelOffsetX() const { return pixelOffsetX_; }
    float pixelOffsetY() const { return pixelOffsetY_; }
    void setPixelOffset(float x, float y) { pixelOffsetX_ = x; pixelOffsetY_ = y; }
    MWinD3DTexture* captureTexture() { return captureTexture_; }
    // What a frame's screen is cleared to before its tree draws.
    uint32_t screenClearColour() const { return screenClearColour_; }
    MWinD3DTexture* whiteTexture() { return whiteTexture_; }
    std::vector<MWinD3DTexture*> textures();
    std::vector<MWinD3DDepthSurface*> depthSurfaces();

    void saveRenderTarget() override;
    void restoreRenderTarget() override;
    void setRenderTargetTexture(MWinD3DTexture* texture) override;
    void enterFullscreen(int32_t width, int32_t height, int32_t refreshRate) override;
    void leaveFullscreen() override;
    void setVertexFormat(int32_t kind) override;
    platform::DeviceStatus present() override;
    void setTexture(MWinD3DTexture* texture) override;
    bool drawTaskToTarget(MTask* task, MWinD3DTexture* target, bool clear, uint32_t clearColour) override;
    bool isInScene() override { return inScene_; }
    bool clearTexture(MWinD3DTexture* texture, uint32_t colour) override;
    bool captureToTexture(MWinD3DTexture* target, MWinD3DTexture* source, const platform::Rect* destination,
                          const platform::Rect* sourceRect) override;
    bool captureToTextureWhole(MWinD3DTexture* target, MWinD3DTexture* source,
                               const platform::Rect* sourceRect) override;
    MWinD3DTexture* createTexture(int32_t width, int32_t height, platform::PixelFormat format, bool renderTarget,
                                  int32_t levels) override;
    MWinD3DTexture* createDynamicTexture(int32_t width, int32_t height, platform::PixelFormat format,
                                         bool fallback) override;
    MWinD3DDepthSurface* createDepthStencil(int32_t width, int32_t height, platform::PixelFormat format,
                                            int32_t multisampleType, int32_t multisampleQuality,
                                            int32_t discard) override;
    bool isTextureBound(MWinD3DTexture* texture) override;
    void getWindowSize(float& width, float& height) override;
    void setScreenSize(int32_t width, int32_t height) override;
    void createCaptureTexture() override;
    void getFitRects(D3DFitRect& destination, D3DFitRect& source) override;
    bool createDevice(int32_t fitMode, float resourceWidth, float resourceHeight) override;

private:
    struct Listener {
        DeviceEventFn fn;
        void* argument;
    };

    void computeFit();
    void updateVsyncPaced();
    void createDefaultTargets();
    void releaseDefaultTargets();
    void publishScaling();
    // Drops the window's own pointers to a record about to be freed.
    void forgetRecord(const MWinD3DTexture* record);
    // Unbinds, forgets and frees a record already out of the list.
    void dropRecord(MWinD3DTexture* record);
    void collectReleasedRecords();
    void applyBlendRow(const D3DBlendRow& row);
    // setDrawState, drawing with the given pixel shader (-1: the mode's own)
    // unless the mode is an effect.
    void applyDrawState(MDrawMode mode, int32_t colourMode, uint32_t colour, float parameter, int32_t pixelShader);
    int32_t solidPixelShader() const;
    void bindDestination(float viewW, float viewH, const platform::Rect& region);
    void copyToDestination(const platform::Rect& region);
    void setEffectConstant(MDrawMode mode, float parameter);
    void applySampler(int stage, int32_t minSelector, int32_t magSelector, int32_t addressU, int32_t addressV);
    void restoreStage0(const D3DStageCache& kept);
    void makeMaskLayerTarget(MWinD3DTexture* target);
    void shiftPositions(D3DColouredVertex* vertices, int32_t count, float sign);
    uint32_t clearFlags() const;
    void fillWhiteTexture();
    // Calls the platform only when the visibility differs from the last set.
    void setCursorShown(bool shown);
    void restoreWindowFrame();
    // What of a queued draw state the rasteriser's code depends on.
    struct WarmClass {
        platform::PixelFormat format;
        bool powerOfTwoWidth, powerOfTwoHeight, mipmapped;
        int32_t minFilter, magFilter, addressU, addressV;
        MDrawMode mode;
        auto operator<=>(const WarmClass&) const = default;
    };
    struct WarmTarget {
        MWinD3DTexture* texture;
        MWinD3DDepthSurface* depth;
    };
    // Warms the next queued class into the screen's and every warm target;
    // false when none is left.
    bool warmNextQueued();
    void warmInto(platform::Surface* target, const MDrawWarmState* states, int32_t count);
    platform::VertexShader* vertexShaderAt(int32_t index);
    platform::PixelShader* pixelShaderAt(int32_t index);
    void releaseAll();

    platform::DeviceFactory& factory_;
    std::unique_ptr<platform::Device> device_;
    platform::PresentParams params_;
    std::vector<platform::DisplayMode> modes_;
    platform::DeviceCaps caps_;
    platform::Surface* backBuffer_ = nullptr;
    platform::Surface* autoDepth_ = nullptr;

    // Stage-0 binding cache and shader tables.
    D3DStageCache stage0_;
    std::vector<platform::VertexShader*> vertexShaders_;
    std::vector<platform::PixelShader*> pixelShaders_;
    platform::VertexShader* currentVertexShader_ = nullptr;
    platform::PixelShader* currentPixelShader_ = nullptr;
    int32_t vertexShaderIndex_ = -1;
    int32_t preparedShaders_ = 0;  // of the list prepareShaders walks
    int32_t vertexShaderA_ = 0;
    // The blend row (or kEffectRow) and colour last set; kNoMode after
    // blending was changed behind setDrawState's back.
    static constexpr uint32_t kNoMode = 0xFFFFFFFF;
    static constexpr uint32_t kEffectRow = 0xFFFFFFFE;
    uint32_t lastMode_ = kNoMode;
    uint32_t lastColour_ = 0;
    MWinD3DTexture* destination_ = nullptr;
    D3DDrawRegion drawRegion_;
    D3DMaskComposite mask_;
    MScreenDisplayView screenView_;
    MDisplayView* view_ = &screenView_;
    MWinD3DTexture* hatch_ = nullptr;
    float hatchX_ = 0.0f;
    float hatchY_ = 0.0f;
    MWinD3DTexture* stripTexture_ = nullptr;
    int32_t stripColourMode_ = 0;
    uint32_t stripColour_ = 0;

    MWinD3DTexture* captureTexture_ = nullptr;
    MWinD3DTexture* whiteTexture_ = nullptr;
    int32_t backBufferW_ = 0;
    int32_t backBufferH_ = 0;
    int32_t clientW_ = 0;
    int32_t clientH_ = 0;
    platform::WindowHandle window_;
    std::thread::id mainThread_;
    float resourceScale_ = 1.0f;
    float resourceAspect_ = 0.0f;
    uint32_t screenClearColour_ = 0xFF000000;
    bool vsyncPaced_ = false;
    bool fullscreen_ = false;
    int8_t cursorShown_ = -1;  // the visibility last set; -1 none yet

    std::mutex recordsMutex_;  // guards the two lists and the byte count
    std::vector<MWinD3DTexture*> textures_;
    std::vector<MWinD3DDepthSurface*> depthSurfaces_;
    std::vector<MWinD3DTexture*> released_;  // by loader threads, for the main thread
    uint32_t videoMemory_ = 0;

    std::mutex warmMutex_;  // guards the warm queue, which loaders add to
    std::set<WarmClass> warmQueued_;  // every class ever queued
    std::vector<WarmClass> warmQueue_;
    size_t warmNext_ = 0;
    std::vector<WarmTarget> warmTargets_;  // main thread only

    std::map<int32_t, Listener> listeners_;
    bool captureTarget_ = false;
    bool inScene_ = false;
    float pixelOffsetX_ = -0.5f;
    float pixelOffsetY_ = 0.5f;
    bool presentFit_ = false;
    D3DPresentFit presentRects_;
    D3DFitRects fitRects_;
    platform::Surface* keptTarget_ = nullptr;
};
