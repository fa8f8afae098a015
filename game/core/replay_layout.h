#pragma once
// The field tables of the replay files (replay_tables.cpp): the stage file's
// header, the value image of a work record and the summary.

#include <cstddef>
#include <cstdint>

#include "game/records/record_fields.h"

inline constexpr int kReplayHeaderFields = 11;
extern const RecordLayout<kReplayHeaderFields> kReplayHeaderLayout;

inline constexpr size_t kReplayInfoBytes = 40;
inline constexpr int kReplayInfoFields = 8;
extern const RecordLayout<kReplayInfoFields> kReplayInfoLayout;

// One value field of ObjWork in a work image, with the values a file may
// hold: anything outside [low, high] (a NaN included) refuses the file.
enum class ReplayWorkKind : uint8_t { Byte, Int, Float };

struct ReplayWorkField {
    size_t fileOffset;
    ReplayWorkKind kind;
    size_t count;
    size_t memberOffset;  // offsetof the member in ObjWork
    double low, high;
};

inline constexpr int kReplayWorkFields = 42;
extern const ReplayWorkField kReplayWorkFieldTable[kReplayWorkFields];
