// Provisional: the front end replaces this file.
#include <algorithm>

#include "game/core/play_state.h"
#include "game/frontend/scenes.h"

namespace {

// The usual outcomes: the menus go back to the main menu.
void backToMainMenu() { menuResultCode = 3; }
// The test menu visits its pages in turn, then ends the game.
int32_t testMenuVisits = 0;
void nextTestPage() { testMenuResultCode = std::min(++testMenuVisits, 4); }
void backToTestMenu() { testMenuResultCode = 0; }

}  // namespace

const std::array<StandInScene, kStandInScenes> kStandInSceneTable = {{
    {"REPLAY LIST", backToMainMenu},
    {"KEY CONFIG MENU", backToMainMenu},
    {"STAFF ROLL", backToMainMenu},
    {"TEST MENU", nextTestPage},
    {"BOOKKEEPING", backToTestMenu},
    {"SOUND SETTING", backToTestMenu},
    {"BACKUP CLEAR", backToTestMenu},
}};
