#pragma once
// The pilot: a deterministic player of our own. Given the live play (the
// fighter, the enemy shots, the items and the enemies, read through their
// task groups) it gives the frame's input word as padHeld holds it: bits 0-3
// up, down, left, right and 0x10..0x80 buttons 1 to 4. It steers away from
// the shots that will come nearest over the next frames, keeps firing, keeps
// under the enemy it aims at, collects items where that is safe and, when no
// way out is left, blows the near shots away (button 4; the fighter's bombs
// go off by themselves or from the bomb item) or powers up (button 2).
//
// It draws no random numbers, walks the groups head to tail and writes
// nothing of the game: its only state is its own record, so the same play
// gives the same words. It never presses button 3.
//
// Threads: main thread, between two updates of the game.

#include <cstdint>

inline constexpr uint32_t kPilotUp = 0x01, kPilotDown = 0x02, kPilotLeft = 0x04, kPilotRight = 0x08;
inline constexpr uint32_t kPilotShot = 0x10, kPilotPowerUp = 0x20, kPilotBlow = 0x80;

// What the pilot keeps from frame to frame.
struct Pilot {
    uint32_t lastWord = 0;   // the word given last frame (a press needs a release first)
    int32_t frames = 0;      // words given
};

// The frame's word; 0 without a running fighter.
uint32_t pilotInputWord(Pilot& pilot);
