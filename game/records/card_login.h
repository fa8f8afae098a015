#pragma once
// The card login the title runs once a frame after the start button: the
// player chooses to play with the card, without it, or to see the card's
// access code; with the card it drives the card reader, loads the player's
// profile from the game server, shows the records, and asks the server to
// start the game once the credit suffices. Every screen counts down; every
// way out hands the title back to its attract cycle.
//
// The title starts it with cardProfileClear() and loginState 1, calls
// aimeLoginUpdate while loginState is not 0, and sets loginState 0 when it
// returns kLoginPlay (the keep-alive then minds the card user's play).
// Its state lives in cardProfile; inputs are padRawPressed and padRaw.
//
// Threads: main thread only.

#include <cstdint>

// The records screen's page arrows: frames left of each arrow's flash.
// The title keeps them in its work; the login sets and counts them down.
struct LoginArrows {
    int32_t left = 0;
    int32_t right = 0;
};

// Choices on the current login screen: 3 on the first, 2 on the others.
extern int32_t loginChoiceCount;

inline constexpr int32_t kLoginRunning = 0;
inline constexpr int32_t kLoginPlay = 1;  // the play may begin
inline constexpr int32_t kLoginLeft = 2;  // back to the attract cycle

int32_t aimeLoginUpdate(LoginArrows& arrows);

// The card choices can be taken: the card server and the game server answer.
bool aimeCardPathOpen();
