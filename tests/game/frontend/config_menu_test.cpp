// CONFIG: what applies at once (the arrangement only on a real change, the
// volumes even when clamped, the wallpaper), DEFAULT keeping the language
// and the cursor, the save before KEY CONFIG opens and the cursor kept on
// the way back, and values outside their rows.
#include "game/frontend/config_menu.h"

#include "game/frontend/main_menu.h"
#include "tests/game/frontend/menus_fixture.h"

namespace {

constexpr int32_t kSoundTypeRow = 8;
constexpr int32_t kVoiceRow = 9;
constexpr int32_t kKeyConfigRow = 18;
constexpr int32_t kDefaultRow = 19;

class ConfigMenuTest : public MenusFixture {
protected:
    void SetUp() override {
        MenusFixture::SetUp();
        configMenu.cursor = 0;
    }
    void TearDown() override {
        configMenu.cursor = 0;
        MenusFixture::TearDown();
    }
    void openOn(int32_t row) {
        storeSettings();
        configMenu.cursor = row;
        open(TSKconfigMenu);
        unlock();
        sounds.take();
    }
    // The drawn value and arrow texts of a row, by its y.
    std::vector<std::string> rowTexts(int32_t row) const {
        std::vector<std::string> out;
        for (const DrawnEntry& e : drawn) {
            if (e.type == kDrawBitmapText && e.y == 38.0f + 12.0f * float(row)) out.push_back(e.text);
        }
        return out;
    }
};

TEST_F(ConfigMenuTest, SoundTypeRestartsTheMusicOnlyOnARealChange) {
    gameSettings.SOUNDTYPE = 0;
    openOn(kSoundTypeRow);
    const int32_t original = soundLayerState().currentMusicNumber;
    pass(0, kLeft);
    EXPECT_TRUE(sounds.take().empty()) << "left on ORIGINAL restarts nothing";
    EXPECT_EQ(soundLayerState().currentMusicNumber, original);
    pass(0, kRight);
    EXPECT_EQ(gameSettings.SOUNDTYPE, 1);
    EXPECT_EQ(played("cursor"), 1);
    const int32_t arranged = soundLayerState().currentMusicNumber;
    ASSERT_NE(arranged, -1);
    EXPECT_NE(arranged, original) << "the menu music again, in the new arrangement";
}

TEST_F(ConfigMenuTest, VoiceVolumeReachesTheSoundLayerAtOnceWithTheNextSampleVoice) {
    gameSettings.VOICE_VOLUME = 100;
    openOn(kVoiceRow);
    const int32_t first = configVoiceSampleCounter;
    const char* const voices[] = {"typea_leader_01_00", "typeb_leader_01_00", "typec_leader_01_00",
                                  "typed_leader_01_00"};
    const SoundLayerState kept = soundLayerState();
    soundLayerState().masterVoices = 128;
    soundLayerState().soundFileVolume[289] = 100;
    EXPECT_EQ(soundMixedVolume(289), 100);
    pass(0, kLeft);
    EXPECT_EQ(gameSettings.VOICE_VOLUME, 90);
    EXPECT_EQ(soundMixedVolume(289), 90);
    soundLayerState() = kept;
    EXPECT_EQ(played("cursor"), 1);
    EXPECT_EQ(played(voices[first % 4]), 1);
    EXPECT_EQ(configVoiceSampleCounter, first + 1);
    configMenu.values[kVoiceRow] = 0;
    gameSettings.VOICE_VOLUME = 0;
    sounds.take();
    soundLayerState().soundGuard.fill(0);
    pass(0, kLeft);
    EXPECT_EQ(gameSettings.VOICE_VOLUME, 0);
    EXPECT_EQ(played("cursor"), 0);
    EXPECT_EQ(configVoiceSampleCounter, first + 2) << "the rotation goes on at volume 0";
}

TEST_F(ConfigMenuTest, DisplayRowsApplyAtOnceAndOtherRowsOnLeaving) {
    gameSettings.DISP_WALLTYPE = 0;
    gameSettings.FPS_DISP = 0;
    openOn(7);
    pass(0, kRight);
    EXPECT_EQ(gameSettings.DISP_WALLTYPE, 1) << "the wallpaper changes while the menu is shown";
    configMenu.cursor = 14;
    pass(0, kRight);
    EXPECT_EQ(configMenu.values[14], 1);
    EXPECT_EQ(gameSettings.FPS_DISP, 0);
    configMenu.cursor = 20;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 3);
    ASSERT_TRUE(runOut());
    EXPECT_EQ(gameSettings.FPS_DISP, 1);
    EXPECT_TRUE(configHas("FPS_DISP=1"));
    EXPECT_TRUE(configHas("DISP_WALLTYPE=1"));
}

TEST_F(ConfigMenuTest, DefaultKeepsTheLanguageAndTheCursor) {
    gameSettings.LANGUAGE = 1;
    gameSettings.SE_VOLUME = 30;
    gameSettings.SOUNDTYPE = 2;
    gameSettings.DISP_SCALE_X = 333;
    openOn(kDefaultRow);
    pass(kButton1);
    EXPECT_EQ(played("ok"), 1);
    EXPECT_EQ(menu->state, 100);
    EXPECT_EQ(configMenu.cursor, kDefaultRow);
    EXPECT_EQ(gameSettings.LANGUAGE, 1);
    EXPECT_EQ(configMenu.values[0], 1);
    EXPECT_EQ(gameSettings.SE_VOLUME, 100);
    EXPECT_EQ(gameSettings.DISP_SCALE_X, 200);
    EXPECT_EQ(configMenu.values[kSoundTypeRow], 0);
    EXPECT_EQ(gameSettings.SOUNDTYPE, 2) << "the arrangement follows on leaving";
}

TEST_F(ConfigMenuTest, KeyConfigSavesBeforeItOpensAndTheCursorComesBackToIt) {
    gameSettings.SE_VOLUME = 100;
    openOn(10);
    pass(0, kLeft);
    configMenu.cursor = kKeyConfigRow;
    pass(kButton1);
    EXPECT_EQ(menuResultCode, 10);
    EXPECT_FALSE(configHas("SE_VOLUME=90"));
    ASSERT_TRUE(runOut());
    EXPECT_TRUE(configHas("SE_VOLUME=90"));
    open(TSKconfigMenu);
    EXPECT_EQ(configMenu.cursor, kKeyConfigRow);
    EXPECT_EQ(configMenu.values[10], 90);
}

TEST_F(ConfigMenuTest, ValuesShowWithTheirArrowsAndOutsideTheirNamesAsNumbers) {
    gameSettings.DISP_SCALE_X = 350;
    gameSettings.DISP_SCALE_Y = 100;
    gameSettings.FPS_DISP = 7;  // config.txt may hold any number
    openOn(0);
    EXPECT_EQ(rowTexts(2), (std::vector<std::string>{"SCREEN SCALE X", "350%", "<            "}));
    EXPECT_EQ(rowTexts(3), (std::vector<std::string>{"SCREEN SCALE Y", "100%", "            >"}));
    EXPECT_EQ(rowTexts(14), (std::vector<std::string>{"FPS DISP", "7", "<           >"}));
    EXPECT_EQ(rowTexts(18), (std::vector<std::string>{"KEY CONFIG"}));
    configMenu.cursor = 2;
    pass(0, kLeft);
    EXPECT_EQ(configMenu.values[2], 349);
    EXPECT_EQ(gameSettings.DISP_SCALE_X, 349);
}

}  // namespace
