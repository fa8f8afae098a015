// Provisional: the front end replaces this file.
#include "game/core/play_state.h"
#include "game/frontend/scenes.h"

namespace {

// The usual outcomes: the menus go back to the
// main menu, the arcade screens go on to the next one.
void backToMainMenu() { menuResultCode = 3; }
void arcadeKeyConfigDone() { menuResultCode = 16; }
void arcadeStoryPlay() { menuResultCode = 0; }
void arcadeScoreAttackChosen() { arcadeScoreAttackChoice = ArcadeScoreAttackChoice{}; }

}  // namespace

const std::array<StandInScene, kStandInScenes> kStandInSceneTable = {{
    {"GAME MODE SELECT", nullptr},
    {"DRAMATIC SELECT", nullptr},
    {"ASSIST SELECT", nullptr},
    {"PLAYER SELECT", nullptr},
    {"STAGE CLEAR", nullptr},
    {"GAME OVER", nullptr},
    {"STAFF ROLL", backToMainMenu},
    {"ARCADE KEY CONFIG", arcadeKeyConfigDone},
    {"GAME SELECT", arcadeStoryPlay},
    {"ARCADE SCORE ATTACK", arcadeScoreAttackChosen},
}};
