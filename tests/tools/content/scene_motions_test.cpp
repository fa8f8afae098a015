// The motion files of boot and the scenes, as the build wrote them, loaded
// the way the game loads them: every object and label the game plays is
// there with the length and looping its scene depends on, every keyframe of
// every layer reads, every picture it names is on the file's texture, and
// the laser's tip moves out along the motion's own up.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_layer_loader.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"
#include "tests/engine/data/psb_document.h"
#include "tests/tools/content/built_motion_file.h"
#include "tests/tools/content/scene_motion_files.h"

namespace {

// Checks each texture as the motion layer would upload it.
class TextureCheckingManager : public MMotionResourceManager {
public:
    int32_t loadTexture(const PSBValue& image, bool) override {
        const int32_t w = image.get("width").toInt(), h = image.get("height").toInt();
        EXPECT_EQ(std::string(image.get("type").toString()), "RGBA8");
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        EXPECT_EQ(image.get("pixel").getResourceSize(), uint32_t(w) * uint32_t(h) * 4u);
        return textures++;
    }
    void releaseTexture(int32_t) override {}
    float getFrameDelta() override { return 1.0f; }
    float random() override { return 0.5f; }
    int32_t textures = 0;
};

using LoadedMotionFile = BuiltMotionFile<TextureCheckingManager>;

std::unique_ptr<LoadedMotionFile> loadMotionFile(const std::string& name) { return loadBuiltMotionFile<TextureCheckingManager>(name); }

// What the game asks of a label: its length in frames (the player's last
// time) within (above, atMost], and whether it wraps by itself.
struct LabelRule {
    const char* file;
    const char* object;
    const char* label;
    int above;
    int atMost;
    bool loops;
};

constexpr int kAny = 100000;

std::vector<LabelRule> labelRules() {
    std::vector<LabelRule> rules;
    const auto add = [&](const char* file, const char* object, std::vector<const char*> labels, int above, int atMost,
                         bool loops) {
        for (const char* label : labels) rules.push_back({file, object, label, above, atMost, loops});
    };
    // The fighter has no control for the WARNING's length: the stage-1 boss
    // comes 280 frames after its WARNING, and the siren repeats at 160. The
    // true last boss's visual opens 300 frames after its WARNING.
    add("warning", "warning", {"stage1", "stage2", "stage3", "stage4", "stage5"}, 160, 280, false);
    add("warning", "warning", {"stage5_2"}, 160, 300, false);
    add("stage_title", "stage_title", {"stage1", "stage2", "stage3", "stage4", "stage5"}, 1, kAny, false);
    add("lazer", "laser", {"start", "end"}, 1, kAny, false);
    add("lazer", "laser", {"wait"}, 1, kAny, true);
    for (const char* file : {"gameover", "result1"}) {
        add(file, file, {"start"}, 1, kAny, false);
        add(file, file, {"loop"}, 1, kAny, true);
    }
    add("gameover", "gameover", {"end"}, 1, kAny, false);
    // The results' white fade starts 30 frames before the end of "end".
    add("result1", "result1", {"end"}, 30, kAny, false);
    for (const char* file : {"menuframe", "menuframe_bg"}) {
        add(file, "mainmenu", {"start_a", "start_b", "end_a", "end_b"}, 1, kAny, false);
        add(file, "mainmenu", {"loop"}, 1, kAny, true);
        for (const char* object : {"othermenu", "modeselect", "fighterselect"}) {
            add(file, object, {"start", "end"}, 1, kAny, false);
            add(file, object, {"loop"}, 1, kAny, true);
        }
    }
    add("bomb_ex", "bomb_exp_001", {"bomb_a", "bomb_b", "bomb_c", "bomb_d"}, 1, kAny, false);
    add("playerselect_figimage", "figimage", {"type_a_start", "type_b_start", "type_c_start", "type_d_start"}, 1, kAny,
        false);
    add("playerselect_figimage", "figimage", {"type_a_loop", "type_b_loop", "type_c_loop", "type_d_loop"}, 1, kAny,
        true);
    add("playerselect_figimage", "figimage", {"type_a_end", "type_b_end", "type_c_end", "type_d_end"}, 1, kAny, false);
    // The voice at frame 240 of the launch is heard only when it lasts that long.
    add("playerselect_figimage", "bg_zoom", {"type_a_zoom", "type_b_zoom", "type_c_zoom", "type_d_zoom"}, 239, kAny,
        false);
    // The boot holds at frame 340 until its resources are ready.
    add("initialize", "initialize", {"anime_1"}, 340, kAny, false);
    // The splash speaks at frames 10, 120 and 300.
    add("qv_splash", "qv_splash", {"anime_1"}, 300, kAny, false);
    // The opening's last voice cue is at frame 1500.
    add("opening", "opening", {"anime_1"}, 1500, kAny, false);
    add("eng_opening", "eng_opening", {"anime_1"}, 1500, kAny, false);
    add("qv_title", "qv_title", {"start"}, 1, kAny, false);
    add("qv_title", "qv_title", {"loop"}, 1, kAny, true);
    add("clear", "clear", {"start_A", "start_B", "start_C", "start_D", "end_st1", "end_st2", "end_st3", "end_st4",
                           "end_st5", "loop_st1", "loop_st2", "loop_st3", "loop_st4", "loop_st5"},
        1, kAny, false);
    for (const char* file : {"ending_first", "eng_ending_first"}) {
        // A sound at 178, the music at 322, its fade 60 frames before the end.
        add(file, "ending_first", {"normal"}, 382, kAny, false);
        add(file, "enf_scene1", {"anime_1"}, 1, kAny, false);
        add(file, "enf_scene2", {"anime_1"}, 1, kAny, false);
        // The music fades 420 frames before the end.
        add(file, "enf_scene3", {"true_a", "true_b", "true_c", "true_d"}, 420, kAny, false);
    }
    for (const char* file : {"ending_last", "eng_ending_last"}) {
        add(file, "ending_last",
            {"type_a", "type_b", "type_c", "type_d", "type_a_true", "type_b_true", "type_c_true", "type_d_true"}, 1,
            kAny, false);
    }
    return rules;
}

// Every keyframe of every layer below `layers`, read as the frame scans read
// them; a source layer's pictures must be on the file's texture.
void readEveryFrame(const PSBValue& layers, MMotionResourceManager& manager, const std::string& where) {
    for (uint32_t i = 0; i < layers.getCount(); ++i) {
        const PSBValue layer = layers.at(i);
        const int32_t type = layer.get("type").toInt();
        const PSBValue frames = layer.get("frameList");
        ASSERT_GE(frames.getCount(), 2u) << where;
        ASSERT_EQ(frames.at(0).get("time").toFloat(), 0.0f) << where;
        MMotionFrameContent slot;
        for (uint32_t f = 0; f < frames.getCount(); ++f) {
            loadFrameHeader(slot, f, frames);
            if (slot.empty) continue;
            loadFrameContent(slot, type, frames);
            if (!motionLayerHasSource(type)) continue;
            MMotionSourceInfo info;
            EXPECT_TRUE(manager.getSourceInfo(slot.src, slot.icon, info, PSBValue()))
                << where << " " << layer.get("label").toString() << ": " << slot.icon;
        }
        readEveryFrame(layer.get("children"), manager, where);
    }
}

TEST(SceneMotionFilesTest, EveryFileLoadsAndEveryKeyframeReads) {
    ThrowingPSBFatal fatal;
    for (const char* name : kSceneMotionFiles) {
        SCOPED_TRACE(name);
        const auto file = loadMotionFile(name);
        ASSERT_GE(file->id, 0) << "missing";
        EXPECT_EQ(file->manager.lastCheckMessage(), "");
        EXPECT_EQ(file->manager.textures, 1);
        for (const auto& [object, value] : file->manager.motionData().front().objects) {
            std::vector<std::string> labels;
            value.get("motion").getKeys(labels);
            for (const std::string& label : labels) {
                const PSBValue timeline = value.get("motion").get(label);
                EXPECT_EQ(timeline.get("type").toInt(), 0);
                readEveryFrame(timeline.get("layer"), file->manager, object + "/" + label);
            }
        }
    }
}

TEST(SceneMotionFilesTest, EveryLabelTheGamePlaysHasItsLengthAndLooping) {
    ThrowingPSBFatal fatal;
    std::map<std::string, std::unique_ptr<LoadedMotionFile>> files;
    MMotionLayerLoader loader;
    for (const LabelRule& rule : labelRules()) {
        SCOPED_TRACE(std::string(rule.file) + ": " + rule.object + "/" + rule.label);
        auto& file = files[rule.file];
        if (!file) file = loadMotionFile(rule.file);
        ASSERT_GE(file->id, 0);
        MMotionPlayer player(file->manager, rule.object);
        player.setTimelineDriver(loader);
        player.play(rule.label, kMotionPlayForce);
        ASSERT_TRUE(player.hasMotion());
        EXPECT_GT(player.nodes().size(), 1u);
        const int length = int(player.lastTime());
        EXPECT_GT(length, rule.above);
        EXPECT_LE(length, rule.atMost);
        EXPECT_EQ(player.loops(), rule.loops);
    }
}

// Labels of the picture-less layers (the locators the game reads) anywhere
// below `layers`.
void collectLocators(const PSBValue& layers, std::set<std::string>& out) {
    for (uint32_t i = 0; i < layers.getCount(); ++i) {
        const PSBValue layer = layers.at(i);
        if (layer.get("type").toInt() == 2) out.insert(layer.get("label").toString());
        collectLocators(layer.get("children"), out);
    }
}

// Nothing more and nothing less than the game names: its objects, their
// labels, spelled as the game spells them, and the laser's one locator in
// every label of the laser.
TEST(SceneMotionFilesTest, TheFilesHoldExactlyTheObjectsLabelsAndLocatorsTheGameNames) {
    ThrowingPSBFatal fatal;
    std::map<std::string, std::map<std::string, std::set<std::string>>> expected;
    for (const LabelRule& rule : labelRules()) expected[rule.file][rule.object].insert(rule.label);
    ASSERT_EQ(expected.size(), std::size(kSceneMotionFiles));
    for (const auto& [file, objects] : expected) {
        SCOPED_TRACE(file);
        const auto loaded = loadMotionFile(file);
        ASSERT_GE(loaded->id, 0);
        const PSBValue root = loaded->document->root().get("object");
        std::vector<std::string> names;
        root.getKeys(names);
        std::map<std::string, std::set<std::string>> found;
        for (const std::string& object : names) {
            std::vector<std::string> labels;
            root.get(object).get("motion").getKeys(labels);
            found[object].insert(labels.begin(), labels.end());
            for (const std::string& label : labels) {
                std::set<std::string> locators;
                collectLocators(root.get(object).get("motion").get(label).get("layer"), locators);
                const std::set<std::string> want =
                    file == "lazer" ? std::set<std::string>{"top"} : std::set<std::string>{};
                EXPECT_EQ(locators, want) << object << "/" << label;
            }
        }
        EXPECT_EQ(found, objects);
    }
}

// The keyframes of the layer `label` of lazer's object "laser", motion `motion`.
std::vector<MMotionFrameContent> laserFrames(const PSBObject& document, const std::string& motion,
                                             const std::string& label) {
    const PSBValue layers = document.root().get("object").get("laser").get("motion").get(motion).get("layer");
    std::vector<MMotionFrameContent> out;
    for (uint32_t i = 0; i < layers.getCount(); ++i) {
        if (layers.at(i).get("label").toString() != label) continue;
        const PSBValue frames = layers.at(i).get("frameList");
        MMotionFrameContent slot;
        for (uint32_t f = 0; f < frames.getCount(); ++f) {
            loadFrameHeader(slot, f, frames);
            if (!slot.empty) loadFrameContent(slot, layers.at(i).get("type").toInt(), frames);
            out.push_back(slot);
        }
    }
    return out;
}

TEST(SceneMotionFilesTest, TheLaserTipMovesOutAlongTheMotionsUp) {
    ThrowingPSBFatal fatal;
    const auto file = loadMotionFile("lazer");
    ASSERT_GE(file->id, 0);
    const PSBObject& doc = *file->document;

    // "start" carries the tip from the origin straight up (negative y), every
    // keyframe further out than the one before, to a reach past the screen's
    // diagonal, so the hit boxes can cover any aim.
    const std::vector<MMotionFrameContent> start = laserFrames(doc, "start", "top");
    ASSERT_GE(start.size(), 2u);
    EXPECT_EQ(start.front().time, 0.0f);
    EXPECT_EQ(start.front().y, 0.0f);
    for (size_t i = 0; i < start.size(); ++i) {
        ASSERT_FALSE(start[i].empty) << i;
        EXPECT_EQ(start[i].x, 0.0f) << i;
        if (i > 0) {
            EXPECT_LT(start[i].y, start[i - 1].y) << i;
        }
    }
    const float reach = -start.back().y;
    EXPECT_GE(reach, std::hypot(224.0f, 288.0f));
    EXPECT_EQ(start.back().time, doc.root().get("object").get("laser").get("motion").get("start").get("lastTime").toFloat());

    // "wait" holds the full reach; "end" never reaches further.
    for (const MMotionFrameContent& f : laserFrames(doc, "wait", "top")) {
        EXPECT_EQ(f.x, 0.0f);
        EXPECT_EQ(f.y, -reach);
    }
    const std::vector<MMotionFrameContent> end = laserFrames(doc, "end", "top");
    ASSERT_GE(end.size(), 2u);
    for (const MMotionFrameContent& f : end) {
        EXPECT_EQ(f.x, 0.0f);
        EXPECT_GE(f.y, -reach);
        EXPECT_LE(f.y, 0.0f);
    }
}

// Played through the layer evaluation with the motion turned, the tip goes
// out along the turned motion's up, further every frame of "start".
TEST(SceneMotionFilesTest, TheEvaluatedLaserTipFollowsTheTurnedMotion) {
    ThrowingPSBFatal fatal;
    const auto file = loadMotionFile("lazer");
    ASSERT_GE(file->id, 0);
    for (const float degrees : {0.0f, 90.0f, 210.0f}) {
        SCOPED_TRACE(degrees);
        MMotionPlayer player(file->manager, "laser");
        player.setTimelineDriver(MMotionLayerDriver::shared());
        player.setShown(true);
        player.setAngle(degrees);
        player.play("start", kMotionPlayForce);
        ASSERT_TRUE(player.hasMotion());
        size_t top = 0;
        for (size_t i = 1; i < player.nodes().size(); ++i) {
            if (player.nodes()[i].label == "top") top = i;
        }
        ASSERT_NE(top, 0u);
        float reach = -1.0f;
        for (int frame = 1; frame < int(player.lastTime()); ++frame) {
            player.progress(1);
            const MMotionNodeMatrix& turn = player.nodes()[0].matrix;
            const float upX = -turn.b;
            const float upY = -turn.d;
            const MMotionNodeState& tip = player.nodes()[top].state;
            const float along = tip.x * upX + tip.y * upY;
            EXPECT_NEAR(tip.x * upY - tip.y * upX, 0.0f, 0.01f) << frame;
            EXPECT_GT(along, reach) << frame;
            reach = along;
        }
        EXPECT_GE(reach, std::hypot(224.0f, 288.0f));
    }
}

}  // namespace
