#pragma once
// The SCORE ATTACK screen (tag MENU): the stage, assist, leader type and
// dramatic mode of a ranked one-stage play; GAME START fades to white and
// leaves the play to the sequence's score-attack start.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/list_menu.h"
#include "game/records/settings_file.h"

struct ObjTask;

inline constexpr int kScoreAttackMenuRows = 6;
inline constexpr int kScoreAttackMenuValues = 4;  // rows 1..4
extern const std::array<MenuItemRow, kScoreAttackMenuRows> kScoreAttackMenuRowTable;
extern const std::array<int32_t GameSettings::*, kScoreAttackMenuValues> kScoreAttackMenuSettings;

extern ListMenu scoreAttackMenu;

void TSKscoreAttackMenu(ObjTask* task);
