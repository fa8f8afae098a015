// "config.txt": the line rules through load and save, the clamps, the words
// each load sets, and the default copy.
#include "game/records/settings_file.h"

#include <algorithm>
#include <map>

#include "game/core/wheel_config.h"
#include "tests/game/records/records_fixture.h"

namespace {

class SettingsFileTest : public RecordsTest {
protected:
    void writeConfig(const std::string& text) { folder.dir().write("root/config.txt", text); }
    std::string savedConfig() const { return WorkingFolder::read(root("config.txt")); }

    // Every key in table order with its default, or the value given.
    static std::string keyLines(const std::map<std::string, int>& values, const std::string& skip = "") {
        return keyLinesSkipping(values, {skip});
    }
    static std::string keyLinesSkipping(const std::map<std::string, int>& values,
                                        const std::vector<std::string>& skipped) {
        std::string text;
        for (const SettingKey& key : kSettingKeyTable) {
            if (std::find(skipped.begin(), skipped.end(), key.key) != skipped.end()) continue;
            const auto found = values.find(key.key);
            text += std::string(key.key) + "=" +
                    std::to_string(found == values.end() ? key.defaultValue : found->second) + "\n";
        }
        return text;
    }
    // The log lines of a load that finds only the keys given.
    static std::vector<std::string> missingKeyLines(const std::vector<std::string>& found) {
        std::vector<std::string> lines;
        for (const SettingKey& key : kSettingKeyTable) {
            if (std::find(found.begin(), found.end(), key.key) == found.end()) {
                lines.push_back(std::string(key.key) + " config read error");
            }
        }
        return lines;
    }
    static int32_t valueOf(const char* name) {
        for (const SettingKey& key : kSettingKeyTable) {
            if (std::string(key.key) == name) return gameSettings.*key.setting;
        }
        ADD_FAILURE() << name;
        return 0;
    }
};

TEST_F(SettingsFileTest, LineRuleCasesGiveTheirValuesTheSavedTextAndTheLogLines) {
    struct Case {
        const char* name;
        std::string file;
        std::map<std::string, int> values;   // settings that differ from the defaults after load
        std::vector<std::string> found;      // keys whose lookup logs nothing
        std::vector<std::string> extraLog;   // lines besides the missing keys'
        std::string saved;
    };
    const Case cases[] = {
        {"SOUND_OUT only", "SOUND_OUT=0\n", {{"SOUND_OUT", 0}}, {"SOUND_OUT"}, {},
         "SOUND_OUT=0\n" + keyLines({}, "SOUND_OUT")},
        {"BG_BRIGHTNESS=25", "BG_BRIGHTNESS=25\n", {}, {"BG_BRIGHTNESS"}, {},
         "BG_BRIGHTNESS=10\n" + keyLines({}, "BG_BRIGHTNESS")},
        {"no final line break", "SOUND_OUT=0", {}, {}, {}, keyLines({})},
        {"SOUNDTYPE=3", "SOUNDTYPE=3\n", {}, {"SOUNDTYPE"}, {}, "SOUNDTYPE=0\n" + keyLines({}, "SOUNDTYPE")},
        {"SOUNDTYPE=2", "SOUNDTYPE=2\n", {{"SOUNDTYPE", 2}}, {"SOUNDTYPE"}, {},
         "SOUNDTYPE=2\n" + keyLines({{"SOUNDTYPE", 2}}, "SOUNDTYPE")},
        {"FPS_DISP=-1", "FPS_DISP=-1\n", {{"FPS_DISP", -1}}, {"FPS_DISP"}, {},
         "FPS_DISP=-1\n" + keyLines({{"FPS_DISP", -1}}, "FPS_DISP")},
        {"FPS_DISP=-", "FPS_DISP=-\n", {}, {}, {}, "FPS_DISP=0\n" + keyLines({}, "FPS_DISP")},
        {"= 1", "FPS_DISP= 1\n", {}, {"FPS_DISP"}, {}, "FPS_DISP=0\n" + keyLines({}, "FPS_DISP")},
        {"comment", "; BGM_VOLUME=50\n", {}, {}, {}, "; BGM_VOLUME=50\n" + keyLines({})},
        {"80abc", "DISP_SCALE_X=80abc\n", {{"DISP_SCALE_X", 80}}, {"DISP_SCALE_X"}, {},
         "DISP_SCALE_X=80\n" + keyLines({{"DISP_SCALE_X", 80}}, "DISP_SCALE_X")},
        {"saturated", "GAME_RANK=99999999999\n", {{"GAME_RANK", 2147483647}}, {"GAME_RANK"}, {},
         "GAME_RANK=2147483647\n" + keyLines({{"GAME_RANK", 2147483647}}, "GAME_RANK")},
        {"volumes out of their percent range", "SE_VOLUME=99999999999\nBGM_VOLUME=-40\nVOICE_VOLUME=250\n",
         {{"BGM_VOLUME", 0}}, {"SE_VOLUME", "BGM_VOLUME", "VOICE_VOLUME"}, {},
         "SE_VOLUME=100\nBGM_VOLUME=0\nVOICE_VOLUME=100\n" +
             keyLinesSkipping({}, {"SE_VOLUME", "BGM_VOLUME", "VOICE_VOLUME"})},
    };
    for (const Case& c : cases) {
        writeConfig(c.file);
        folder.clearLog();
        configLoad();
        for (const SettingKey& key : kSettingKeyTable) {
            const auto found = c.values.find(key.key);
            EXPECT_EQ(gameSettings.*key.setting, found == c.values.end() ? key.defaultValue : found->second)
                << c.name << ": " << key.key;
        }
        EXPECT_EQ(folder.logLines(), missingKeyLines(c.found)) << c.name;
        folder.clearLog();
        configSave();
        EXPECT_EQ(savedConfig(), c.saved) << c.name;
    }
}

TEST_F(SettingsFileTest, EveryLoadSetsTheWordsTheFileDoesNotKeep) {
    writeConfig(keyLines({}));
    for (int32_t& word : reinterpret_cast<int32_t(&)[101]>(gameSettings)) word = 77;
    configLoad();
    EXPECT_EQ(gameSettings.enemyShotDraw, 1);
    EXPECT_EQ(gameSettings.unusedAfterVolumes, 0);
    EXPECT_EQ(gameSettings.unusedBeforeFrameSkip, 0);
    EXPECT_EQ(gameSettings.unusedAfterTrainingRank, 0);
    EXPECT_EQ(gameSettings.systemWord, 3);
    EXPECT_EQ(gameSettings.trainingWordA, 3);
    EXPECT_EQ(gameSettings.trainingWordB, 3);
    EXPECT_EQ(gameSettings.reserved[0], 77);
    EXPECT_TRUE(folder.logLines().empty());
}

TEST_F(SettingsFileTest, SaveKeepsLinesOfOtherKeysAndMissingFileGivesDefaults) {
    writeConfig("# written by hand ; keep\nOTHER=5\nSE_VOLUME=40\n");
    configLoad();
    EXPECT_EQ(gameSettings.SE_VOLUME, 40);
    gameSettings.SE_VOLUME = 70;
    configSave();
    EXPECT_EQ(savedConfig(), "# written by hand ; keep\nOTHER=5\nSE_VOLUME=70\n" + keyLines({}, "SE_VOLUME"));

    std::filesystem::remove(root("config.txt"));
    gameSettings = GameSettings{};
    folder.clearLog();
    configLoad();  // the table keeps what the save above loaded
    EXPECT_EQ(gameSettings.SE_VOLUME, 70);
    EXPECT_EQ(folder.logLines(), (std::vector<std::string>{
                                     "SDL2_wheel_FileGetSize Not Find File = " + root("config.txt"),
                                     root("config.txt") + " config file read error"}));
}

TEST_F(SettingsFileTest, TheDefaultFileIsCopiedOnlyWhenThereIsNone) {
    configEnsureFile();
    EXPECT_FALSE(std::filesystem::exists(root("config.txt")));
    EXPECT_EQ(folder.logLines(), std::vector<std::string>{"SDL2_wheel_FileGetSize Not Find File = " +
                                                          folder.path("resource/data/config.txt")});
    const std::string defaults = "; defaults\r\nSOUND_OUT=1\n" + std::string("\0\x01\xff", 3);
    folder.dir().write("resource/data/config.txt", defaults);
    configEnsureFile();
    EXPECT_EQ(savedConfig(), defaults);
    writeConfig("SOUND_OUT=0\n");
    configEnsureFile();
    EXPECT_EQ(savedConfig(), "SOUND_OUT=0\n");
}

}  // namespace
