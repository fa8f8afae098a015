#include "engine/base/debug_trace.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

#include "engine/base/text_conv.h"

namespace {

constexpr int kMessageBytes = 2047;
constexpr size_t kLineUnits = 2048;  // including the terminator

std::mutex sinkLock;
DebugTraceSink sink;

const char* baseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p; ++p) {
        if (*p == '/' || *p == '\\') base = p + 1;
    }
    return base;
}

void writeToStandardError(std::string_view line) {
    std::fwrite(line.data(), 1, line.size(), stderr);
}

}  // namespace

void debugTrace(int ansi, const char* sourcePath, int line, const char* function,
                const char* format, ...) {
    char message[kMessageBytes];
    va_list args;
    va_start(args, format);
    std::vsnprintf(message, sizeof message, format, args);
    va_end(args);

    std::u16string wide = ansi ? ansiToWide(message) : utf8ToWide(message);
    if (wide.empty() || wide.back() != u'\n') wide += u'\n';

    std::u16string text = utf8ToWide(baseName(sourcePath));
    text += utf8ToWide("(" + std::to_string(line) + "): ");
    text += utf8ToWide(function);
    text += u"(): ";
    text += wide;
    // The line must fit its buffer; a longer one is cut.
    if (text.size() > kLineUnits - 1) text.resize(kLineUnits - 1);

    const std::string out = wideToUtf8(text);
    std::lock_guard<std::mutex> lock(sinkLock);
    if (sink) {
        sink(out);
    } else {
        writeToStandardError(out);
    }
}

DebugTraceSink setDebugTraceSink(DebugTraceSink next) {
    std::lock_guard<std::mutex> lock(sinkLock);
    DebugTraceSink previous = std::move(sink);
    sink = std::move(next);
    return previous;
}
