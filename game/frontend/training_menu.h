#pragma once
// The TRAINING screen (tag MENU): an unranked practice play's mode, assist,
// types, stage, start point and values, with steps of 10, 100 and 1000
// while buttons 1, 2 or 3 are held and the ties between the values. START
// fades to white and leaves the play to the sequence's training start.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/list_menu.h"
#include "game/records/settings_file.h"

struct ObjTask;

inline constexpr int kTrainingMenuRows = 17;
inline constexpr int kTrainingMenuValues = 14;  // rows 1..14
extern const std::array<MenuItemRow, kTrainingMenuRows> kTrainingMenuRowTable;
extern const std::array<int32_t GameSettings::*, kTrainingMenuValues> kTrainingMenuSettings;
extern const std::array<int32_t, kTrainingMenuValues> kTrainingMenuDefaults;

extern ListMenu trainingMenu;

void TSKtrainingMenu(ObjTask* task);
// The three hint lines: "HOLD n BUTTON to CHANGE 10" and so on, n the
// number of the button assigned to action 1, 2 and 3.
void trainingMenuHint(int line, char (&text)[48]);
