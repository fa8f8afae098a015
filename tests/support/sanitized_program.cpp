// Built into the programs that tests start (the game's `halvir`), in
// sanitizer builds only, beside sanitizer_defaults.cpp: as the test main
// does, Mesa's libraries are loaded once more, never to be unloaded, so the
// allocations Mesa keeps until the end are named in the leak check's stacks
// and its suppressions apply.
#include <dlfcn.h>

#include <initializer_list>

namespace {

struct KeepMesaLoaded {
    KeepMesaLoaded() {
        for (const char* library : {"libEGL.so.1", "libEGL_mesa.so.0", "libGLX_mesa.so.0", "libGLdispatch.so.0",
                                    "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
            dlopen(library, RTLD_NOW | RTLD_NODELETE);
        }
    }
};
const KeepMesaLoaded keepMesaLoaded;

}  // namespace
