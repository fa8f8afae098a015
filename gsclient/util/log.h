#pragma once
// The client's one log function: "function: LineN  message", cut at 1023
// characters, to standard error (or to a sink a test installed). Call sites
// test their object's log level first (ABAAS_LOG_ERROR does).
//
// Threads: any thread may log; the sink is called under one lock.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string_view>

void abaasLog(const char* function, int line, const char* format, ...)
    __attribute__((format(printf, 3, 4)));

// The label, then the bytes 16 to a line, each line "prefix offset " and the
// bytes in hex, the offset counting on from the given start.
void abaasLogDump(const char* label, const char* prefix, std::uint32_t offset,
                  const std::uint8_t* bytes, std::size_t count);

// Receives each finished text; an empty sink restores standard error.
using AbaasLogSink = std::function<void(std::string_view text)>;
AbaasLogSink setAbaasLogSink(AbaasLogSink sink);

// An error line of `object` (a util::Base), written only at level 1 or more.
#define ABAAS_LOG_ERROR(object, function, ...)                         \
    do {                                                               \
        if ((object).logLevel() >= 1) abaasLog(function, __LINE__, __VA_ARGS__); \
    } while (0)
