// The front end's words: the character checks and what they refuse (naming
// file and line), the tables as the game holds them (sizes and counts), and
// the spoken lines, whose texts are their voices' own.
#include "tools/content/front_words.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>

#include "game/frontend/front_words.h"
#include "game/frontend/play_scenes/kana_font.h"
#include "game/records/save_payload.h"
#include "tools/content/front_pictures.h"
#include "tools/content/sound_names.h"
#include "tools/content/voice_lines.h"

namespace {

namespace fs = std::filesystem;
using content::ContentError;

const content::ContentContext& realContent() {
    static const content::ContentContext context({HALVIR_CONTENT_DIR, {}, {}, {}});
    return context;
}

std::string readFile(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The files the words read, copied to a folder of their own; one file's
// text may be replaced.
class FrontWordsFolder : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("front_words_test_" + std::to_string(::getpid()));
        fs::remove_all(root);
        for (const char* file : {"words/leader_lines.txt", "words/parting_lines.txt", "words/credit_roll.txt",
                                 "words/front_texts.txt", "words/pictures.txt", "sprites/sprites.txt", "sound/sounds.csv",
                                 "fonts/repertoire.txt"}) {
            fs::create_directories((root / file).parent_path());
            fs::copy_file(fs::path(HALVIR_CONTENT_DIR) / file, root / file);
        }
    }
    void TearDown() override { fs::remove_all(root); }
    void replace(const char* file, const std::string& from, const std::string& to) {
        std::string text = readFile(root / file);
        const size_t at = text.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        text.replace(at, from.size(), to);
        std::ofstream(root / file, std::ios::binary) << text;
    }
    std::string refusal() {
        const content::ContentContext context({root, {}, {}, {}});
        try {
            content::readFrontWords(context);
        } catch (const ContentError& e) {
            return e.what();
        }
        return "";
    }
    fs::path root;
};

TEST(FrontWordsKana, TheKanaCheckRefusesWhatTheFontCannotDraw) {
    const std::set<char32_t> kana = content::kanaRepertoire(realContent());
    EXPECT_NO_THROW(content::checkKanaLine("よくやった！ステージ１、クリア。", kana, "f.txt", 3));
    EXPECT_NO_THROW(content::checkKanaLine("あいうえおかきくけこさしすせそたち￥あいうえおかきくけこさしすせそたち", kana, "f.txt", 3));
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {"よく漢字", "f.txt:7: the kana font has no U+6F22"},
        {"ABC", "f.txt:7: the kana font has no U+0041"},
        {"ゔ", "f.txt:7: the kana font has no U+3094"},
        {"あいうえおかきくけこさしすせそたちつ", "f.txt:7: a row holds at most 17 characters"},
        {"あ￥い￥う", "f.txt:7: a line has at most two rows"},
        {"", "f.txt:7: 1 to 255 bytes"},
        {"\xE3\x81", "f.txt:7: bad UTF-8"},
    };
    for (const Case& c : cases) {
        try {
            content::checkKanaLine(c.text, kana, "f.txt", 7);
            ADD_FAILURE() << c.text;
        } catch (const ContentError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

// The generator's kana are the game's: every character it lets through has
// its sprite in drawKanaLine's font, at the frame the sprite content gives.
TEST(FrontWordsKana, TheCheckedCharactersAreTheGameKanaFont) {
    const std::set<char32_t> kana = content::kanaRepertoire(realContent());
    EXPECT_EQ(kana.size(), 211u + 1u);
    for (char32_t c : kana) {
        if (c != content::kKanaBreak) EXPECT_NE(kanaFontFrame(uint32_t(c)), kKanaNoFrame) << uint32_t(c);
    }
}

TEST_F(FrontWordsFolder, EachFileRefusesABadLineByFileAndLine) {
    struct Case {
        const char* file;
        std::string from, to;
        const char* message;
    };
    const Case cases[] = {
        {"words/leader_lines.txt", "typea_result_001_00 | よくやった。", "typea_result_001_00 | 良くやった。",
         "words/leader_lines.txt:12: the kana font has no U+826F"},
        {"words/leader_lines.txt", "typea_result_001_00", "typea_result_099_00",
         "words/leader_lines.txt:12: no line of the table has the voice typea_result_099_00"},
        {"words/leader_lines.txt", "typeb_result_017_00b", "typeb_result_017_00a",
         "words/leader_lines.txt:55: no line of the table has the voice typeb_result_017_00a"},
        {"words/parting_lines.txt", "typed_gameclear_005_00 | だいすきなそら、まもれたよ！\n", "",
         "words/parting_lines.txt: no line for the voice typed_gameclear_005_00"},
        {"words/credit_roll.txt", "right 2 | KORO-BUN", "right 2 | KORO\xC3\xA9",
         "words/credit_roll.txt:"},
        {"words/credit_roll.txt", "centre 2 | SEE YOU IN THE SKY", "centre 2 | SEE YOU IN THE SKY AGAIN AND AGAIN",
         "words/credit_roll.txt:"},
        {"words/front_texts.txt", "pilot_b | カドル", "pilot_b | カドルス",
         "words/front_texts.txt:11: the name is 3 katakana"},
        {"words/front_texts.txt", "login | 表示します", "login | 表示しません鬱",
         "words/front_texts.txt:20: the PSB fonts have no U+9B31"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SetUp();
        replace(c.file, c.from, c.to);
        const std::string message = refusal();
        EXPECT_EQ(message.rfind(c.message, 0), 0u) << message;
    }
}

TEST_F(FrontWordsFolder, ThePicturesWordsAreCheckedAgainstTheirFaces) {
    const content::ContentContext context({root, {}, {}, {}});
    EXPECT_NO_THROW(content::checkFrontPictureWords(context));
    struct Case {
        std::string from, to;
        const char* message;
    };
    const Case cases[] = {
        {"tutorial_en 1 | MOVE", "tutorial_en 1 | MOVE \xE6\xBC\xA2", "words/pictures.txt:20: DejaVuSans-Bold.ttf has no U+6F22"},
        {"tutorial_ja 4 | ", "tutorial_ja 14 | ", "words/pictures.txt: no words for tutorial_ja 4"},
        {"credit 2 | THE END", "credit 2 | THE END\ncredit 3 | MORE", "words/pictures.txt:56: no picture credit 3"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        SetUp();
        replace("words/pictures.txt", c.from, c.to);
        try {
            content::checkFrontPictureWords(context);
            ADD_FAILURE();
        } catch (const ContentError& e) {
            EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
        }
    }
}

TEST(FrontWordsTables, TheGameHoldsTheTablesAtTheirSizes) {
    EXPECT_EQ(sizeof leaderLineTable, 4u * 50u * 256u);
    EXPECT_EQ(sizeof partingLineTable, 4u * 10u * 256u);
    EXPECT_EQ(sizeof creditRollTable, 16u * 30u * 144u);
    const content::FrontWords words = content::readFrontWords(realContent());
    for (int32_t t = 0; t < kFrontWordTypes; ++t) {
        for (int32_t i = 0; i < kLeaderLineSlots; ++i) {
            const std::string want = i < kLeaderLinesUsed ? words.leader[size_t(t)][size_t(i)] : "";
            EXPECT_EQ(leaderLineTable[t][i], want) << t << " " << i;
            EXPECT_LT(std::strlen(leaderLineTable[t][i]), 256u);
        }
        for (int32_t i = 0; i < kPartingLineCount; ++i) {
            EXPECT_EQ(partingLineTable[t][i], words.parting[size_t(t)][size_t(i)]);
            EXPECT_GT(std::strlen(partingLineTable[t][i]), 0u);
        }
        EXPECT_EQ(rankingPilotNames[t], words.pilots[size_t(t)]);
    }
    int32_t texts = 0;
    for (const auto& page : creditRollTable) {
        for (const CreditRollRow& row : page) {
            EXPECT_TRUE(row.style == 0 || row.style == 1 || row.style == 3);
            EXPECT_LT(std::strlen(row.text), 128u);
            if (row.kind == 0 && row.text[0] != '\0') ++texts;
            if (row.kind == 1) EXPECT_LT(row.picture, content::kCreditPictures);
        }
    }
    EXPECT_GT(texts, 30);
    EXPECT_STRNE(titleNoticeLine, "");
    EXPECT_EQ(loginScreenTextCount, int32_t(words.login.size()));
}

// The sound bank speaks what the tables write: the voice of every leader and
// parting line says that line's text.
TEST(FrontWordsVoices, EachLineIsWhatItsVoiceSays) {
    std::map<int, std::string> names;
    for (const content::SoundName& s : content::readSoundNames(realContent())) names[s.id] = s.name;
    const auto leaderIds = content::leaderLineVoiceIds();
    const auto partingIds = content::partingLineVoiceIds();
    EXPECT_EQ(leaderIds[0][0], 311);
    EXPECT_EQ(leaderIds[1][15], 481);
    EXPECT_EQ(leaderIds[1][16], 483);
    EXPECT_EQ(leaderIds[1][24], 491);
    EXPECT_EQ(leaderIds[3][24], 799);
    std::vector<std::string> voices;
    for (const auto& type : leaderIds) {
        for (int32_t id : type) voices.push_back(names.at(id));
    }
    for (const auto& type : partingIds) {
        for (int32_t id : type) voices.push_back(names.at(id));
    }
    const std::vector<std::string> said = content::writeLineTexts(realContent(), voices);
    size_t k = 0;
    for (int32_t t = 0; t < kFrontWordTypes; ++t) {
        for (int32_t i = 0; i < kLeaderLinesUsed; ++i) EXPECT_EQ(said[k++], leaderLineTable[t][i]) << voices[k - 1];
    }
    for (int32_t t = 0; t < kFrontWordTypes; ++t) {
        for (int32_t i = 0; i < kPartingLineCount; ++i) EXPECT_EQ(said[k++], partingLineTable[t][i]) << voices[k - 1];
    }
}

}  // namespace
