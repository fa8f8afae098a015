// The pause menu's texts.
#include "game/core/pause_menu.h"

const char* const kPauseTitle = "- PAUSE -";

const std::array<const char*, kPauseRows> pauseMenuItems = {
    "RESUME", "RESTART STAGE", "RESTART GAME", "RETURN TO MENU", "", "", "", "", "", "",
    "",       "",              "",             "",               "", "", "", "", "", "",
};

const std::array<const char*, kPauseRows> pauseMenuItemsShort = {
    "RESUME", "RESTART STAGE", "RETURN TO MENU", "", "", "", "", "", "", "",
    "",       "",              "",               "", "", "", "", "", "", "",
};
