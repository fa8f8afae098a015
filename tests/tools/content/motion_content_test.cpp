// The scene-motion content reader: what a file says becomes motions with
// their layers and keys, copies swap their pictures, and a bad line stops
// the run naming its file and line.
#include <gtest/gtest.h>

#include <map>
#include <string>

#include "tools/content/content_context.h"
#include "tools/content/motion_content.h"

namespace {

using content::ContentError;
using content::MotionFileSpec;

MotionFileSpec readFrom(const std::map<std::string, std::string>& files) {
    return content::readMotionContent("motion/a.txt", [&](std::string_view name) {
        const auto it = files.find(std::string(name));
        if (it == files.end()) throw ContentError(std::string(name) + ": cannot be read");
        return it->second;
    });
}

constexpr const char* kPictures =
    "picture dot glow 16 ff0000\n"
    "picture dot2 glow 16 00ff00\n"
    "picture word text 12 ffffff TWO WORDS|NEXT LINE\n";

TEST(MotionContentTest, KeysKeepTheValuesTheyDoNotSet) {
    const MotionFileSpec spec = readFrom({{"motion/a.txt", std::string(kPictures) +
                                                               "object thing\n"
                                                               "motion run 60 loop\n"
                                                               "layer glow dot add\n"
                                                               "key 10 x=5 y=-2.5 zoom=2 opa=100\n"
                                                               "key 30 hold a=90 ease=out\n"
                                                               "key 40 hide\n"
                                                               "layer tip -\n"
                                                               "key 0 y=-8\n"}});
    const content::MotionSpec* run = spec.motion("thing", "run");
    ASSERT_NE(run, nullptr);
    EXPECT_EQ(run->length, 60);
    EXPECT_TRUE(run->loops);
    ASSERT_EQ(run->layers.size(), 2u);
    const content::MotionLayerSpec& glow = run->layers[0];
    EXPECT_TRUE(glow.additive);
    ASSERT_EQ(glow.keys.size(), 3u);
    EXPECT_EQ(glow.keys[1].x, 5.0f);
    EXPECT_EQ(glow.keys[1].y, -2.5f);
    EXPECT_EQ(glow.keys[1].zoomY, 2.0f);
    EXPECT_EQ(glow.keys[1].opacity, 100);
    EXPECT_EQ(glow.keys[1].angle, 90.0f);
    EXPECT_TRUE(glow.keys[1].hold);
    EXPECT_EQ(glow.keys[1].ease, content::MotionEase::kOut);
    EXPECT_TRUE(glow.keys[2].hidden);
    EXPECT_EQ(glow.keys[2].ease, content::MotionEase::kLinear);
    EXPECT_EQ(run->layers[1].picture, "");
    EXPECT_EQ(spec.picture("word")->lines, (std::vector<std::string>{"TWO WORDS", "NEXT LINE"}));
}

TEST(MotionContentTest, CopiesSwapPicturesAndIncludesShareScenes) {
    const MotionFileSpec spec =
        readFrom({{"motion/a.txt", std::string(kPictures) + "object thing\ninclude motion/b.txt\n"},
                  {"motion/b.txt", "motion one 20\nlayer glow dot\nkey 0\nsame two as one dot=dot2\n"}});
    ASSERT_NE(spec.motion("thing", "two"), nullptr);
    EXPECT_EQ(spec.motion("thing", "two")->layers[0].picture, "dot2");
    EXPECT_EQ(spec.motion("thing", "one")->layers[0].picture, "dot");
}

TEST(MotionContentTest, BadLinesNameTheirFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"picture p glow 16 red\n", "motion/a.txt:1: not a colour RRGGBB: red"},
        {"picture p blob 16\n", "motion/a.txt:1: unknown picture kind blob"},
        {"picture p glow 0 ffffff\n", "motion/a.txt:1: picture p has no size or too big a size"},
        {"motion m 10\n", "motion/a.txt:1: a motion needs an object line before it"},
        {"object o\nmotion m 99999999999\n", "motion/a.txt:2: out of range: 99999999999"},
        {"object o\nmotion m 10\nlayer l -\nkey 0 x=nan\n", "motion/a.txt:4: not a number: nan"},
        {"object o\nmotion m 10\nkey 0\n", "motion/a.txt:3: a key needs a layer line before it"},
        {"object o\nmotion m 10\nlayer l nothing\n", "motion/a.txt:3: no picture nothing"},
        {"object o\nmotion m 10\nlayer l -\nkey 0\nlayer l -\n", "motion/a.txt:5: layer l is already in motion m"},
        {"object o\nmotion m 10\nlayer l -\nkey 5\nkey 5\n", "motion/a.txt:5: keys must come in ascending time"},
        {"object o\nmotion m 10\nlayer l -\nkey 11\n", "motion/a.txt:4: the key lies outside the motion"},
        {"object o\nmotion m 10\nlayer l -\nkey 0 spin=3\n", "motion/a.txt:4: unknown key value spin"},
        {"object o\nsame n as m\n", "motion/a.txt:2: no earlier motion m of object o"},
        {"object o\nmotion m 10\nlayer l -\n", "motion/a.txt: layer l of m has no keys"},
    };
    for (const auto& c : cases) {
        try {
            readFrom({{"motion/a.txt", c.text}});
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ContentError& error) {
            EXPECT_EQ(std::string(error.what()), c.message) << c.text;
        }
    }
}

}  // namespace
