// The characters' voice messages: picking a line, playing its voice and
// keeping the message the head-up display shows.
#include "game/objects/voice_message.h"

#include <algorithm>

#include "game/core/game_random.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message_lines.h"

int32_t voiceMessageSetting = 1;

namespace {

VoiceMessageState voiceState = [] {
    VoiceMessageState s{};
    s.speaker = -1;
    s.forcedLine = -1;
    for (auto& events : s.lastLine) std::fill(std::begin(events), std::end(events), -1);
    return s;
}();

// A running message of these events isn't cut short by the same pilot's
// ordinary comments.
bool voiceEventHolds(int32_t event) {
    return event == 1 || event == 2 || event == 3 || event == 10 || event == 11 || event == 12 || event == 14;
}

bool voiceEventInterrupts(int32_t event) { return event == 1 || event == 2 || event == 3; }

// A random line, never the speaker's last one for the event when there is a
// choice; the forced line replaces the pick.
int32_t voicePickLine(int32_t count, int32_t last) {
    int32_t line = randRange(count);
    if (line == last && count > 1) line = (randRange(count - 1) + last + 1) % count;
    if (voiceState.forcedLine >= 0) line = voiceState.forcedLine;
    return std::min(line, count - 1);
}

void voiceStart(int32_t speaker, int32_t event, int32_t forced) {
    const VoiceEventLines lines = voiceEventLines(speaker, event);
    if (lines.count <= 0) return;
    voiceState.speaker = speaker;
    voiceState.event = event;
    voiceState.displayTimer = kVoiceMessageFrames;
    voiceState.windowTimer = kVoiceWindowFrames;
    int32_t& last = voiceState.lastLine[speaker][event];
    const int32_t line = forced >= 0 ? std::min(forced, lines.count - 1) : voicePickLine(lines.count, last);
    voiceState.line = line;
    if (voiceMessageSetting != 1) return;
    // Voice id 0 marks a slot without a line.
    if (lines.voices[line] != 0) SDL2_wheel_SoundPlaySE(lines.voices[line], false);
    last = line;
}

bool voiceMayStart() { return fighterAnyReady() && voiceMessageSetting != 0 && stageNumber != 0; }

}  // namespace

VoiceMessageState& voiceMessageState() { return voiceState; }

void voiceMessageReset() {
    voiceState.speaker = -1;
    voiceState.event = voiceState.line = 0;
    voiceState.displayTimer = voiceState.windowTimer = 0;
    for (auto& events : voiceState.lastLine) std::fill(std::begin(events), std::end(events), -1);
}

void charVoiceMessage(int32_t pilot, int32_t event) {
    if (pilot < 0 || pilot >= 4 || !voiceMayStart()) return;
    const VoiceMessageState& s = voiceState;
    if (s.speaker == pilot && s.displayTimer > 0 && voiceEventHolds(s.event) && !voiceEventInterrupts(event)) return;
    voiceStart(pilot, event, -1);
}

void charVoiceMessageSpeaker4(int32_t event, int32_t line) {
    if (!voiceMayStart()) return;
    voiceStart(kVoiceSpeaker4, event, line);
}

void voiceMessageStep() {
    if (voiceState.speaker < 0) return;
    if (--voiceState.displayTimer < 0) {
        voiceState.speaker = -1;
        voiceState.event = voiceState.line = 0;
        voiceState.displayTimer = 0;
    }
    voiceState.windowTimer = std::max(voiceState.windowTimer - 1, 0);
}
