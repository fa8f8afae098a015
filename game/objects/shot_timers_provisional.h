#pragma once
// Provisional: the countdowns of the shots and popups that the game main
// update steps once an act pass while the fighter exists. The issue that
// builds the fighter, its shots and the popups replaces this file.
//
// Threads: main thread only.

#include <cstdint>

// While above 0 the fighter's last hit turns class-3 enemy shots into items;
// the fighter's hit handling sets it to 4.
extern int32_t eshotConvertCountdown;
// Spaces the score numbers: set to 8 by each score number made.
extern int32_t scorePopupTimer;
