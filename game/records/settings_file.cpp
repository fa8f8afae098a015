// "config.txt": the default copy, load and save.
#include "game/records/settings_file.h"

#include <cstdio>
#include <cstdlib>
#include <string>

#include "game/core/wheel_config.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"

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

}  // namespace

void configEnsureFile() {
    const std::string target = makeAppRootPath(kConfigFile);
    if (std::FILE* existing = std::fopen(target.c_str(), "r")) {
        std::fclose(existing);
        return;
    }
    char name[64];
    std::snprintf(name, sizeof name, "resource/data/%s", kConfigFile);
    const std::string source = makeResourcePath(name);
    if (std::FILE* file = std::fopen(source.c_str(), "rb")) {
        std::fclose(file);
    } else {
        SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", source.c_str());
        return;
    }
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(source.c_str(), &size);
    if (!bytes) return;  // the reader has logged why
    writeFileReplacing(target.c_str(), bytes, size_t(size));
    std::free(bytes);
}

void configLoad() {
    SDL2_wheel_ConfigLoad(makeAppRootPath(kConfigFile).c_str());
    for (const SettingKey& key : kSettingKeyTable) {
        gameSettings.*key.setting = SDL2_wheel_ConfigGetInt(key.key, key.defaultValue);
    }
    if (gameSettings.BG_BRIGHTNESS > 10) gameSettings.BG_BRIGHTNESS = 10;
    if (gameSettings.SOUNDTYPE > 2) gameSettings.SOUNDTYPE = 0;
    setUnstoredWords(gameSettings);
}

void configSave() {
    const std::string path = makeAppRootPath(kConfigFile);
    SDL2_wheel_ConfigLoad(path.c_str());
    for (const SettingKey& key : kSettingKeyTable) SDL2_wheel_ConfigSetInt(key.key, gameSettings.*key.setting);
    const std::string text = SDL2_wheel_ConfigJoinLines();
    writeFileReplacing(path.c_str(), text.data(), text.size());
}
