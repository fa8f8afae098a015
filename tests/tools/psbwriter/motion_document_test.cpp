#include "tools/psbwriter/motion_document.h"

#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "engine/data/psb_kind.h"
#include "engine/data/psb_value.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

namespace mb = psbwriter::motion;

std::unique_ptr<PSBObject> written(const mb::Document& d) {
    return loadDocument(psbwriter::writePsb(mb::motionDocument(d)));
}

std::vector<std::string> keys(const PSBValue& object) {
    std::vector<std::string> out;
    object.getKeys(out);
    return out;
}

template <class T>
T readLE(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);  // the test host is little-endian, as the files are
    return v;
}

// A keyframe that sets every key.
mb::Content everyKey() {
    mb::Content c;
    c.src = "src";
    c.icon = "icon";
    c.origin = std::array<float, 2>{1, 2};
    c.coord = mb::Vec3{3, 4, 5};
    c.flipX = true;
    c.flipY = false;
    c.angle = 45;
    c.zoomX = 2;
    c.zoomY = 3;
    c.slantX = 0.5f;
    c.slantY = 0.25f;
    c.cornerColors = std::array<uint32_t, 4>{0xff0000ffu, 0x00ff00ffu, 0x0000ffffu, 0xffffffffu};
    c.opacity = 128;
    c.positionEasing = 0;
    c.angleEasing = 1;
    c.zoomEasing = 0;
    c.slantEasing = 1;
    c.colorEasing = 0;
    c.path = mb::Path{{0, 1, 2, 3}, {0, 1, 1, 0}, {0, 1}, {mb::Spline{{0, 1}, {0, 1}, {0, 0}}}};
    c.drawMode = 0x11;
    c.action = "hit";
    c.motion = mb::NestedSettings{.flags = 1, .dt = 2, .dofst = 90, .docmpl = true, .dtgt = "aim", .timeOffset = 4};
    c.particle = mb::ParticleSettings{.trigger = 1, .frequency = std::pair{3.0f, 5.0f}, .range = 30};
    c.camera = mb::CameraSettings{.fov = 60, .target = "hero"};
    c.anchorTarget = "hero";
    c.model = mb::ModelSettings{.timeOffset = 1, .loop = true, .dt = 3, .dtgt = "hero"};
    mb::MeshPoints points{};
    points[31] = 1;
    c.mesh = mb::MeshSettings{.easing = std::nullopt, .points = points};
    c.tweenStep = 4;
    c.feedbackTimespan = 12;
    c.stencil = mb::StencilSettings{.wrv = true, .easing = 1, .wrt = 0.5f, .wsf = 0.25f};
    c.effectParameter = 6;
    return c;
}

TEST(MotionDocument, WritesTheRootAndSources) {
    mb::Document d{.label = "ship"};
    d.sources["body"] = mb::Source{.texture = psbwriter::rgbaImage(2, 1, {0x11223344u, 0x55667788u}),
                                   .icons = {{"a", mb::Icon{.originX = 1, .width = 2, .height = 1}},
                                             {"b", mb::Icon{.attr = 5, .left = 1, .resolution = 0.5f}}}};
    d.easings = {mb::linearEasing()};
    d.renames["old/a"] = {"body", "b"};
    d.screenSize = mb::ScreenSize{224, 288, 0, 0};
    const auto document = written(d);
    const PSBValue root = document->root();
    EXPECT_STREQ(root.get("id").toString(), "motion");
    EXPECT_STREQ(root.get("spec").toString(), "win");
    EXPECT_EQ(root.get("version").toFloat(), 3.03f);
    EXPECT_STREQ(root.get("label").toString(), "ship");
    EXPECT_EQ(root.get("easing").at(0).at(0).get("y").at(1).toFloat(), 1.0f);
    EXPECT_STREQ(root.get("sourceIconRenameMap").get("old/a").at(1).toString(), "b");
    EXPECT_EQ(root.get("screenSize").get("height").toFloat(), 288.0f);
    const PSBValue texture = root.get("source").get("body").get("texture");
    EXPECT_STREQ(texture.get("type").toString(), "RGBA8");
    ASSERT_EQ(texture.get("pixel").getResourceSize(), 8u);
    EXPECT_EQ(texture.get("pixel").getResourceData()[0], 0x11);
    EXPECT_EQ(texture.get("pixel").getResourceData()[7], 0x88);
    const PSBValue icons = root.get("source").get("body").get("icon");
    EXPECT_EQ(keys(icons.get("a")), (std::vector<std::string>{"height", "left", "originX", "originY", "top", "width"}));
    EXPECT_EQ(icons.get("b").get("attr").toInt(), 5);
    EXPECT_EQ(icons.get("b").get("resolution").toFloat(), 0.5f);
    PSBValue absent;
    EXPECT_FALSE(written(mb::Document{})->root().find("sourceIconRenameMap", absent));
}

TEST(MotionDocument, WritesATimelineWithItsListsAndNumberedLayers) {
    mb::Layer a{.label = "A", .type = mb::kGroup, .children = {mb::Layer{.label = "B"}, mb::Layer{.label = "C"}}};
    mb::Timeline t{.loopTime = 10,
                   .lastTime = 20,
                   .bounds = {-1, -2, 3, 4},
                   .parameters = {mb::Parameter{.id = "aim", .rangeEnd = 10, .division = 5}},
                   .parameterize = 0,
                   .layers = {a, mb::Layer{.label = "D"}},
                   .variables = {mb::Variable{.label = "open",
                                              .scope = "door",
                                              .frames = {{.time = 0, .type = mb::kTween, .interval = 4, .value = 1},
                                                         {.time = 10, .type = mb::kEmpty}}}},
                   .controls = {mb::ControlFrame{.time = 0, .type = 0}, mb::ControlFrame{.time = 5, .sync = true}}};
    mb::Document d;
    d.objects["ship"].motions["idle"] = t;
    d.objects["ship"].motions["turn"] = mb::DirectionList{{45, 135}, {"idle", "idle"}};
    const auto document = written(d);
    const PSBValue motions = document->root().get("object").get("ship").get("motion");
    const PSBValue idle = motions.get("idle");
    EXPECT_EQ(idle.get("type").toInt(), 0);
    EXPECT_EQ(idle.get("loopTime").toFloat(), 10.0f);
    EXPECT_EQ(idle.get("lastTime").toFloat(), 20.0f);
    EXPECT_EQ(idle.get("bounds").get("top").toFloat(), -2.0f);
    EXPECT_EQ(idle.get("parameterize").toInt(), 0);
    EXPECT_STREQ(idle.get("parameter").at(0).get("id").toString(), "aim");
    EXPECT_EQ(idle.get("parameter").at(0).get("discretization").toBool(), false);
    const PSBValue map = idle.get("layerIndexMap");
    for (auto [label, index] : {std::pair{"A", 0}, {"B", 1}, {"C", 2}, {"D", 3}}) {
        EXPECT_EQ(map.get(label).toInt(), index) << label;
    }
    EXPECT_STREQ(idle.get("layer").at(0).get("children").at(1).get("label").toString(), "C");
    // Without a draw order, every layer from frame 0 to the last.
    const PSBValue priority = idle.get("priority");
    ASSERT_EQ(priority.getCount(), 2u);
    EXPECT_EQ(priority.at(1).get("time").toFloat(), 20.0f);
    ASSERT_EQ(priority.at(0).get("content").getCount(), 4u);
    EXPECT_EQ(priority.at(0).get("content").at(3).toInt(), 3);
    const PSBValue tag = idle.get("tag");
    PSBValue content;
    EXPECT_FALSE(tag.at(0).find("content", content));
    EXPECT_TRUE(tag.at(1).get("content").get("sync").toBool());
    EXPECT_STREQ(tag.at(1).get("content").get("action").toString(), "");
    const PSBValue variable = idle.get("variable").at(0);
    EXPECT_STREQ(variable.get("scope").toString(), "door");
    EXPECT_EQ(variable.get("frameList").at(0).get("content").get("interval").toInt(), 4);
    EXPECT_EQ(variable.get("frameList").at(0).get("content").get("value").toFloat(), 1.0f);
    EXPECT_EQ(variable.get("frameList").at(0).get("content").get("easing").getType(), kPSBNull);
    EXPECT_FALSE(variable.get("frameList").at(1).find("content", content));
    PSBValue stream;
    EXPECT_FALSE(idle.find("stream", stream));
    const PSBValue turn = motions.get("turn");
    EXPECT_EQ(turn.get("type").toInt(), 1);
    EXPECT_EQ(turn.get("division").at(1).toFloat(), 135.0f);
    EXPECT_STREQ(turn.get("motionList").at(0).toString(), "idle");
}

struct TypeKeys {
    int type;
    std::vector<std::string> keys;
};

TEST(MotionDocument, WritesTheKeysOfEveryLayerType) {
    const std::vector<std::string> common{"children",     "coordinate",  "frameList",      "groundCorrection",
                                          "inheritMask",  "joinTarget",  "label",          "meshTransform",
                                          "parameterize", "stencilType", "transformOrder", "type"};
    const TypeKeys cases[] = {
        {mb::kSprite, {"objTriPriority"}},
        {mb::kShape, {"shape"}},
        {mb::kGroup, {}},
        {mb::kNestedMotion, {"motionIndependentLayerInherit"}},
        {mb::kParticleEmitter,
         {"particle", "particleAccelRatio", "particleApplyZoomToVelocity", "particleDeleteOutsideScreen",
          "particleFlyDirection", "particleInheritAngle", "particleInheritVelocity", "particleMaxNum",
          "particleMotionList", "particleTriVolume"}},
        {mb::kCamera, {}},
        {mb::kModel, {}},
        {mb::kClipRect, {}},
        {mb::kGroup8, {}},
        {mb::kAnchor, {"anchor"}},
        {mb::kFeedback, {"screenBounds"}},
        {mb::kImage, {}},
        {mb::kStencilComposite, {"stencilCompositeMaskLayerList"}},
    };
    for (const TypeKeys& c : cases) {
        mb::Document d;
        d.objects["o"].motions["m"] = mb::Timeline{.layers = {mb::Layer{.label = "L", .type = c.type}}};
        const auto document = written(d);
        const PSBValue layer = document->root().get("object").get("o").get("motion").get("m").get("layer").at(0);
        std::vector<std::string> expected = common;
        expected.insert(expected.end(), c.keys.begin(), c.keys.end());
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(keys(layer), expected) << c.type;
        EXPECT_EQ(layer.get("type").toInt(), c.type);
    }
}

TEST(MotionDocument, WritesTheLayerDefaultsAndItsMeshKeys) {
    mb::ParticleEmitter emitter{.kind = 1, .maxNum = 8, .inheritOpacity = 2, .motions = {{"spark", "fly"}}};
    mb::MeshPoints raw{};
    raw[1] = 0.5f;
    mb::Layer mesh{.label = "M",
                   .type = mb::kParticleEmitter,
                   .meshTransform = 1,
                   .meshSyncChildMask = 0x9,
                   .meshDivision = 8,
                   .meshCombinators = {mb::MeshCombinator{.rawMeshes = {raw, raw}, .neutralIndex = 1, .key = "bend"}},
                   .particle = emitter};
    mb::Document d;
    d.objects["o"].motions["m"] = mb::Timeline{.layers = {mesh}};
    const auto document = written(d);
    const PSBValue layer = document->root().get("object").get("o").get("motion").get("m").get("layer").at(0);
    EXPECT_EQ(layer.get("inheritMask").toInt(), 0x5fc);
    EXPECT_EQ(layer.get("stencilType").toInt(), 1);
    EXPECT_EQ(layer.get("transformOrder").at(1).toInt(), 3);
    EXPECT_EQ(layer.get("parameterize").getType(), kPSBNull);
    EXPECT_EQ(layer.get("meshSyncChildMask").toInt(), 0x9);
    EXPECT_EQ(layer.get("meshDivision").toInt(), 8);
    EXPECT_FALSE(layer.get("meshCombine").toBool());
    EXPECT_EQ(layer.get("particleInheritOpacity").toInt(), 2);
    EXPECT_STREQ(layer.get("particleMotionList").at(0).at(1).toString(), "fly");
    const PSBValue combinator = layer.get("meshCombinator").get("combinatorList").at(0);
    EXPECT_EQ(combinator.get("neutralIndex").toInt(), 1);
    EXPECT_EQ(combinator.get("variable").get("meshCount").toInt(), 2);
    EXPECT_STREQ(combinator.get("variable").get("key").toString(), "bend");
    ASSERT_EQ(combinator.get("rawMeshList").getResourceSize(), 256u);
    EXPECT_EQ(readLE<float>(combinator.get("rawMeshList").getResourceData() + 128 + 4), 0.5f);
}

TEST(MotionDocument, AKeyframeCarriesEveryKeyWithItsMaskBit) {
    mb::Document d;
    d.objects["o"].motions["m"] = mb::Timeline{
        .layers = {mb::Layer{.label = "L", .frames = {mb::tweenFrame(0, everyKey()), mb::emptyFrame(10)}}}};
    const auto document = written(d);
    const PSBValue frames =
        document->root().get("object").get("o").get("motion").get("m").get("layer").at(0).get("frameList");
    EXPECT_EQ(frames.at(0).get("type").toInt(), mb::kTween);
    const PSBValue c = frames.at(0).get("content");
    EXPECT_EQ(uint32_t(c.get("mask").toInt()), 0x6fbfffffu);  // every bit but 0x400000 and 0x10000000
    EXPECT_EQ(c.get("coord").at(2).toFloat(), 5.0f);
    EXPECT_EQ(c.get("fx").toBool(), true);
    EXPECT_EQ(c.get("fy").toBool(), false);
    EXPECT_EQ(c.get("sy").toFloat(), 0.25f);
    EXPECT_EQ(uint32_t(c.get("color").at(3).toInt()), 0xffffffffu);
    EXPECT_EQ(c.get("opa").toInt(), 128);
    EXPECT_EQ(c.get("acc").toInt(), 1);
    EXPECT_EQ(c.get("cp").get("s").at(0).get("p").getCount(), 2u);
    EXPECT_EQ(c.get("bm").toInt(), 0x11);
    EXPECT_STREQ(c.get("act").toString(), "hit");
    EXPECT_EQ(c.get("motion").get("mask").toInt(), 0x1f);
    EXPECT_STREQ(c.get("motion").get("dtgt").toString(), "aim");
    EXPECT_EQ(c.get("prt").get("mask").toInt(), 0x23);
    EXPECT_EQ(c.get("prt").get("fmax").toFloat(), 5.0f);
    EXPECT_STREQ(c.get("camera").get("target").toString(), "hero");
    EXPECT_STREQ(c.get("anchor").get("target").toString(), "hero");
    EXPECT_EQ(c.get("model").get("loop").toBool(), true);
    EXPECT_EQ(c.get("mesh").get("cc").getType(), kPSBNull);
    EXPECT_EQ(c.get("mesh").get("bp").at(31).toFloat(), 1.0f);
    EXPECT_EQ(c.get("ti").toInt(), 4);
    EXPECT_EQ(c.get("feedback").get("timespan").toFloat(), 12.0f);
    EXPECT_EQ(c.get("stc").get("wcc").toInt(), 1);
    EXPECT_EQ(c.get("bp").toFloat(), 6.0f);
    EXPECT_STREQ(c.get("src").toString(), "src");
    PSBValue content;
    EXPECT_FALSE(frames.at(1).find("content", content));
}

TEST(MotionDocument, WritesOnlyTheKeysThatAreSet) {
    mb::Content flip;
    flip.flipY = true;
    flip.src = "unused";
    mb::Content plain;
    plain.color = 0x11223344u;
    mb::Document d;
    d.objects["o"].motions["m"] = mb::Timeline{
        .layers = {
            mb::Layer{.label = "G", .type = mb::kGroup, .frames = {mb::holdFrame(0, flip), mb::holdFrame(1, plain)}}}};
    const auto document = written(d);
    const PSBValue frames =
        document->root().get("object").get("o").get("motion").get("m").get("layer").at(0).get("frameList");
    // Either flip bit reads both flips; a group reads no source.
    EXPECT_EQ(keys(frames.at(0).get("content")), (std::vector<std::string>{"fx", "fy", "mask"}));
    EXPECT_EQ(frames.at(0).get("content").get("mask").toInt(), 0x8);
    EXPECT_EQ(keys(frames.at(1).get("content")), (std::vector<std::string>{"color", "mask"}));
    EXPECT_EQ(uint32_t(frames.at(1).get("content").get("color").toInt()), 0x11223344u);
    EXPECT_EQ(frames.at(1).get("content").get("mask").toInt(), 0x200);
}

TEST(MotionDocument, WritesStreamTablesLittleEndian) {
    mb::Stream s{.maxLayerCount = 2,
                 .vertices = {{1.5f, -2}},
                 .meshes = {{0, 4, 1, 1}},
                 .colors = {{0x808080ffu, 1, 2, 3}},
                 .z = {7},
                 .layers = {{1, 2, 3, 4, 5, 6, 255}},
                 .frameIndices = {0, 0},
                 .frames = {{0, 2}},
                 .sources = {{"body", "a"}}};
    mb::Document d;
    d.objects["o"].motions["m"] = mb::Timeline{.stream = s};
    const auto document = written(d);
    const PSBValue stream = document->root().get("object").get("o").get("motion").get("m").get("stream");
    EXPECT_EQ(stream.get("maxLayerCount").toInt(), 2);
    const struct {
        const char* key;
        uint32_t size;
    } sizes[] = {{"vtx", 8}, {"mesh", 8}, {"color", 16}, {"z", 4}, {"layer", 14}, {"frameIdx", 4}, {"frame", 4}};
    for (const auto& [key, size] : sizes) EXPECT_EQ(stream.get(key).getResourceSize(), size) << key;
    EXPECT_EQ(readLE<float>(stream.get("vtx").getResourceData() + 4), -2.0f);
    EXPECT_EQ(readLE<uint16_t>(stream.get("mesh").getResourceData() + 2), 4);
    EXPECT_EQ(readLE<uint32_t>(stream.get("color").getResourceData()), 0x808080ffu);
    EXPECT_EQ(readLE<uint16_t>(stream.get("layer").getResourceData() + 12), 255);
    EXPECT_EQ(readLE<uint16_t>(stream.get("frame").getResourceData() + 2), 2);
    EXPECT_STREQ(stream.get("src").at(1).toString(), "a");
}

}  // namespace
