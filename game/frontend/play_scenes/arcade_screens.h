#pragma once
// The arcade platform's screens after the card login: KEY CONFIG
// (TSKarcadeKeyConfig: the cabinet buttons of shot, power up, rapid and
// blow), SCORE ATTACK (TSKarcadeScoreAttack: stage, assist, leader and
// dramatic mode) with the 30-second countdown that starts the play, and
// GAME SELECT (TSKgameSelect, one of the countdown selections' family).
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/list_menu.h"

struct ObjTask;

inline constexpr int32_t kKeyConfigRows = 6;  // four buttons, DEFAULT, GAME START
inline constexpr int32_t kKeyConfigDefaultRow = 4;
inline constexpr int32_t kKeyConfigStartRow = 5;
inline constexpr int32_t kArcadeScoreAttackRows = 5;  // four values, GAME START
inline constexpr int32_t kArcadeScoreAttackStartRow = 4;
extern const std::array<MenuItemRow, kKeyConfigRows> kKeyConfigRowTable;
extern const std::array<MenuItemRow, kArcadeScoreAttackRows> kArcadeScoreAttackRowTable;
inline constexpr int32_t kArcadeKeyConfigDefaults[4] = {1, 2, 3, 5};

// The running screen's list and countdown (one screen runs at a time).
struct ArcadeScreen {
    ListMenu menu;
    int32_t secondsLeft = 30;
    int32_t tickFrames = 60;
    uint32_t heldButtons = 0;  // cabinet buttons held at the last frame
    int32_t fadeCountdown = 0;
};
extern ArcadeScreen arcadeScreen;

void TSKarcadeKeyConfig(ObjTask* task);
void TSKarcadeScoreAttack(ObjTask* task);
void TSKgameSelect(ObjTask* task);
// The cabinet button 1..16 of a padRaw bit (0x10 << (k - 1)), 0 for none.
int32_t cabinetButtonOf(uint32_t raw);
