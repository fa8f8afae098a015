#pragma once
// The voice-message lines of each speaker and event, from the generated
// tables: the line count, the first line's subtitle sprite and the voice ids.
//
// Threads: plain functions.

#include <cstdint>

inline constexpr int32_t kVoicePilotEvents = 17;
inline constexpr int32_t kVoiceSpeaker4Events = 20;
inline constexpr int32_t kVoiceLineSlots = 10;

struct VoiceEventLines {
    int32_t count;
    int32_t firstSubtitle;
    const int32_t* voices;  // kVoiceLineSlots ids, 0 past the last line; null for none
};
// Speaker 0..3 (pilots, events 0..16) or 4 (events 0..19); count 0 outside.
VoiceEventLines voiceEventLines(int32_t speaker, int32_t event);
