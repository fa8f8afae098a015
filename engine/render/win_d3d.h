#pragma once
// MWinD3D: the renderer's window onto its drawing device, as an interface of
// 32 virtual operations in a fixed slot order. MWinD3DWin implements it.
//
// Threads: createTexture and createDynamicTexture may be called on loader
// threads; everything else on the main thread.

#include <cstdint>

#include "engine/render/d3d_fit.h"
#include "engine/render/win_d3d_texture.h"
#include "platform/device/device.h"

class MTask;

class MWinD3D {
public:
    virtual void saveRenderTarget() = 0;
    virtual void restoreRenderTarget() = 0;
    virtual void setRenderTargetTexture(MWinD3DTexture* texture) = 0;
    virtual void onMaskLayerSwap() {}
    virtual void enterFullscreen(int32_t width, int32_t height, int32_t refreshRate) = 0;
    virtual void leaveFullscreen() = 0;
    virtual void onVertexShaderCreated(int32_t) {}
    virtual ~MWinD3D() = default;
    virtual void setVertexFormat(int32_t kind) = 0;
    virtual uint32_t nextPowerOfTwo(uint32_t n);
    virtual platform::DeviceStatus present() = 0;
    virtual void setTexture(MWinD3DTexture* texture) = 0;
    virtual bool drawTaskToTarget(MTask* task, MWinD3DTexture* target, bool clear, uint32_t clearColour) = 0;
    virtual bool isInScene() = 0;
    virtual bool clearTexture(MWinD3DTexture* texture, uint32_t colour) = 0;
    virtual bool captureToTexture(MWinD3DTexture* target, MWinD3DTexture* source, const platform::Rect* destination,
                                  const platform::Rect* sourceRect) = 0;
    virtual bool captureToTextureWhole(MWinD3DTexture* target, MWinD3DTexture* source,
                                       const platform::Rect* sourceRect) = 0;
    virtual MWinD3DTexture* createTexture(int32_t width, int32_t height, platform::PixelFormat format,
                                          bool renderTarget, int32_t levels) = 0;
    virtual MWinD3DTexture* createDynamicTexture(int32_t width, int32_t height, platform::PixelFormat format,
                                                 bool fallback) = 0;
    virtual MWinD3DDepthSurface* createDepthStencil(int32_t width, int32_t height, platform::PixelFormat format,
                                                    int32_t multisampleType, int32_t multisampleQuality,
                                                    int32_t discard) = 0;
    virtual bool isTextureBound(MWinD3DTexture* texture) = 0;
    virtual bool optionQueryA() { return true; }
    virtual void optionSetB(int32_t) {}
    virtual bool optionQueryC() { return false; }
    virtual bool optionQueryD() { return false; }
    virtual void getWindowSize(float& width, float& height) = 0;
    virtual void setScreenSize(int32_t width, int32_t height) = 0;
    virtual void createCaptureTexture() = 0;
    virtual void getFitRects(D3DFitRect& destination, D3DFitRect& source) = 0;
    virtual bool optionQueryE() { return false; }
    virtual bool notifyScreenMode(int32_t) { return false; }
    virtual bool createDevice(int32_t fitMode, float resourceWidth, float resourceHeight) = 0;
};
