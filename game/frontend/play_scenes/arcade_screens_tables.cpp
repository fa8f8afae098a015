#include "game/frontend/play_scenes/arcade_screens.h"

namespace {

const char* const kArcadeAssistNames[] = {"MANUAL", "ASSIST"};
const char* const kArcadeLeaderNames[] = {"TYPE-A", "TYPE-B", "TYPE-C", "TYPE-D"};
const char* const kArcadeOnOffNames[] = {"OFF", "ON"};

}  // namespace

const std::array<MenuItemRow, kKeyConfigRows> kKeyConfigRowTable = {{
    {"1(SHOT)", kMenuValueInt, 1, 16, 1},
    {"2(POWER UP)", kMenuValueInt, 1, 16, 1},
    {"3(RAPID)", kMenuValueInt, 1, 16, 1},
    {"4(BLOW)", kMenuValueInt, 1, 16, 1},
    menuActionRow("DEFAULT"),
    menuActionRow("GAME START"),
}};

const std::array<MenuItemRow, kArcadeScoreAttackRows> kArcadeScoreAttackRowTable = {{
    {"STAGE SELEST", kMenuValueInt, 1, 5, 1},
    menuNamesRow("ASSIST SELEST", kArcadeAssistNames),
    menuNamesRow("LEADER SELEST", kArcadeLeaderNames),
    menuNamesRow("DRAMATIC MODE", kArcadeOnOffNames),
    menuActionRow("GAME START"),
}};
