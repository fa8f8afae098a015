#pragma once
// The title: shows the title motion, waits for a player, runs the card login
// and reports the start of a play to the platform. It leaves gamePhase 2 (a
// play starts) or 5 (the attract demo, after its time-out or, on the arcade
// platform, button 1 without a credit) for the sequence.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/records/card_login.h"

struct ObjTask;

void TSKtitle(ObjTask* task);

inline constexpr const char* kTitleMotionFile = "resource/motion/qv_title.psb";
inline constexpr const char* kTitleObject = "qv_title";
inline constexpr int32_t kTitleLayer = 800;
// Waiting frames before the attract demo takes over.
inline constexpr int32_t kTitleTimeOut = 1560;
// Waiting frames before button 1 without a credit starts the demo, once the
// loop plays.
inline constexpr int32_t kTitleDemoButtonFrames = 60;
inline constexpr int32_t kTitleVoiceFrame = 60;
inline constexpr int kTitleVoiceSets = 5;
extern const std::array<int32_t, kTitleVoiceSets> kTitleVoices;
// The _Sequence_beginPlay call's kind and players, as the platform wants them.
inline constexpr int32_t kTitleBeginPlayKind = 116;
inline constexpr int32_t kTitleBeginPlayPlayers = 1;

// The title's states past waiting.
inline constexpr int32_t kTitleLogin = 101;
inline constexpr int32_t kTitleBeginPlay = 102;
inline constexpr int32_t kTitleLeave = 103;
inline constexpr int32_t kTitleFade = 110;
// Task words: the loop-started flag, the voice set and cue index, and the
// waiting frames (the fade's count-down at the end).
inline constexpr int kTitleLoopStarted = 0;
inline constexpr int kTitleVoiceSet = 1;
inline constexpr int kTitleCueIndex = 2;
inline constexpr int kTitleFrames = 4;

// The login's page arrows, kept for the records screen's draw.
extern LoginArrows titleLoginArrows;
// Frames the title texts take to come in: 30 at set-up, one less a frame.
extern int32_t titleTextCountdown;
inline constexpr int32_t kTitleTextFrames = 30;
