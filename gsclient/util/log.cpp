#include "gsclient/util/log.h"

#include <cstdarg>
#include <cstdio>
#include <mutex>
#include <string>

namespace {

constexpr std::size_t kLineBytes = 1024;  // 1023 characters and the terminator
constexpr std::size_t kDumpBytesPerLine = 16;

std::mutex sinkLock;
AbaasLogSink sink;

void emit(std::string_view text) {
    std::lock_guard<std::mutex> lock(sinkLock);
    if (sink) {
        sink(text);
    } else {
        std::fwrite(text.data(), 1, text.size(), stderr);
    }
}

}  // namespace

void abaasLog(const char* function, int line, const char* format, ...) {
    char text[kLineBytes];
    int prefix = std::snprintf(text, sizeof text, "%s: Line%d  ", function, line);
    if (prefix < 0) return;
    std::size_t used = static_cast<std::size_t>(prefix);
    if (used < sizeof text - 1) {
        va_list args;
        va_start(args, format);
        std::vsnprintf(text + used, sizeof text - used, format, args);
        va_end(args);
    }
    emit(text);
}

void abaasLogDump(const char* label, const char* prefix, std::uint32_t offset,
                  const std::uint8_t* bytes, std::size_t count) {
    std::string text = label;
    char cell[32];
    for (std::size_t i = 0; i < count; ++i) {
        if (i % kDumpBytesPerLine == 0) {
            text += prefix;
            std::snprintf(cell, sizeof cell, " %08X ", static_cast<unsigned>(offset + i));
            text += cell;
        }
        std::snprintf(cell, sizeof cell, "%02X ", bytes[i]);
        text += cell;
        if (i % kDumpBytesPerLine == kDumpBytesPerLine - 1 || i + 1 == count) text += '\n';
    }
    emit(text);
}

AbaasLogSink setAbaasLogSink(AbaasLogSink next) {
    std::lock_guard<std::mutex> lock(sinkLock);
    AbaasLogSink previous = std::move(sink);
    sink = std::move(next);
    return previous;
}
