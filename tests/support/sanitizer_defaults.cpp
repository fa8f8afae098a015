// Sanitizer settings built into every test binary, so a test fails the same
// way from CTest and from a shell.

extern "C" {

// Mesa's drivers are unloaded before the leak check runs: only the slow
// unwinder records stacks deep enough for the suppressions below to match.
const char* __asan_default_options() { return "detect_leaks=1:fast_unwind_on_malloc=0"; }

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
