#pragma once
// MWinD3DWin: the renderer's one device window. It chooses how the device is
// made (with fall-backs), keeps the presentation parameters, switches full
// screen, presents with the fit rectangles, survives resets, and owns every
// texture and depth-stencil record of the program through two lists.
//
// Threads: createTexture and createDynamicTexture may run on loader threads;
// the record lists and the video-memory count are guarded by one mutex for
// that reason. Everything else runs on the main thread.

#include <map>
#include <memory>
#include <mutex>
#include <vector>

#include "engine/render/win_d3d.h"

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

    // The shader tables: index b + 2 a of the vertex shaders, and the pixel
    // shaders by index; each made on first use. True when the device's shader changed.
    bool setVertexShader(int32_t a, int32_t b);
    bool setPixelShader(int32_t index);
    void setDefaultRenderStates();

    platform::Device* device() { return device_.get(); }
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
    void applyNeutralDrawState();
    uint32_t clearFlags() const;
    void fillWhiteTexture();
    void releaseAll();

    platform::DeviceFactory& factory_;
    std::unique_ptr<platform::Device> device_;
    platform::PresentParams params_;
    std::vector<platform::DisplayMode> modes_;
    platform::DeviceCaps caps_;
    platform::Surface* backBuffer_ = nullptr;
    platform::Surface* autoDepth_ = nullptr;

    // Stage-0 binding cache and shader tables.
    platform::Texture* boundTexture_ = nullptr;
    platform::PixelFormat boundFormat_ = platform::PixelFormat::A8R8G8B8;
    std::vector<platform::VertexShader*> vertexShaders_;
    std::vector<platform::PixelShader*> pixelShaders_;
    platform::VertexShader* currentVertexShader_ = nullptr;
    platform::PixelShader* currentPixelShader_ = nullptr;
    int32_t vertexShaderIndex_ = -1;
    int32_t vertexShaderA_ = 0;

    MWinD3DTexture* captureTexture_ = nullptr;
    MWinD3DTexture* whiteTexture_ = nullptr;
    MWinD3DTexture* maskTargets_[2] = {nullptr, nullptr};
    int32_t backBufferW_ = 0;
    int32_t backBufferH_ = 0;
    int32_t clientW_ = 0;
    int32_t clientH_ = 0;
    platform::WindowHandle window_;
    float resourceScale_ = 1.0f;
    float resourceAspect_ = 0.0f;
    uint32_t screenClearColour_ = 0xFF000000;
    bool vsyncPaced_ = false;
    bool fullscreen_ = false;

    std::mutex recordsMutex_;  // guards the two lists and the byte count
    std::vector<MWinD3DTexture*> textures_;
    std::vector<MWinD3DDepthSurface*> depthSurfaces_;
    uint32_t videoMemory_ = 0;

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
