// The motion files the stages load, as the build wrote them and loaded the
// way the game loads them: exactly the objects, labels and locators the
// game names, every boss motion state found (or one no step starts), and
// the timing the fights and the true last boss's entry rely on, and the
// preview that shows each file's pictures.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_layer_loader.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"
#include "tests/engine/data/psb_document.h"
#include "tests/tools/content/built_motion_file.h"
#include "tests/tools/content/stage_motion_files.h"

namespace {

class StageMotionManager : public MMotionResourceManager {
public:
    int32_t loadTexture(const PSBValue&, bool) override { return 0; }
    void releaseTexture(int32_t) override {}
    float getFrameDelta() override { return 1.0f; }
    float random() override { return 0.5f; }
};

using StageMotionFile = BuiltMotionFile<StageMotionManager>;

std::unique_ptr<StageMotionFile> loadStageMotion(const std::string& name) { return loadBuiltMotionFile<StageMotionManager>(name); }

// Keeps each file loaded once for the whole test.
StageMotionFile& stageMotion(const std::string& name) {
    static std::map<std::string, std::unique_ptr<StageMotionFile>> files;
    auto& file = files[name];
    if (!file) file = loadStageMotion(name);
    return *file;
}

std::vector<std::string> stageNumbered(const char* prefix, int last) {
    std::vector<std::string> out;
    for (int n = 0; n <= last; ++n) out.push_back(prefix + std::string(n < 10 ? "0" : "") + std::to_string(n));
    return out;
}

struct StageObjects {
    const char* file;
    std::map<std::string, std::set<std::string>> objects;
    std::vector<std::string> locators;  // in every label
};

std::vector<std::string> stageJoin(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

std::vector<StageObjects> stageObjects() {
    const std::set<std::string> attacks1 = {"appear", "form1_default", "form1_att1_start", "form1_att1_wait",
                                            "form1_att1_end"};
    const std::set<std::string> attacks2 = {"form2_change",    "form2_default",  "form2_att1_start",
                                            "form2_att1_wait", "form2_att1_end", "death"};
    return {
        {"st01mboss", {{"st01mboss", {"appear", "form1_default"}}}, stageNumbered("turret", 5)},
        {"st04mboss", {{"st04mboss", {"appear", "form1_default"}}}, stageNumbered("turret", 6)},
        {"st05mboss", {{"st05mboss", {"appear", "form1_default"}}}, stageNumbered("turret", 6)},
        {"st05mboss2", {{"st05mboss2", {"form_1", "trans_form", "form_2"}}}, stageNumbered("turret", 21)},
        {"st01boss", {{"st01boss_form1", attacks1}, {"st01boss_form2", attacks2}}, stageNumbered("turret", 4)},
        {"st02boss",
         {{"st02boss_form1", attacks1}, {"st02boss_form2", attacks2}},
         stageJoin(stageNumbered("turret", 31), stageNumbered("smoke", 3))},
        {"st03boss",
         {{"st03boss", {"default", "form2_default", "form2_att1", "form2_death"}}},
         stageJoin(stageNumbered("turret", 31), stageNumbered("smoke", 4))},
        {"st04boss",
         {{"st04boss", {"st04boss_0", "st04boss_1", "st04boss_2", "st04boss_3", "st04boss_5", "st04boss_6", "death"}}},
         stageJoin(stageJoin(stageNumbered("turret", 19), stageNumbered("smoke", 4)), stageNumbered("effect", 1))},
        {"st05boss",
         {{"st05boss", {"form1_default", "form2_default", "form2_death", "appear"}}},
         stageJoin(stageNumbered("turret", 19), stageNumbered("smoke", 3))},
        {"st05boss2",
         {{"st05boss2", {"appear_wait", "appear", "form1_default", "form2_change", "form2_default", "form2_death"}}},
         stageJoin(stageNumbered("turret", 23), stageNumbered("smoke", 4))},
        {"enemy_g_l02", {{"st04boss", {"st04boss_2"}}, {"death", {"deafault", "death"}}}, {}},
        {"3boss_b_wave", {{"3boss_b_wave", {"anime_1"}}}, {}},
        {"st2bossvisual", {{"anime_1", {"start", "loop"}}}, {}},
        {"st3bossvisual", {{"st3bossvisual", {"start", "loop"}}}, {}},
        {"st4bossvisual", {{"st4bossvisual", {"wait", "start", "loop", "end"}}}, {}},
        {"st5boss2visual", {{"st5boss2visual", {"wait", "start", "loop"}}}, {"bosspoint"}},
    };
}

void collectStageLocators(const PSBValue& layers, std::set<std::string>& out) {
    for (uint32_t i = 0; i < layers.getCount(); ++i) {
        const PSBValue layer = layers.at(i);
        if (layer.get("type").toInt() == 2) out.insert(layer.get("label").toString());
        collectStageLocators(layer.get("children"), out);
    }
}

TEST(StageMotionFilesTest, EachFileHoldsExactlyTheObjectsLabelsAndLocatorsTheGameNames) {
    ThrowingPSBFatal fatal;
    const std::vector<StageObjects> expected = stageObjects();
    ASSERT_EQ(expected.size(), std::size(kStageMotionFiles));
    for (const StageObjects& want : expected) {
        SCOPED_TRACE(want.file);
        StageMotionFile& file = stageMotion(want.file);
        ASSERT_GE(file.id, 0) << "missing";
        EXPECT_EQ(file.manager.lastCheckMessage(), "");
        const PSBValue root = file.document->root().get("object");
        std::vector<std::string> names;
        root.getKeys(names);
        std::map<std::string, std::set<std::string>> found;
        for (const std::string& object : names) {
            std::vector<std::string> labels;
            root.get(object).get("motion").getKeys(labels);
            found[object].insert(labels.begin(), labels.end());
            for (const std::string& label : labels) {
                std::set<std::string> locators;
                collectStageLocators(root.get(object).get("motion").get(label).get("layer"), locators);
                EXPECT_EQ(locators, std::set<std::string>(want.locators.begin(), want.locators.end()))
                    << object << "/" << label;
            }
        }
        EXPECT_EQ(found, want.objects);
    }
}

// The boss motion states: each names a node and a label of its boss's
// file. Runs of states share a label (the state counts attack rounds).
struct StageMotionStates {
    int first, last;
    const char* file;
    const char* node;
    const char* label;
};

constexpr StageMotionStates kStageMotionStates[] = {
    {0, 0, "st01boss", "st01boss_form1", "appear"},
    {1, 1, "st01boss", "st01boss_form1", "form1_default"},
    {2, 2, "st01boss", "st01boss_form1", "form1_att1_start"},
    {3, 3, "st01boss", "st01boss_form1", "form1_att1_wait"},
    {4, 4, "st01boss", "st01boss_form1", "form1_att1_end"},
    {5, 5, "st01boss", "st01boss_form1", "form1_att1_start"},
    {6, 6, "st01boss", "st01boss_form1", "form1_att1_wait"},
    {7, 7, "st01boss", "st01boss_form1", "form1_att1_end"},
    {8, 8, "st01boss", "st01boss_form1", "form1_att1_start"},
    {9, 9, "st01boss", "st01boss_form1", "form1_att1_wait"},
    {10, 10, "st01boss", "st01boss_form1", "form1_att1_end"},
    {11, 11, "st01boss", "st01boss_form1", "form1_att1_start"},
    {12, 12, "st01boss", "st01boss_form1", "form1_att1_wait"},
    {13, 13, "st01boss", "st01boss_form1", "form1_att1_end"},
    {14, 14, "st01boss", "st01boss_form2", "form2_change"},
    {15, 15, "st01boss", "st01boss_form2", "form2_default"},
    {16, 16, "st01boss", "st01boss_form2", "form2_att1_start"},
    {17, 17, "st01boss", "st01boss_form2", "form2_att1_wait"},
    {18, 18, "st01boss", "st01boss_form2", "form2_att1_end"},
    {19, 19, "st01boss", "st01boss_form2", "form2_att1_start"},
    {20, 20, "st01boss", "st01boss_form2", "form2_att1_wait"},
    {21, 21, "st01boss", "st01boss_form2", "form2_att1_start"},
    {22, 22, "st01boss", "st01boss_form2", "death"},
    {23, 23, "st02boss", "st02boss_form1", "appear"},
    {24, 24, "st02boss", "st02boss_form1", "form1_default"},
    {25, 25, "st02boss", "st02boss_form1", "form1_att1_start"},
    {26, 26, "st02boss", "st02boss_form1", "form1_att1_wait"},
    {27, 27, "st02boss", "st02boss_form1", "form1_att1_end"},
    {28, 28, "st02boss", "st02boss_form1", "form1_att1_start"},
    {29, 29, "st02boss", "st02boss_form1", "form1_att1_wait"},
    {30, 30, "st02boss", "st02boss_form1", "form1_att1_end"},
    {31, 31, "st02boss", "st02boss_form1", "form1_att1_start"},
    {32, 32, "st02boss", "st02boss_form1", "form1_att1_wait"},
    {33, 33, "st02boss", "st02boss_form1", "form1_att1_end"},
    {34, 34, "st02boss", "st02boss_form1", "form1_att1_start"},
    {35, 35, "st02boss", "st02boss_form1", "form1_att1_wait"},
    {36, 36, "st02boss", "st02boss_form1", "form1_att1_start"},
    {37, 37, "st02boss", "st02boss_form2", "form2_change"},
    {38, 38, "st02boss", "st02boss_form2", "form2_default"},
    {39, 39, "st02boss", "st02boss_form2", "form2_att1_start"},
    {40, 40, "st02boss", "st02boss_form2", "form2_att1_wait"},
    {41, 41, "st02boss", "st02boss_form2", "form2_att1_end"},
    {42, 42, "st02boss", "st02boss_form2", "form2_att1_start"},
    {43, 43, "st02boss", "st02boss_form2", "form2_att1_wait"},
    {44, 44, "st02boss", "st02boss_form2", "form2_att1_end"},
    {45, 45, "st02boss", "st02boss_form2", "death"},
    {46, 46, "enemy_g_l02", "death", "deafault"},
    {47, 47, "enemy_g_l02", "death", "death"},
    {48, 61, "st03boss", "st03boss", "default"},
    {62, 64, "st03boss", "st03boss", "form2_default"},
    {65, 65, "st03boss", "st03boss", "form2_att1"},
    {70, 70, "st03boss", "st03boss", "form2_death"},
    {71, 71, "st04boss", "st04boss", "st04boss_0"},
    {72, 72, "st04boss", "st04boss", "st04boss_1"},
    {73, 83, "st04boss", "st04boss", "st04boss_2"},
    {74, 74, "enemy_g_l02", "st04boss", "st04boss_2"},
    {84, 95, "st04boss", "st04boss", "st04boss_3"},
    {96, 96, "st04boss", "st04boss", "st04boss_5"},
    {97, 102, "st04boss", "st04boss", "st04boss_6"},
    {103, 103, "st04boss", "st04boss", "death"},
    {104, 117, "st05boss", "st05boss", "form1_default"},
    {118, 132, "st05boss", "st05boss", "form2_default"},
    {133, 137, "st05boss", "st05boss", "form2_death"},
    {138, 138, "st05boss2", "st05boss2", "appear_wait"},
    {139, 139, "st05boss2", "st05boss2", "appear"},
    {140, 152, "st05boss2", "st05boss2", "form1_default"},
    {153, 153, "st05boss2", "st05boss2", "form2_change"},
    {154, 156, "st05boss2", "st05boss2", "form2_default"},
    {161, 161, "st05boss2", "st05boss2", "form2_death"},
    {162, 162, "st01mboss", "st01mboss", "appear"},
    {163, 172, "st01mboss", "st01mboss", "form1_default"},
    {199, 199, "st04mboss", "st04mboss", "appear"},
    {200, 209, "st04mboss", "st04mboss", "form1_default"},
    {210, 210, "st05mboss", "st05mboss", "appear"},
    {211, 220, "st05mboss", "st05mboss", "form1_default"},
    {221, 225, "st05mboss2", "st05mboss2", "form_1"},
    {226, 226, "st05mboss2", "st05mboss2", "trans_form"},
    {227, 227, "st05mboss2", "st05mboss2", "form_2"},
    {228, 228, "st05mboss2", "st05mboss2", "trans_form"},
    {229, 231, "st05mboss2", "st05mboss2", "form_2"},
};

// States that name no node and no label: nothing is played for them.
constexpr int kStageStatesNamingNothing[][2] = {{66, 69}, {157, 160}, {173, 198}};

TEST(StageMotionFilesTest, EveryBossMotionStateFindsItsNodeAndLabel) {
    ThrowingPSBFatal fatal;
    MMotionLayerLoader loader;
    std::set<int> covered;
    for (const StageMotionStates& run : kStageMotionStates) {
        SCOPED_TRACE(std::string(run.file) + ": " + run.node + "/" + run.label);
        StageMotionFile& file = stageMotion(run.file);
        ASSERT_GE(file.id, 0);
        MMotionPlayer player(file.manager, run.node);
        player.setTimelineDriver(loader);
        player.play(run.label, kMotionPlayForce);
        EXPECT_TRUE(player.hasMotion());
        EXPECT_GE(player.lastTime(), 2.0f);
        for (int state = run.first; state <= run.last; ++state) covered.insert(state);
    }
    for (const auto& [first, last] : kStageStatesNamingNothing) {
        for (int state = first; state <= last; ++state) EXPECT_TRUE(covered.insert(state).second) << state;
    }
    EXPECT_EQ(covered.size(), 232u);
    EXPECT_EQ(*covered.rbegin(), 231);
}

int stageLength(const char* file, const char* object, const char* label) {
    StageMotionFile& loaded = stageMotion(file);
    MMotionLayerLoader loader;
    MMotionPlayer player(loaded.manager, object);
    player.setTimelineDriver(loader);
    player.play(label, kMotionPlayForce);
    return player.hasMotion() ? int(player.lastTime()) : -1;
}

// The times the fights are built on.
TEST(StageMotionFilesTest, LabelLengthsKeepTheFightsTiming) {
    ThrowingPSBFatal fatal;
    // The true last boss is held, and the fighter's control comes back, at
    // frames 400, 460 and 480 of its visual's "start".
    EXPECT_GT(stageLength("st5boss2visual", "st5boss2visual", "start"), 480);
    // A mid-boss's entry ends with its held "appear": no later than its
    // 120-frame entry wait plus a pass, and long enough to be seen.
    for (const char* name : {"st01mboss", "st04mboss", "st05mboss"}) {
        SCOPED_TRACE(name);
        EXPECT_GE(stageLength(name, name, "appear"), 60);
        EXPECT_LE(stageLength(name, name, "appear"), 120);
    }
    // The stage-1 boss's entry outlasts its 110-frame entry wait; the
    // stage-4 boss's entry motion is held before its 120-frame wait.
    EXPECT_GE(stageLength("st01boss", "st01boss_form1", "appear"), 110);
    EXPECT_GE(stageLength("st04boss", "st04boss", "st04boss_1"), 90);
    // Death labels last through the death sequence to the great explosion.
    EXPECT_GE(stageLength("st01boss", "st01boss_form2", "death"), 240);
    EXPECT_GE(stageLength("st02boss", "st02boss_form2", "death"), 240);
    EXPECT_GE(stageLength("st03boss", "st03boss", "form2_death"), 240);
    EXPECT_GE(stageLength("st04boss", "st04boss", "death"), 240);
    EXPECT_GE(stageLength("st05boss2", "st05boss2", "form2_death"), 300);
    // The hulk's first attack comes when its 300-frame entry wait is over.
    EXPECT_LE(stageLength("enemy_g_l02", "st04boss", "st04boss_2"), 300);
}

// Plays a label one frame a step and returns the evaluated nodes after
// `frames` steps.
const std::vector<MMotionLayerNode>& stageNodesAfter(MMotionPlayer& player, const char* label, int frames) {
    player.setTimelineDriver(MMotionLayerDriver::shared());
    player.setShown(true);
    player.play(label, kMotionPlayForce);
    for (int i = 0; i < frames; ++i) player.progress(1.0f);
    return player.nodes();
}

TEST(StageMotionFilesTest, TheWavesOneLayerTakesTheStrengthTheGameHandsIt) {
    ThrowingPSBFatal fatal;
    StageMotionFile& file = stageMotion("3boss_b_wave");
    ASSERT_GE(file.id, 0);
    for (const uint32_t strength : {0u, 1u, 128u, 255u}) {
        SCOPED_TRACE(strength);
        MMotionPlayer player(file.manager, "3boss_b_wave");
        player.setOpacity(strength);
        int pictures = 0;
        for (const MMotionLayerNode& node : stageNodesAfter(player, "anime_1", 30)) {
            if (&node == &player.nodes()[0] || node.type != 0) continue;
            ++pictures;
            EXPECT_EQ(node.state.opacity, strength);
        }
        EXPECT_EQ(pictures, 1);
    }
}

TEST(StageMotionFilesTest, TheTrueLastBossStandsOnOnePointThroughEveryLabel) {
    ThrowingPSBFatal fatal;
    StageMotionFile& file = stageMotion("st5boss2visual");
    ASSERT_GE(file.id, 0);
    std::set<std::pair<float, float>> points;
    for (const char* label : {"wait", "start", "loop"}) {
        for (const int frames : {1, 2, 200, 479}) {
            MMotionPlayer player(file.manager, "st5boss2visual");
            for (const MMotionLayerNode& node : stageNodesAfter(player, label, frames)) {
                if (node.label == "bosspoint") points.insert({node.state.x, node.state.y});
            }
        }
    }
    ASSERT_EQ(points.size(), 1u);
    // Above the visual's place (the middle of the screen), on the screen.
    EXPECT_LT(points.begin()->second, 0.0f);
    EXPECT_GT(points.begin()->second, -144.0f);
}

// The preview of each file: its atlas, and its labels drawn whole, first
// frame and last, in 360-pixel cells.
struct StagePreviewPicture {
    bool png = false;
    uint32_t width = 0, height = 0;
};

StagePreviewPicture stagePreviewPicture(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::string bytes{std::istreambuf_iterator<char>(in), {}};
    StagePreviewPicture picture;
    if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return picture;
    auto word = [&](size_t at) {
        uint32_t value = 0;
        for (size_t i = 0; i < 4; ++i) value = value << 8 | uint8_t(bytes[at + i]);
        return value;
    };
    picture.png = true;
    picture.width = word(16);
    picture.height = word(20);
    return picture;
}

TEST(StageMotionFilesTest, ThePreviewShowsEachFilesPicturesAndEveryLabel) {
    for (const StageObjects& want : stageObjects()) {
        SCOPED_TRACE(want.file);
        const std::string base = std::string(HALVIR_PREVIEW_DIR) + "/motion/" + want.file;
        const StagePreviewPicture atlas = stagePreviewPicture(base + ".png");
        EXPECT_TRUE(atlas.png) << "no atlas picture";
        EXPECT_GE(atlas.width * atlas.height, 128u * 128u);
        const StagePreviewPicture poses = stagePreviewPicture(base + "_poses.png");
        ASSERT_TRUE(poses.png) << "no poses picture";
        size_t labels = 0;
        for (const auto& [object, names] : want.objects) labels += names.size();
        EXPECT_GE(size_t(poses.width / 360) * size_t(poses.height / 360), 2 * labels) << "a first and a last frame a label";
    }
}

}  // namespace
