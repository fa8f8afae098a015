// The main of every test binary: tests run headless, whether CTest or a
// developer starts them.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <cstdlib>

#include "platform/heap/heap.h"

namespace {

// SDL and the GL dispatch unload Mesa when the last context goes, before the
// leak check runs; the allocations Mesa keeps would then be reported from an
// unknown module that no suppression can name. Loading its libraries once
// more, never to be unloaded, keeps their names in the stacks.
void keepMesaLoaded() {
    for (const char* library : {"libEGL.so.1", "libEGL_mesa.so.0", "libGLX_mesa.so.0",
                                "libGLdispatch.so.0", "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
        dlopen(library, RTLD_NOW | RTLD_NODELETE);
    }
}

}  // namespace

int main(int argc, char** argv) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    platform::tuneHeapForRendering();
    keepMesaLoaded();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
