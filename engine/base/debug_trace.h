#pragma once
// The engine's one trace routine: a line "file(line): function(): message"
// to the trace sink (standard error unless a test captured it).
//
// Threads: debugTrace may be called from any thread; the sink is called under
// one lock, so lines never interleave.

#include <functional>
#include <string_view>

// ansi: 0 when the message is UTF-8, non-zero when it is in the ANSI code page.
void debugTrace(int ansi, const char* sourcePath, int line, const char* function,
                const char* format, ...) __attribute__((format(printf, 5, 6)));

#define M_DEBUG_TRACE(...) debugTrace(0, __FILE__, __LINE__, __func__, __VA_ARGS__)

// Receives each finished line (UTF-8, ending in a line feed).
using DebugTraceSink = std::function<void(std::string_view line)>;

// Installs a sink and answers the previous one; an empty sink restores
// standard error.
DebugTraceSink setDebugTraceSink(DebugTraceSink sink);
