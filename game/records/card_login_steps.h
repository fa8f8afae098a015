#pragma once
// The card login's shared steps (card_login.cpp: the screens and the card
// reader; card_login_server.cpp: the game-server requests and the profile).
//
// Threads: main thread only.

#include <cstdint>

#include "game/records/card_login.h"

// States of the login that the two files hand each other.
inline constexpr int32_t kLoginStart = 1;
inline constexpr int32_t kLoginRecords = 9;
inline constexpr int32_t kLoginProfileLoad = 11;
inline constexpr int32_t kLoginGameStart = 12;
inline constexpr int32_t kLoginReply = 13;
inline constexpr int32_t kLoginError = 14;
inline constexpr int32_t kLoginStartPlay = 15;

// secondsLeft to the given seconds and a whole second of frames.
void loginSetTimers(int32_t seconds);
// The next screen: its state, its number of choices and where the cursor starts.
void loginShowScreen(int32_t state, int32_t choices, int32_t cursor);

// One state's step: kLoginRunning, or the login's result.
using LoginStep = int32_t (*)(LoginArrows& arrows);
int32_t loginStepProfileLoad(LoginArrows& arrows);
int32_t loginStepGameStart(LoginArrows& arrows);
int32_t loginStepReply(LoginArrows& arrows);
