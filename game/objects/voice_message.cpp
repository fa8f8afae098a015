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

VoiceMessageState messageState = [] {
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
    if (messageState.forcedLine >= 0) line = messageState.forcedLine;
    return std::min(line, count - 1);
}

void voiceStart(int32_t speaker, int32_t event, int32_t forced) {
    const VoiceEventLines lines = voiceEventLines(speaker, event);
    if (lines.count <= 0) return;
    messageState.speaker = speaker;
    messageState.event = event;
    messageState.displayTimer = kVoiceMessageFrames;
    messageState.windowTimer = kVoiceWindowFrames;
    int32_t& last = messageState.lastLine[speaker][event];
    const int32_t line = forced >= 0 ? std::min(forced, lines.count - 1) : voicePickLine(lines.count, last);
    messageState.line = line;
    if (voiceMessageSetting != 1) return;
    // Voice id 0 marks a slot without a line.
    if (lines.voices[line] != 0) SDL2_wheel_SoundPlaySE(lines.voices[line], false);
    last = line;
}

bool voiceMayStart() { return fighterAnyReady() && voiceMessageSetting != 0 && stageNumber != 0; }

}  // namespace

VoiceMessageState& voiceMessageState() { return messageState; }

void voiceMessageReset() {
    messageState.speaker = -1;
    messageState.event = messageState.line = 0;
    messageState.displayTimer = messageState.windowTimer = 0;
    for (auto& events : messageState.lastLine) std::fill(std::begin(events), std::end(events), -1);
}

void charVoiceMessage(int32_t pilot, int32_t event) {
    if (pilot < 0 || pilot >= 4 || !voiceMayStart()) return;
    const VoiceMessageState& s = messageState;
    if (s.speaker == pilot && s.displayTimer > 0 && voiceEventHolds(s.event) && !voiceEventInterrupts(event)) return;
    voiceStart(pilot, event, -1);
}

void charVoiceMessageSpeaker4(int32_t event, int32_t line) {
    if (!voiceMayStart()) return;
    voiceStart(kVoiceSpeaker4, event, line);
}

void voiceMessageStep() {
    if (messageState.speaker < 0) return;
    if (--messageState.displayTimer < 0) {
        messageState.speaker = -1;
        messageState.event = messageState.line = 0;
        messageState.displayTimer = 0;
    }
    messageState.windowTimer = std::max(messageState.windowTimer - 1, 0);
}
