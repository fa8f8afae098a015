#pragma once
// The characters' countdown voices: for character 0..5 (the leader type is
// passed) the count voices of events 0..10, the game-over voice (11) and the
// continue voice (12). Called by the continue countdown.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

inline constexpr int kVoiceCharacters = 6;
inline constexpr int kVoiceEvents = 15;  // 13 and 14 have no voice

// The sound id of a character's event; -1 for none or out of range.
int32_t playVoiceId(int32_t character, int32_t event);
// Plays it under the common sound rule; anything out of range is ignored.
void playCharacterVoice(int32_t character, int32_t event);

// Each character's voice-name prefix.
extern const std::array<const char*, kVoiceCharacters> playVoicePrefixes;
