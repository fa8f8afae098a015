// Provisional: the front end replaces this file.
#include "game/core/play_state.h"
#include "game/frontend/scenes.h"

namespace {

// The staff roll's usual outcome: back to the main menu.
void backToMainMenu() { menuResultCode = 3; }

}  // namespace

const std::array<StandInScene, kStandInScenes> kStandInSceneTable = {{
    {"STAFF ROLL", backToMainMenu},
}};
