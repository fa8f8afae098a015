// The motion files of boot, the scenes and the stages drawn the way a game
// slot draws them: registered with a motion layer over the recording device (their
// texture uploaded), every label of every object played from its start to
// its end on the layer driver, the layer drawn every frame. Nothing on the
// way may write a trace line, every label shows a picture of the file, the
// labels played once end there and the looping ones go on.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/motion/motion_layer.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_layer_node.h"
#include "engine/motion/motion_player.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/ui/recording_display_fixture.h"
#include "tests/tools/content/scene_motion_files.h"
#include "tests/tools/content/stage_motion_files.h"

namespace {

std::vector<uint8_t> readMotionFile(const std::string& name) {
    std::ifstream in(std::string(HALVIR_RESOURCE_DIR) + "/motion/" + name + ".psb", std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class SceneMotionDrawTest : public RecordingDisplayTest {
protected:
    void SetUp() override {
        RecordingDisplayTest::SetUp();
        previousSink = setDebugTraceSink([this](std::string_view line) { trace.emplace_back(line); });
    }
    void TearDown() override {
        setDebugTraceSink(previousSink);
        RecordingDisplayTest::TearDown();
    }

    // Plays one label from its start one frame a step until a frame past its
    // end, drawing the layer after each step as the draw phase does.
    void playToTheEnd(MMotionLayer& layer, const std::string& object, const std::string& label) {
        SCOPED_TRACE(object + "/" + label);
        MMotionPlayer player(layer, object);
        player.setTimelineDriver(MMotionLayerDriver::shared());
        player.setShown(true);
        player.setPosition(960.0f, 540.0f);
        player.play(label, kMotionPlayForce);
        ASSERT_TRUE(player.hasMotion());
        const int frames = int(player.lastTime()) + 1;
        bool pictureShown = false;
        bool itemQueued = false;
        for (int frame = 0; frame < frames; ++frame) {
            player.progress(1.0f);
            for (const MMotionLayerNode& node : player.nodes()) {
                pictureShown |= node.drawn && node.type == 0 && node.sourceFound && node.state.opacity > 0;
            }
            itemQueued |= !player.renderList().empty();
            for (MMotionRenderItem* item : player.renderList()) layer.queueRenderItem(item);
            layer.draw(0);
        }
        EXPECT_TRUE(pictureShown);
        EXPECT_TRUE(itemQueued);
        EXPECT_EQ(player.playing(), player.loops());
    }

    DebugTraceSink previousSink;
    std::vector<std::string> trace;
};

TEST_F(SceneMotionDrawTest, EveryLabelPlaysToItsEndWithoutATraceLine) {
    ThrowingPSBFatal fatal;
    std::vector<const char*> names(std::begin(kSceneMotionFiles), std::end(kSceneMotionFiles));
    names.insert(names.end(), std::begin(kStageMotionFiles), std::end(kStageMotionFiles));
    for (const char* name : names) {
        SCOPED_TRACE(name);
        const std::vector<uint8_t> bytes = readMotionFile(name);
        ASSERT_FALSE(bytes.empty()) << "missing";
        const std::unique_ptr<PSBObject> document = loadDocument(bytes);
        device->clearRecord();
        MMotionLayer layer;
        const int32_t id = layer.loadMotion(document.get());
        ASSERT_GE(id, 0);
        // The file's one texture reached the device.
        const std::vector<std::string> calls = device->calls();
        EXPECT_EQ(std::count_if(calls.begin(), calls.end(),
                                [](const std::string& c) { return c.rfind("createTexture ", 0) == 0; }),
                  1);
        const PSBValue objects = document->root().get("object");
        std::vector<std::string> objectNames;
        objects.getKeys(objectNames);
        for (const std::string& object : objectNames) {
            std::vector<std::string> labels;
            objects.get(object).get("motion").getKeys(labels);
            for (const std::string& label : labels) playToTheEnd(layer, object, label);
        }
        layer.releaseMotion(id);
        for (const std::string& line : trace) ADD_FAILURE() << line;
        trace.clear();
    }
}

}  // namespace
