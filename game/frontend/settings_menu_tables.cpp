#include "game/frontend/config_menu.h"
#include "game/frontend/score_attack_menu.h"
#include "game/frontend/training_menu.h"

namespace {

const char* const kTablesOffOn[] = {"OFF", "ON"};
const char* const kTablesTypes[] = {"TYPE-A", "TYPE-B", "TYPE-C", "TYPE-D"};
const char* const kTablesLanguages[] = {"JAPANESE", "ENGLISH"};
const char* const kTablesWindow[] = {"WINDOW", "FULL SCREEN"};
const char* const kTablesRotation[] = {"NONE", "LEFT", "RIGHT"};
const char* const kTablesSoundType[] = {"ORIGINAL", "ARRANGE1", "ARRANGE2"};
const char* const kTablesGameModes[] = {"NOVICE", "CASUAL", "ORIGINAL", "EXPERT"};
const char* const kTablesStartPoints[] = {"FIRST", "MBOSS1", "MBOSS2", "BOSS"};
const char* const kTablesAssist[] = {"MANUAL", "ASSIST"};

constexpr MenuItemRow tablesNumber(const char* label, const char* const* kind, int32_t min, int32_t max,
                                   int32_t step = 1) {
    return {label, kind, min, max, step};
}

}  // namespace

const std::array<MenuItemRow, kConfigMenuRows> kConfigMenuRowTable = {{
    menuNamesRow("LANGUAGE", kTablesLanguages),
    menuNamesRow("WINDOW SIZE", kTablesWindow),
    tablesNumber("SCREEN SCALE X", kMenuValueIntPercent, 100, 350),
    tablesNumber("SCREEN SCALE Y", kMenuValueIntPercent, 100, 350),
    menuNamesRow("    ROTATION", kTablesRotation),
    menuNamesRow("      FILTER", kTablesOffOn),
    menuNamesRow("   SCAN LINE", kTablesOffOn),
    tablesNumber("WALLPAPER   ", kMenuValueInt, 0, 1),
    menuNamesRow("SOUND TYPE", kTablesSoundType),
    tablesNumber("VOICE VOLUME", kMenuValueIntPercent, 0, 100, 10),
    tablesNumber("SE VOLUME", kMenuValueIntPercent, 0, 100, 10),
    tablesNumber("BGM VOLUME", kMenuValueIntPercent, 0, 100, 10),
    menuNamesRow("SAVE REPLAY", kTablesOffOn),
    tablesNumber("BG BRIGHTNESS", kMenuValueInt, 0, 10),
    menuNamesRow("FPS DISP", kTablesOffOn),
    menuNamesRow("TUTORIAL DISP", kTablesOffOn),
    menuNamesRow("REPLAY INPUT", kTablesOffOn),
    menuNamesRow("FRAME SKIP", kTablesOffOn),
    menuActionRow("KEY CONFIG"),
    menuActionRow("DEFAULT"),
    menuActionRow("EXIT"),
}};

const std::array<int32_t GameSettings::*, kConfigMenuValues> kConfigMenuSettings = {
    &GameSettings::LANGUAGE,      &GameSettings::FULLSCREEN,       &GameSettings::DISP_SCALE_X,
    &GameSettings::DISP_SCALE_Y,  &GameSettings::DISP_ROTATION,    &GameSettings::DISP_FILTER,
    &GameSettings::DISP_SCANLINE, &GameSettings::DISP_WALLTYPE,    &GameSettings::SOUNDTYPE,
    &GameSettings::VOICE_VOLUME,  &GameSettings::SE_VOLUME,        &GameSettings::BGM_VOLUME,
    &GameSettings::SAVE_REPLAY,   &GameSettings::BG_BRIGHTNESS,    &GameSettings::FPS_DISP,
    &GameSettings::TUTORIAL_DISP, &GameSettings::REPLAYINPUT_DISP, &GameSettings::FRAME_SKIP,
};

const std::array<MenuItemRow, kTrainingMenuRows> kTrainingMenuRowTable = {{
    menuActionRow("START"),
    menuNamesRow("GAME MODE", kTablesGameModes),
    menuNamesRow("ASSIST", kTablesOffOn),
    menuNamesRow("LEADER", kTablesTypes),
    menuNamesRow("FIGHTER TYPE", kTablesTypes),
    tablesNumber("STAGE", kMenuValueInt, 1, 5),
    menuNamesRow("START POINT", kTablesStartPoints),
    tablesNumber("RANK", kMenuValueInt, 0, 50),
    tablesNumber("ITEM COUNTER", kMenuValueInt, 0, 10000),
    tablesNumber("ENERGY", kMenuValueIntPercent, 0, 100),
    menuNamesRow("POWER UP", kTablesOffOn),
    tablesNumber("CHANGE CARRIER", kMenuValueIntPercent, 0, 100),
    tablesNumber("BOMB CARRIER", kMenuValueIntPercent, 0, 100),
    tablesNumber("DESTRUCTION", kMenuValueInt, 0, 999999),
    menuNamesRow("DRAMATIC", kTablesOffOn),
    menuActionRow("DEFAULT"),
    menuActionRow("EXIT"),
}};

const std::array<int32_t GameSettings::*, kTrainingMenuValues> kTrainingMenuSettings = {
    &GameSettings::TRAINING_GAMEMODE,
    &GameSettings::TRAINING_AUTOGAMESYSTEM,
    &GameSettings::TRAINING_LEADERFIGHTERTYPE,
    &GameSettings::TRAINING_FIGHTERTYPE,
    &GameSettings::TRAINING_STAGE,
    &GameSettings::TRAINING_STARTPOINT,
    &GameSettings::TRAINING_RANK,
    &GameSettings::TRAINING_BONUSCOUNTER,
    &GameSettings::TRAINING_ENERGY,
    &GameSettings::TRAINING_POWERUP,
    &GameSettings::TRAINING_ITEMCARRIER_CHANGE,
    &GameSettings::TRAINING_ITEMCARRIER_BOMB,
    &GameSettings::TRAINING_DESTRUCTION,
    &GameSettings::TRAINING_DRAMATICSELECT,
};

const std::array<int32_t, kTrainingMenuValues> kTrainingMenuDefaults = {2, 1, 0, 0, 1, 0, 0, 0, 100, 0, 0, 0, 0, 1};

const std::array<MenuItemRow, kScoreAttackMenuRows> kScoreAttackMenuRowTable = {{
    menuActionRow("GAME START"),
    tablesNumber("STAGE SELEST", kMenuValueInt, 1, 5),
    menuNamesRow("ASSIST SELEST", kTablesAssist),
    menuNamesRow("LEADER SELEST", kTablesTypes),
    menuNamesRow("DRAMATIC MODE", kTablesOffOn),
    menuActionRow("EXIT"),
}};

const std::array<int32_t GameSettings::*, kScoreAttackMenuValues> kScoreAttackMenuSettings = {
    &GameSettings::SCOREATTACK_STAGE,
    &GameSettings::SCOREATTACK_AUTOGAMESYSTEM,
    &GameSettings::SCOREATTACK_LEADERFIGHTERTYPE,
    &GameSettings::SCOREATTACK_DRAMATICSELECT,
};
