#pragma once
// KEY CONFIG (tag MENU, from CONFIG): assigns one of the pad's physical
// buttons 1..10 to each of six actions by pressing it on the action's row;
// a button another action holds is swapped. The six button settings only
// name buttons in other screens' prompts, so they are written every frame.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/list_menu.h"

struct ObjTask;

inline constexpr int kKeyConfigActions = 6;
inline constexpr int kKeyConfigPhysicalButtons = 16;
// The engine mask bit of physical buttons 1..16; -1: not assignable here.
extern const std::array<int32_t, kKeyConfigPhysicalButtons> kKeyConfigButtonBits;
// What DEFAULT gives the six actions.
extern const std::array<int32_t, kKeyConfigActions> kKeyConfigDefaults;

struct KeyConfigMenu {
    ListMenu list;
    uint8_t held = 0;  // a counted button is still down
};
extern KeyConfigMenu keyConfigMenu;

// The physical buttons 1..16 down in an engine button mask, as bits 0..15.
uint32_t keyConfigButtonsOfMask(uint32_t mask);

void TSKkeyConfigMenu(ObjTask* task);
