#pragma once
// The CONFIG screen (tag MENU): language, window, picture, wallpaper, music
// arrangement, the three volumes and the display switches, KEY CONFIG and
// DEFAULT. The volumes, the arrangement and the display values apply at
// once; everything is saved to "config.txt" as the screen goes.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/list_menu.h"
#include "game/records/settings_file.h"

struct ObjTask;

inline constexpr int kConfigMenuRows = 21;
inline constexpr int kConfigMenuValues = 18;  // rows 0..17
extern const std::array<MenuItemRow, kConfigMenuRows> kConfigMenuRowTable;
extern const std::array<int32_t GameSettings::*, kConfigMenuValues> kConfigMenuSettings;

// The cursor survives between visits: the main menu's CONFIG puts it on the
// first row, KEY CONFIG's EXIT leaves it on "KEY CONFIG".
extern ListMenu configMenu;

void TSKconfigMenu(ObjTask* task);
