// The voice-message lines from the content generator's tables.
#include "game/objects/voice_message_lines.h"

#include "voice_message_tables.h"

VoiceEventLines voiceEventLines(int32_t speaker, int32_t event) {
    if (speaker >= 0 && speaker < 4 && event >= 0 && event < kVoicePilotEvents) {
        return {kPilotMessageEvents[speaker][event][0], kPilotMessageEvents[speaker][event][1],
                kPilotMessageVoices[speaker][event]};
    }
    if (speaker == 4 && event >= 0 && event < kVoiceSpeaker4Events) {
        return {kSpeaker4MessageEvents[event][0], kSpeaker4MessageEvents[event][1], kSpeaker4MessageVoices[event]};
    }
    return {0, 0, nullptr};
}
