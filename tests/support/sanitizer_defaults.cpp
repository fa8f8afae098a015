// Sanitizer settings built into every test binary, so a test fails the same
// way from CTest and from a shell.

extern "C" {

// The fast unwinder: the slow one deadlocks llvmpipe's shader compiler. The
// test main keeps Mesa's driver loaded so that leak stacks still name it.
const char* __asan_default_options() { return "detect_leaks=1"; }

const char* __ubsan_default_options() { return "print_stacktrace=1:halt_on_error=1"; }

// Allocations that system libraries keep until the process ends.
const char* __lsan_default_suppressions() {
    return "leak:libGLX_mesa.so\n"
           "leak:libEGL_mesa.so\n"
           "leak:swrast_dri.so\n"
           "leak:libLLVM\n"
           "leak:libSDL2\n"
           "leak:libdbus\n"
           "leak:libfontconfig\n"
           "leak:_dl_init\n"
           "leak:_dl_open\n";
}

}
