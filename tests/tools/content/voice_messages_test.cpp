// The voice messages' text: what a bad line is told, and the subtitle
// pictures' and menu words' refusals of texts they cannot show.
#include "tools/content/voice_messages.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/content/png_image.h"
#include "tools/content/subtitle_art.h"

namespace {

using content::ContentError;

const std::vector<content::SoundName> kSounds = {
    {1, "ok", "se", "CH01", 1, true},
    {100, "typea_x_01_00", "voice", "CH20", 1, true},
    {101, "typew_x_01_00", "voice", "CH24", 1, true},
};

// Every event of every speaker with the right number of lines of one voice.
std::string wholeText() {
    std::string text;
    auto add = [&](const std::string& speaker, const std::string& voice, int32_t events, auto lines) {
        for (int32_t e = 0; e < events; ++e) {
            text += speaker + " " + std::to_string(e);
            for (int32_t i = 0; i < lines(e); ++i) text += " " + voice;
            text += "\n";
        }
    };
    for (const char* pilot : {"typea", "typeb", "typec", "typed"}) {
        add(pilot, "typea_x_01_00", 17, content::pilotMessageLines);
    }
    add("typew", "typew_x_01_00", 20, content::announcerMessageLines);
    return text;
}

TEST(VoiceMessages, AWholeFileGivesEveryLineInSubtitleOrder) {
    const content::VoiceMessages m = content::parseVoiceMessages(wholeText(), "m.txt", kSounds);
    const auto lines = m.lines();
    ASSERT_EQ(lines.size(), 476u);
    EXPECT_EQ(lines.front()->soundId, 100);
    EXPECT_EQ(lines.back()->soundId, 101);
    const std::string header = content::voiceMessageTablesHeader(m, 1000);
    EXPECT_NE(header.find("{{5, 1000}, {5, 1005}"), std::string::npos);
    EXPECT_NE(header.find("{5, 1471}"), std::string::npos);  // the announcer's last event
}

TEST(VoiceMessages, BadLinesNameTheFileAndLine) {
    struct Case {
        std::string text;
        const char* message;
    };
    const std::string five = " typea_x_01_00 typea_x_01_00 typea_x_01_00 typea_x_01_00 typea_x_01_00\n";
    const Case cases[] = {
        {"typez 0" + five, "m.txt:1: unknown speaker typez"},
        {"typea 17" + five, "m.txt:1: no event 17"},
        {"typea 0 typea_x_01_00\n", "m.txt:1: event 0 has 5 lines"},
        {"typea 13" + five, "m.txt:1: event 13 has 10 lines"},
        {"typea 0" + five + "typea 0" + five, "m.txt:2: event 0 given twice"},
        {"typea 0 typea_x_01_00 typea_x_01_00 ok typea_x_01_00 typea_x_01_00\n", "m.txt:1: no voice ok"},
        {"typea 0\n", "m.txt:1: expected: speaker event voice..."},
        {"typea 0" + five, "m.txt: typea has no event 1"},
    };
    for (const Case& c : cases) {
        try {
            content::parseVoiceMessages(c.text, "m.txt", kSounds);
            ADD_FAILURE() << c.text;
        } catch (const ContentError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(Subtitles, TextsThePictureCannotShowAreRefused) {
    content::FontFace face(content::findFontFile("DejaVuSans-Bold.ttf", "fonts-dejavu-core"));
    content::Image image(144, 24);
    content::Cell cell(image, 0, 0, 144, 24);
    const std::string tooLong = "This line goes on and on and on, far past what two short rows can hold at all";
    struct Case {
        std::string text;
        const char* message;
    };
    const Case cases[] = {
        {tooLong, "does not fit its 144 x 24 picture"},
        {"Caf\xC3\xA9", "only printable ASCII is drawn"},
        {"   ", "has no text"},
    };
    for (const Case& c : cases) {
        try {
            content::drawSubtitle(cell, face, {c.text, 0, "typea_x_01_00"});
            ADD_FAILURE() << c.text;
        } catch (const ContentError& e) {
            EXPECT_NE(std::string(e.what()).find("subtitle of typea_x_01_00"), std::string::npos) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << e.what();
        }
    }
    content::drawSubtitle(cell, face, {"Two words", 4, "typew_x_01_00"});
    int32_t inked = 0;
    for (size_t i = 3; i < image.rgba.size(); i += 4) inked += image.rgba[i] != 0;
    EXPECT_GT(inked, 100);
}

TEST(Subtitles, AMenuWordTooWideForItsItemIsRefused) {
    content::FontFace face(content::findFontFile("DejaVuSans-Bold.ttf", "fonts-dejavu-core"));
    content::Image image(48, 12);
    content::Cell cell(image, 0, 0, 48, 12);
    content::drawLabel(cell, face, "ON");
    try {
        content::drawLabel(cell, face, "TRAINING MODE");
        ADD_FAILURE();
    } catch (const ContentError& e) {
        EXPECT_NE(std::string(e.what()).find("label \"TRAINING MODE\" does not fit its 48 x 12 picture"),
                  std::string::npos)
            << e.what();
    }
}

}  // namespace
