#include "platform/device/gl/gl_device_factory.h"

#include <SDL.h>

#include "platform/device/gl/gl_device.h"

namespace platform::gl {

int GlDeviceFactory::adapterCount() { return SDL_WasInit(SDL_INIT_VIDEO) ? SDL_GetNumVideoDisplays() : 0; }

bool GlDeviceFactory::capabilities(int adapter, DeviceCaps& out) {
    if (adapter < 0 || adapter >= adapterCount()) return false;
    out.vertexShaderVersion = 0xFFFE0300;
    out.dynamicTextures = true;
    // Images are always uploaded at their stored power-of-two size.
    out.powerOfTwoTexturesOnly = true;
    out.intervalOne = true;
    return true;
}

std::vector<DisplayMode> GlDeviceFactory::displayModes(int adapter) {
    std::vector<DisplayMode> modes;
    const int count = SDL_GetNumDisplayModes(adapter);
    for (int i = 0; i < count; ++i) {
        SDL_DisplayMode mode;
        if (SDL_GetDisplayMode(adapter, i, &mode) != 0 || SDL_BITSPERPIXEL(mode.format) < 24) continue;
        modes.push_back({mode.w, mode.h, mode.refresh_rate, PixelFormat::X8R8G8B8});
    }
    return modes;
}

std::unique_ptr<Device> GlDeviceFactory::createDevice(int adapter, DeviceType, uint32_t, WindowHandle window,
                                                      const PresentParams& params) {
    if (!window || adapter < 0 || adapter >= adapterCount()) return nullptr;
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
    SDL_GLContext context = SDL_GL_CreateContext(window);
    if (!context) return nullptr;
    if (SDL_GL_MakeCurrent(window, context) != 0) {
        SDL_GL_DeleteContext(context);
        return nullptr;
    }
    return std::make_unique<GlDevice>(window, context, params);
}

}  // namespace platform::gl
