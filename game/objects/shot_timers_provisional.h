#pragma once
// Provisional: the enemy shots' countdown that the game main update steps
// once an act pass while the fighter exists. The issue that builds the
// fighter's hits and the enemy shots replaces this file.
//
// Threads: main thread only.

#include <cstdint>

// While above 0 the fighter's last hit turns class-3 enemy shots into items;
// the fighter's hit handling sets it to 4.
extern int32_t eshotConvertCountdown;
