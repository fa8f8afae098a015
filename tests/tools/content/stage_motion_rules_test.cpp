// The generator's checks of the stages' motion files: the rules text, each
// fault named at its file and line; the rigs the files share their bodies
// through; the gun pictures' muzzles; and the stage-3 hulk's turret markers
// standing on the mounts its body motion draws.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "tools/content/content_context.h"
#include "tools/content/machine_art.h"
#include "tools/content/motion_content.h"
#include "tools/content/sprite_layout.h"
#include "tools/content/stage_motion_rules.h"

namespace {

using content::ContentError;

content::MotionFileSpec stageRulesMotion(const std::string& text) {
    return content::readMotionContent("motion/b.txt", [&](std::string_view) { return text; });
}

constexpr const char* kStageRulesText =
    "file b boss\n"
    "label boss appear 10 20 once\n"
    "label boss idle 5 10 loop\n"
    "locators turret 0 1\n"
    "area 50 50\n"
    "below turret01\n";

constexpr const char* kStageRulesBody =
    "picture p hull 20 10 808080\n"
    "rig points\n"
    "layer turret00 -\n"
    "key 0 x=0 y=-10\n"
    "layer turret01 -\n"
    "key 0 x=0 y=10\n"
    "rig body\n"
    "layer hull p\n"
    "key 0\n"
    "object boss\n";

std::string stageRulesFault(const std::string& motions, const char* rules = kStageRulesText) {
    const std::vector<content::StageMotionRules> all = content::readStageMotionRules(rules, "motion/rules.txt");
    try {
        content::checkStageMotion(all.at(0), stageRulesMotion(std::string(kStageRulesBody) + motions),
                                  "motion/rules.txt");
    } catch (const ContentError& error) {
        return error.what();
    }
    return "";
}

TEST(StageMotionRulesTest, AFileThatKeepsTheRulesPasses) {
    EXPECT_EQ(stageRulesFault("motion appear 15\nuse body\nuse points\nmotion idle 8 loop\nuse points\nuse body\n"),
              "");
}

TEST(StageMotionRulesTest, EachFaultNamesTheLineAtFault) {
    const struct {
        const char* motions;
        const char* fault;
    } cases[] = {
        {"motion appear 30\nuse points\nmotion idle 8 loop\nuse points\n",
         "motion/b.txt:11: boss/appear: lasts 30 frames; motion/rules.txt:2 asks 10 to 20"},
        {"motion appear 15 loop\nuse points\nmotion idle 8 loop\nuse points\n",
         "motion/b.txt:11: boss/appear: must not loop"},
        {"motion appear 15\nuse points\n", "motion/rules.txt:3: b: no label boss/idle"},
        {"motion appear 15\nuse points\nmotion idle 8 loop\nuse points\nmotion extra 8\nuse points\n",
         "motion/b.txt:15: boss/extra: a label the game does not play"},
        {"motion appear 15\nuse body\nmotion idle 8 loop\nuse points\n",
         "motion/b.txt:11: boss/appear: no locator turret00"},
        {"motion appear 15\nuse points\nlayer smoke00 -\nkey 0\nmotion idle 8 loop\nuse points\n",
         "motion/b.txt:11: boss/appear: locator smoke00 is one the game does not read"},
        {"motion appear 15\nlayer turret00 -\nkey 0 x=60\nlayer turret01 -\nkey 0 y=10\nmotion idle 8 loop\nuse "
         "points\n",
         "motion/b.txt:11: boss/appear: locator turret00 lies outside the body"},
        {"motion appear 15\nlayer turret00 -\nkey 0\nlayer turret01 -\nkey 0 y=-1\nmotion idle 8 loop\nuse points\n",
         "motion/b.txt:11: boss/appear: locator turret01 fires down but lies on the upper half"},
    };
    for (const auto& c : cases) EXPECT_EQ(stageRulesFault(c.motions), c.fault) << c.motions;
}

TEST(StageMotionRulesTest, StillPointsAndPictureCountsAreHeld) {
    const char* rules =
        "file b boss\nlabel boss idle 5 10 loop\nlocator turret00\nlocator turret01\nsteady turret00\n"
        "pictures boss idle 1\n";
    EXPECT_EQ(stageRulesFault("motion idle 8 loop\nuse points\nuse body\n", rules), "");
    EXPECT_EQ(stageRulesFault("motion idle 8 loop\nuse points\n", rules),
              "motion/b.txt:11: boss/idle: draws 0 picture layers, not 1");
    EXPECT_EQ(stageRulesFault(
                  "motion idle 8 loop\nuse body\nlayer turret00 -\nkey 0\nkey 8 x=1\nlayer turret01 -\nkey 0\n", rules),
              "motion/b.txt:11: boss/idle: locator turret00 moves, but the game reads it while the label is paused");
}

TEST(StageMotionRulesTest, BadRuleLinesNameTheirLine) {
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {"label boss a 1 2 once\n", "motion/rules.txt:1: a rule needs a file line before it"},
        {"file b boss\nlabel boss a 5 2 once\n", "motion/rules.txt:2: the shortest length is above the longest"},
        {"file b boss\nlabel boss a 1 2 often\n", "motion/rules.txt:2: a label is once or loop"},
        {"file b boss\nfile b boss\n", "motion/rules.txt:2: file b is already listed"},
        {"file b boss\nspin 3\n", "motion/rules.txt:2: unknown rule spin"},
    };
    for (const auto& c : cases) {
        try {
            content::readStageMotionRules(c.text, "motion/rules.txt");
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ContentError& error) {
            EXPECT_EQ(std::string(error.what()), c.fault);
        }
    }
}

TEST(StageMotionRulesTest, RigsCopyTheirLayersIntoEachMotionThatUsesThem) {
    const content::MotionFileSpec spec = stageRulesMotion(std::string(kStageRulesBody) +
                                                          "motion a 12\nuse body\nlayer lamp p add\nkey 0\n"
                                                          "object other\nmotion b 3\nuse points\n");
    ASSERT_NE(spec.motion("boss", "a"), nullptr);
    EXPECT_EQ(spec.motion("boss", "a")->layers.size(), 2u);
    EXPECT_EQ(spec.motion("boss", "a")->line, 11);
    EXPECT_EQ(spec.motion("other", "b")->layers.at(1).keys.at(0).y, 10.0f);
    const struct {
        const char* text;
        const char* fault;
    } cases[] = {
        {"object o\nmotion m 5\nuse none\n", "motion/b.txt:3: no rig none"},
        {"rig r\nlayer l -\nkey 9\nobject o\nmotion m 5\nuse r\n",
         "motion/b.txt:6: layer l of rig r has keys past the motion's end"},
        {"rig r\nlayer l -\nkey 0\nobject o\nmotion m 5\nlayer l -\nkey 0\nuse r\n",
         "motion/b.txt:8: layer l is already in motion m"},
        {"rig r\nrig r\n", "motion/b.txt:2: rig r is already defined"},
        {"use r\n", "motion/b.txt:1: use needs a motion line before it"},
        {"rig r\nlayer l -\n", "motion/b.txt: layer l of rig r has no keys"},
    };
    for (const auto& c : cases) {
        try {
            stageRulesMotion(c.text);
            ADD_FAILURE() << "accepted: " << c.text;
        } catch (const ContentError& error) {
            EXPECT_EQ(std::string(error.what()), c.fault);
        }
    }
}

TEST(StageMotionRulesTest, AGunsMuzzleIsOnItsLowerEdge) {
    content::MotionPicture gun;
    gun.kind = content::PictureKind::kGun;
    gun.width = gun.height = 24;
    gun.colour = 0xc0c0c0;
    const content::Image image = content::drawGun(gun);
    ASSERT_EQ(image.width, 24);
    EXPECT_GT(image.pixel(11, 22)[3], 200);  // the barrel's end, at the middle of the lower edge
    EXPECT_EQ(image.pixel(11, 0)[3], 0);     // nothing above the mount
    EXPECT_EQ(image.pixel(1, 22)[3], 0);     // nor beside the barrel
    for (const auto kind : {content::PictureKind::kHull, content::PictureKind::kWing}) {
        content::MotionPicture plate = gun;
        plate.kind = kind;
        plate.width = 40;
        plate.height = 20;
        const content::Image drawn =
            kind == content::PictureKind::kHull ? content::drawHull(plate) : content::drawWing(plate);
        EXPECT_EQ(drawn.pixel(38, 10)[3], 255);  // solid at its right (a wing's root)
        EXPECT_EQ(drawn.pixel(0, 0)[3], 0);      // a rounded or cut corner
    }
}

std::string stageRulesContent(const std::string& relative) {
    std::ifstream in(std::string(HALVIR_CONTENT_DIR) + "/" + relative, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The game puts hulk turret k at its position plus (X, 2 + Y) of its marker
// frame's pivot; the body motion draws turret k's mount "mountKK" there.
TEST(StageMotionRulesTest, TheHulksTurretMarkersStandOnItsMounts) {
    const content::SpriteContent sprites =
        content::readSpriteContent(stageRulesContent("sprites/sprites.txt"), "sprites/sprites.txt");
    std::map<int32_t, std::pair<int32_t, int32_t>> pivots;
    for (const content::PivotSpec& p : sprites.pivots) pivots[p.id] = {p.x, p.y};
    const content::MotionFileSpec hulk = content::readMotionContent(
        "motion/enemy_g_l02.txt", [](std::string_view file) { return stageRulesContent(std::string(file)); });
    const content::MotionSpec* body = hulk.motion("st04boss", "st04boss_2");
    ASSERT_NE(body, nullptr);
    for (int k = 0; k < 18; ++k) {
        SCOPED_TRACE(k);
        const int32_t marker = k < 9 ? 5017 + 18 * k : 4855 + 18 * (k - 9);
        ASSERT_TRUE(pivots.count(marker));
        const std::string mount = std::string("mount") + (k < 10 ? "0" : "") + std::to_string(k);
        const content::MotionLayerSpec* layer = nullptr;
        for (const content::MotionLayerSpec& l : body->layers) {
            if (l.label == mount) layer = &l;
        }
        ASSERT_NE(layer, nullptr);
        EXPECT_EQ(float(pivots[marker].first), layer->keys.front().x);
        EXPECT_EQ(float(2 + pivots[marker].second), layer->keys.front().y);
    }
}

}  // namespace
