#pragma once
// The voice messages of the play screen ("voice/messages.txt"): for each
// speaker (the four pilots, then the announcer) and event, the voice of each
// line. Every line has a subtitle picture; the pictures take consecutive
// sprite ids in message order (pilot 0 event 0 line 0 first). The sprites
// module draws them and writes the tables the game's voice messages read
// (generated/voice_message_tables.h).
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/sound_names.h"

namespace content {

inline constexpr int32_t kVoiceMessagePilots = 4;
inline constexpr int32_t kVoiceMessagePilotEvents = 17;
inline constexpr int32_t kVoiceMessageAnnouncerEvents = 20;
inline constexpr int32_t kVoiceMessageSlots = 10;  // voice ids an event holds

struct VoiceMessageLine {
    std::string voice;  // a voice name of sound/sounds.csv
    int32_t soundId = 0;
};

// One speaker's events, each its lines in order.
using VoiceMessageEvents = std::vector<std::vector<VoiceMessageLine>>;

struct VoiceMessages {
    std::array<VoiceMessageEvents, kVoiceMessagePilots> pilots;
    VoiceMessageEvents announcer;

    // Every line in subtitle order.
    std::vector<const VoiceMessageLine*> lines() const;
};

// The lines each event must have.
int32_t pilotMessageLines(int32_t event);
int32_t announcerMessageLines(int32_t event);

// Throws ContentError naming the file and line: an unknown speaker, voice or
// event, an event given twice or missing, a wrong number of lines.
VoiceMessages readVoiceMessages(const ContentContext& context);
// The same from text, for tests; names are resolved against the sounds.
VoiceMessages parseVoiceMessages(std::string_view text, std::string_view file, const std::vector<SoundName>& sounds);

// The header of the game's voice-message tables: per speaker and event the
// line count and first subtitle id, and the ten voice ids (0 past the last
// line).
std::string voiceMessageTablesHeader(const VoiceMessages& messages, int32_t firstSubtitle);

}  // namespace content
