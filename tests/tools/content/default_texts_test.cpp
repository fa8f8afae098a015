// The default settings file and the opening's cue frames, read with the
// game's own key=value readers (game/core/wheel_config): every key, its
// default, and each key read from its own line.
#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "game/core/wheel_config.h"
#include "tests/tools/content/first_holding_line.h"

namespace {

struct Setting {
    const char* key;
    int32_t value;
};

// The settings in the order the game reads and writes them, with their defaults.
constexpr Setting kSettings[] = {
    {"THREAD_READ", 0},
    {"SOUND_OUT", 1},
    {"VOICE_VOLUME", 100},
    {"SE_VOLUME", 100},
    {"BGM_VOLUME", 100},
    {"GAME_RANK", 1},
    {"BUTTON_UP", 0},
    {"BUTTON_DOWN", 0},
    {"BUTTON_LEFT", 0},
    {"BUTTON_RIGHT", 0},
    {"BUTTON_01", 1},
    {"BUTTON_02", 2},
    {"BUTTON_03", 3},
    {"BUTTON_04", 4},
    {"BUTTON_PAUSE", 8},
    {"BUTTON_RESET", 6},
    {"BG_BRIGHTNESS", 10},
    {"FPS_DISP", 0},
    {"FULLSCREEN", 0},
    {"IMAGE_RELEASE", 0},
    {"SAVE_REPLAY", 1},
    {"TUTORIAL_DISP", 1},
    {"REPLAYINPUT_DISP", 1},
    {"FRAME_SKIP", 0},
    {"GAME_SYSTEM", 0},
    {"LANGUAGE", 0},
    {"SOUNDTYPE", 0},
    {"REF_SOUNDFOLDER", 0},
    {"DISP_SCALE_X", 100},
    {"DISP_SCALE_Y", 100},
    {"DISP_ROTATION", 0},
    {"DISP_FILTER", 0},
    {"DISP_SCANLINE", 0},
    {"DISP_WALLTYPE", 0},
    {"STORY_MODE", 1},
    {"STORY_FIGHTERTYPE", 0},
    {"STORY_AUTOGAMESYSTEM", 1},
    {"STORY_DRAMATICSELECT", 1},
    {"TRAINING_GAMEMODE", 0},
    {"TRAINING_AUTOGAMESYSTEM", 1},
    {"TRAINING_LEADERFIGHTERTYPE", 0},
    {"TRAINING_FIGHTERTYPE", 0},
    {"TRAINING_STAGE", 0},
    {"TRAINING_STARTPOINT", 0},
    {"TRAINING_RANK", 0},
    {"TRAINING_BONUSCOUNTER", 0},
    {"TRAINING_ENERGY", 0},
    {"TRAINING_POWERUP", 0},
    {"TRAINING_ITEMCARRIER_CHANGE", 0},
    {"TRAINING_ITEMCARRIER_BOMB", 0},
    {"TRAINING_DESTRUCTION", 0},
    {"TRAINING_DRAMATICSELECT", 0},
    {"SCOREATTACK_STAGE", 1},
    {"SCOREATTACK_AUTOGAMESYSTEM", 1},
    {"SCOREATTACK_LEADERFIGHTERTYPE", 0},
    {"SCOREATTACK_DRAMATICSELECT", 0},
};
static_assert(std::size(kSettings) == 56);

TEST(DefaultTextsTest, ConfigHoldsEverySettingAtItsDefaultOnItsOwnLine) {
    const std::string path = HALVIR_RESOURCE_DIR "/data/config.txt";
    SDL2_wheel_ConfigLoad(path.c_str());
    ASSERT_EQ(SDL2_wheel_ConfigLineCount(), int(std::size(kSettings)));
    const std::vector<std::string> lines = textLines(path);
    EXPECT_EQ(SDL2_wheel_ConfigJoinLines(), readText(path));
    for (size_t i = 0; i < std::size(kSettings); ++i) {
        const Setting& setting = kSettings[i];
        // Two fallbacks that can't both be the value: the key was read.
        EXPECT_EQ(SDL2_wheel_ConfigGetInt(setting.key, -1), setting.value) << setting.key;
        EXPECT_EQ(SDL2_wheel_ConfigGetInt(setting.key, -2), setting.value) << setting.key;
        EXPECT_EQ(firstHoldingLine(lines, setting.key), int(i)) << setting.key;
        // The game's reader takes no sign: every value starts with a digit.
        EXPECT_EQ(lines[i], std::string(setting.key) + "=" + std::to_string(setting.value));
    }
}

TEST(DefaultTextsTest, TheOpeningHasThirteenRisingCueFrames) {
    const std::string path = HALVIR_RESOURCE_DIR "/sound/voice/opning_config.txt";
    const std::vector<std::string> lines = textLines(path);
    ASSERT_EQ(readText(path).back(), '\n');
    int64_t previous = -1;
    for (int cue = 1; cue <= 13; ++cue) {
        char key[32];
        std::snprintf(key, sizeof key, "VO_OP_%03d_00", cue);
        const int line = firstHoldingLine(lines, key);
        ASSERT_GE(line, 0) << key;
        EXPECT_EQ(lines[size_t(line)].rfind(key, 0), 0u) << key;
        const int64_t value = SDL2_wheel_ConfigFileGetInt(path.c_str(), key, -1);
        EXPECT_GT(value, previous) << key;
        previous = value;
    }
}

}  // namespace
