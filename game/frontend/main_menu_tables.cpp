#include "game/core/play_state.h"
#include "game/frontend/config_menu.h"
#include "game/frontend/main_menu.h"
#include "game/frontend/scene_words.h"
#include "game/records/play_selection.h"

namespace {

// Before a play that counts, nothing of an earlier play is marked new.
void chooseStory() {
    rankingNewMarksClear();
    playIsRecorded = 1;
    setLeaderType(0);
    setAutoGameSystem(0);
}
void chooseScoreAttack() {
    rankingNewMarksClear();
    playIsRecorded = 1;
    setLeaderType(0);
}
void chooseRanking() {
    rankingNewMarksClear();
    rankingLatestCategory = 0;
    rankingLatestTable = 1;
}
void chooseReplay() { replayListCursor = replayListPage = replayListOffset = 0; }
void chooseConfig() { configMenu.cursor = 0; }

}  // namespace

const std::array<MainMenuItem, kMainMenuItems> kMainMenuItemTable = {{
    {"GAME START", 0, chooseStory, 0},
    {"SCORE ATTACK", 1, chooseScoreAttack, 1},
    {"RANKING", 4, chooseRanking, 1},
    {"REPLAY", 5, chooseReplay, 1},
    {"TRAINING", 7, nullptr, 1},
    {"CONFIG", 9, chooseConfig, 1},
    {"CREDIT", 11, nullptr, 0},
    {"TITLE", 12, nullptr, 0},
    {"EXIT GAME", 13, nullptr, 0},
}};
