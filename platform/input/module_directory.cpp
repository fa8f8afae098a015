#include "platform/input/module_directory.h"

#include <SDL2/SDL_filesystem.h>
#include <SDL2/SDL_stdinc.h>

namespace platform {

std::string moduleDirectory() {
    char* base = SDL_GetBasePath();
    if (!base) return {};
    std::string directory(base);
    SDL_free(base);
    return directory;
}

}  // namespace platform
