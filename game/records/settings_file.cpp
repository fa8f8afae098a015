// "config.txt": the default copy, load and save.
#include "game/records/settings_file.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "game/core/wheel_config.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"
#include "game/records/player_files.h"
#include "platform/disk/whole_file.h"

GameSettings gameSettings{};
GameSettings settingsSnapshot{};

namespace {

// The words the file doesn't keep, as every load sets them.
void setUnstoredWords(GameSettings& s) {
    s.enemyShotDraw = 1;
    s.unusedAfterVolumes = 0;
    s.unusedBeforeFrameSkip = 0;
    s.systemWord = 3;
    s.trainingWordA = 3;
    s.trainingWordB = 3;
    s.unusedAfterTrainingRank = 0;
}

// The player's volumes are percentages (the menus step them 0..100); the
// sound mix multiplies them by levels, so a damaged file's value must not
// reach it.
void holdVolumes(GameSettings& s) {
    for (int32_t* volume : {&s.SE_VOLUME, &s.BGM_VOLUME, &s.VOICE_VOLUME}) *volume = std::clamp(*volume, 0, 100);
}

}  // namespace

void configEnsureFile() {
    const std::string target = makeAppRootPath(kConfigFile);
    std::string existing;
    if (readPlayerFile(target, existing) != PlayerFileRead::Missing) return;
    char name[64];
    std::snprintf(name, sizeof name, "resource/data/%s", kConfigFile);
    const std::string source = makeResourcePath(name);
    std::string defaults;
    const platform::WholeRead read = platform::readWholeFile(source, defaults);
    if (read.status != platform::WholeReadStatus::Read) {
        SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", source.c_str());
        return;
    }
    writePlayerFile(target, defaults.data(), defaults.size());
}

// A "config.txt" that could not be read is neither read again nor written:
// the line table keeps the settings of this run.
void configLoad() {
    const std::string path = makeAppRootPath(kConfigFile);
    if (!playerFileLeftAlone(path)) SDL2_wheel_ConfigLoad(path.c_str());
    for (const SettingKey& key : kSettingKeyTable) {
        gameSettings.*key.setting = SDL2_wheel_ConfigGetInt(key.key, key.defaultValue);
    }
    if (gameSettings.BG_BRIGHTNESS > 10) gameSettings.BG_BRIGHTNESS = 10;
    if (gameSettings.SOUNDTYPE > 2) gameSettings.SOUNDTYPE = 0;
    holdVolumes(gameSettings);
    setUnstoredWords(gameSettings);
}

void configSave() {
    const std::string path = makeAppRootPath(kConfigFile);
    if (!playerFileLeftAlone(path)) SDL2_wheel_ConfigLoad(path.c_str());
    for (const SettingKey& key : kSettingKeyTable) SDL2_wheel_ConfigSetInt(key.key, gameSettings.*key.setting);
    const std::string text = SDL2_wheel_ConfigJoinLines();
    writePlayerFile(path, text.data(), text.size());
}
