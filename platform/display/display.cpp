#include "platform/display/display.h"

#include <SDL.h>

namespace platform {

namespace {

// What a desktop assumes when its screen reports nothing.
constexpr float kFallbackDpi = 96.0f;

}  // namespace

DisplayDpi displayDpi() {
    DisplayDpi dpi{kFallbackDpi, kFallbackDpi};
    // The settings are read before the window is made, so the video subsystem
    // may not be up yet; the reference taken here is given back at once.
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        return dpi;
    }
    float horizontal = 0.0f;
    float vertical = 0.0f;
    if (SDL_GetDisplayDPI(0, nullptr, &horizontal, &vertical) == 0 && horizontal > 0.0f &&
        vertical > 0.0f) {
        dpi = {horizontal, vertical};
    }
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    return dpi;
}

}  // namespace platform
