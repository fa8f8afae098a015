#include "engine/data/psb_fatal.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

namespace {

void printAndAbort(const char* message) {
    std::fputs(message, stdout);
    std::fflush(stdout);
    std::abort();
}

std::atomic<PSBFatalHandler> handler{printAndAbort};

}  // namespace

PSBFatalHandler setPSBFatalHandler(PSBFatalHandler next) {
    return handler.exchange(next ? next : printAndAbort);
}

void psbFatal(const char* format, ...) {
    char message[512];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);
    handler.load()(message);
    std::abort();
}

void psbBroken(const char* what) { psbFatal("psb: broken document: %s.\n", what); }
