// The default settings file and the opening's cue frames: every key, its
// default, and each key read from its own line.
#include <gtest/gtest.h>

#include <cstdio>

#include "tests/tools/content/key_value_reader.h"

namespace {

struct Setting {
    const char* key;
    int64_t value;
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
    const KeyValueLines text = readKeyValueLines(HALVIR_RESOURCE_DIR "/data/config.txt");
    EXPECT_TRUE(text.endsWithLineFeed);
    ASSERT_EQ(text.lines.size(), std::size(kSettings));
    for (size_t i = 0; i < std::size(kSettings); ++i) {
        const auto match = findKey(text, kSettings[i].key);
        ASSERT_TRUE(match.has_value()) << kSettings[i].key;
        EXPECT_EQ(match->line, i) << kSettings[i].key;
        EXPECT_EQ(match->value, kSettings[i].value) << kSettings[i].key;
        // The game's reader takes no sign: every value starts with a digit.
        EXPECT_EQ(text.lines[i], std::string(kSettings[i].key) + "=" + std::to_string(kSettings[i].value));
    }
}

TEST(DefaultTextsTest, TheOpeningHasThirteenRisingCueFrames) {
    const KeyValueLines text = readKeyValueLines(HALVIR_RESOURCE_DIR "/sound/voice/opning_config.txt");
    EXPECT_TRUE(text.endsWithLineFeed);
    int64_t previous = -1;
    for (int cue = 1; cue <= 13; ++cue) {
        char key[32];
        std::snprintf(key, sizeof key, "VO_OP_%03d_00", cue);
        const auto match = findKey(text, key);
        ASSERT_TRUE(match.has_value()) << key;
        EXPECT_EQ(text.lines[match->line].rfind(key, 0), 0u) << key;
        EXPECT_GT(match->value, previous) << key;
        previous = match->value;
    }
}

}  // namespace
