#pragma once
// The characters' voice messages: the pilots of the four fighter types
// (speakers 0 to 3, events 0 to 16) and speaker 4 (events 0 to 19) comment
// on events with a voice line and a subtitle that the head-up display shows
// for 180 frames. Lines and voice ids are the generated
// voice_message_tables.h.
//
// Threads: main thread only.

#include <cstdint>

inline constexpr int32_t kVoiceSpeaker4 = 4;
inline constexpr int32_t kVoiceMessageFrames = 180;
inline constexpr int32_t kVoiceWindowFrames = 20;

// The message state the head-up display shows and gameStateHash covers.
struct VoiceMessageState {
    int32_t speaker;  // 0..4, -1 none
    int32_t event;
    int32_t line;
    int32_t displayTimer;  // frames the subtitle still shows
    int32_t windowTimer;
    int32_t lastLine[5][20];  // per speaker and event, -1 none yet
    int32_t forcedLine;       // replaces the random pick while not -1
};
VoiceMessageState& voiceMessageState();
// Clears the message and every last line (the head-up display's set-up).
void voiceMessageReset();
// The voice-message setting: 0 off, 1 voice and subtitle, other values
// subtitle only. It has no key in the settings file: 1 from start-up.
extern int32_t voiceMessageSetting;

// A pilot's message (pilot 0..3, event 0..16): nothing while no fighter
// gauge is full, the setting is 0 or the stage is 0; a pilot's running
// message of event 1, 2, 3, 10, 11, 12 or 14 isn't interrupted by that
// pilot's ordinary events. The line is picked at random, never the same one
// twice in a row for one pilot and event.
void charVoiceMessage(int32_t pilot, int32_t event);
// Speaker 4's message (event 0..19): line -1 picks at random as a pilot's
// does (speaker 4 keeps a last line per event), else that line; no
// interruption rule.
void charVoiceMessageSpeaker4(int32_t event, int32_t line = -1);
// Counts the message timers down once a frame (the head-up display's act).
void voiceMessageStep();
