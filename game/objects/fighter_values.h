#pragma once
// Provisional: the least of the fighter's values and the character voices that the game-control sequence leans on, until the
// fighter family is built here (see README.md).
//
// Threads: main thread only.

#include <cstdint>

// The fighter's values the sequence reads and writes.
struct FighterWork {
    uint64_t score = 0;
    int32_t type = 0;
    int32_t creditCounter = 0;  // 0..10
    int32_t entryWord = 0;
    uint8_t noContinue = 0;  // losing the last life goes straight to game over
    uint8_t control = 0;
    uint8_t control2 = 0;
    int32_t hold = 0;
    int32_t lives = 0;
    int32_t stock = 0;
    int32_t rank = 0;
    int32_t bonusCounter = 0;
    int32_t energy = 0;  // 0..10000
    uint8_t powerUp = 0;
    int32_t destruction = 0;
};

// The values of the fighter (the first FIGH task of group 9); null while
// there is none. A new fighter starts from fresh values.
FighterWork* fighterWork();
// The buttons newly pressed this frame as the fighter saw them (0x10
// button 1, 0x20 button 2); 0 without a fighter.
uint32_t fighterPressedButtons();

// Start position; one more on the credit counter, at most 10.
void fighterResetPosition();
void fighterSetControl(bool on);
void fighterSetControl2(bool on);
void fighterSetHold(int32_t hold);
void fighterSetRank(int32_t rank);
void fighterSetBonusCounter(int32_t count);
void fighterSetEnergy(int32_t energy);
void fighterSetPowerUp(bool on);
void fighterSetType(int32_t type);
void fighterAddDestruction(int32_t count);
void fighterAddScore(uint64_t amount);
// The fighter's type, or the selected leader type without a fighter.
int32_t fighterGetType();

void charVoiceMessage(int32_t fighterType, int32_t event);
