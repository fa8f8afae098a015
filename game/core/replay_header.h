#pragma once
// The header of a stage replay file: what a stage needs to start exactly as
// it did when it was recorded (seed, mode, the fighter choices, the settings,
// the fighter's and gun units' records) and the capacity of the input that
// follows it. On disk it is 27640 bytes, little-endian, written and read
// field by field through the tables in replay_tables.cpp.
//
// The work records are kept as images of their value fields only: a pointer,
// a reference to another object, an owned array or an owned motion slot means
// nothing in another run, so none is stored and restoring an image keeps the
// live record's own links.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

#include "game/records/settings_file.h"

struct ObjWork;

inline constexpr size_t kReplayHeaderBytes = 27640;
inline constexpr size_t kReplayWorkImageBytes = 2472;
// The fighter, the first gun unit and the second gun unit.
inline constexpr int kReplayWorkImages = 3;

using ReplayWorkImage = std::array<uint8_t, kReplayWorkImageBytes>;

struct ReplayHeader {
    uint32_t seed = 0;
    int32_t startStage = 0;  // 0..5
    // The game mode 0..3, or 3 + stage (4..8) for a score-attack play.
    int32_t category = 0;
    int32_t leaderType = 0;  // 0..3
    int32_t assist = 0;      // 0 or 1
    int32_t dramatic = 0;    // 0 or 1
    GameSettings settings{};
    std::array<ReplayWorkImage, kReplayWorkImages> works{};
    uint32_t capacity = 0;  // words of the input array
};

// The header as the file holds it; reserved words are 0.
void replayHeaderEncode(const ReplayHeader& header, uint8_t* out);
// False, with header untouched, when a field is out of range.
bool replayHeaderDecode(const uint8_t* in, ReplayHeader& header);

// The value fields of a record into an image, and back: only the value
// fields of the record change.
void replayWorkStore(const ObjWork& work, ReplayWorkImage& image);
void replayWorkRestore(const ReplayWorkImage& image, ObjWork& work);
// False when a field of the image is out of range.
bool replayWorkImageValid(const ReplayWorkImage& image);
