#pragma once
// "config.txt" in the application root: the player's and operator's
// settings, one "KEY=value" line each, loaded into the settings record and
// written back through the porting layer's config line table, so lines the
// game doesn't know (comments, other keys) survive a save. A missing file is
// first copied from "resource/data/config.txt".
//
// Threads: main thread only.

#include <cstdint>

// 101 words; the settings are named after their keys. The other words are
// not stored: each load sets them.
struct GameSettings {
    int32_t THREAD_READ, SOUND_OUT, SE_VOLUME, BGM_VOLUME;
    int32_t enemyShotDraw;  // 1 after every load
    int32_t unusedAfterVolumes;
    int32_t GAME_RANK;
    int32_t BUTTON_UP, BUTTON_DOWN, BUTTON_LEFT, BUTTON_RIGHT;
    int32_t BUTTON_01, BUTTON_02, BUTTON_03, BUTTON_04, BUTTON_PAUSE, BUTTON_RESET;
    int32_t BG_BRIGHTNESS, FPS_DISP, FULLSCREEN, IMAGE_RELEASE, SAVE_REPLAY, TUTORIAL_DISP, REPLAYINPUT_DISP;
    int32_t TRAINING_GAMEMODE, TRAINING_AUTOGAMESYSTEM, TRAINING_LEADERFIGHTERTYPE, TRAINING_FIGHTERTYPE;
    int32_t trainingWordA, trainingWordB;  // 3 and 3 after every load
    int32_t TRAINING_STAGE, TRAINING_STARTPOINT, TRAINING_RANK;
    int32_t unusedAfterTrainingRank;
    int32_t TRAINING_BONUSCOUNTER, TRAINING_ENERGY, TRAINING_POWERUP, TRAINING_ITEMCARRIER_CHANGE,
        TRAINING_ITEMCARRIER_BOMB, TRAINING_DESTRUCTION, TRAINING_DRAMATICSELECT;
    int32_t SCOREATTACK_STAGE, SCOREATTACK_AUTOGAMESYSTEM, SCOREATTACK_LEADERFIGHTERTYPE,
        SCOREATTACK_DRAMATICSELECT;
    int32_t unusedBeforeFrameSkip;
    int32_t FRAME_SKIP, GAME_SYSTEM;
    int32_t systemWord;  // 3 after every load; the fighter's reset reads it
    int32_t LANGUAGE, SOUNDTYPE, VOICE_VOLUME, REF_SOUNDFOLDER;
    int32_t DISP_SCALE_X, DISP_SCALE_Y, DISP_ROTATION, DISP_FILTER, DISP_SCANLINE, DISP_WALLTYPE;
    int32_t STORY_MODE, STORY_FIGHTERTYPE, STORY_AUTOGAMESYSTEM, STORY_DRAMATICSELECT;
    int32_t reserved[38];
};
static_assert(sizeof(GameSettings) == 101 * 4);

extern GameSettings gameSettings;
// The copy the stage logic reads during a play: the stage load and the
// game-control sequence copy gameSettings into it whole.
extern GameSettings settingsSnapshot;

struct SettingKey {
    const char* key;
    int32_t defaultValue;
    int32_t GameSettings::*setting;
};
inline constexpr int kSettingKeys = 56;
// In the order they are read and written.
extern const SettingKey kSettingKeyTable[kSettingKeys];

inline constexpr const char* kConfigFile = "config.txt";

// Copies "resource/data/config.txt" to the application root when there is
// no "config.txt" there yet.
void configEnsureFile();
void configLoad();
// Loads the file again, sets every key and writes the lines back whole.
void configSave();
