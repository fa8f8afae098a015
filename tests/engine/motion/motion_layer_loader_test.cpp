// Layer trees and keyframe content of motions made with the motion builder.

#include <gtest/gtest.h>

#include "engine/base/debug_trace.h"
#include "engine/base/win_app_settings.h"
#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_loader.h"
#include "tests/engine/motion/motion_player_fixture.h"

namespace {

namespace mb = psbwriter::motion;

mb::Layer layer(std::string label, int type, std::vector<mb::Layer> children = {}) {
    mb::Layer l{.label = std::move(label), .type = type, .frames = {mb::holdFrame(0, {}), mb::holdFrame(10, {})}};
    l.children = std::move(children);
    return l;
}

mb::Document shipWith(std::vector<mb::Layer> layers) {
    mb::Document d{.label = "ship"};
    d.sources["src"].texture = motionfixture::image(8, 8);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
    d.objects["ship"].motions["m"] = mb::Timeline{.lastTime = 10, .layers = std::move(layers)};
    d.screenSize = mb::ScreenSize{.width = 200, .height = 100, .originX = 0, .originY = 0};
    return d;
}

psbwriter::Value& firstLayer(psbwriter::Value& root) {
    auto& objects = std::get<psbwriter::Object>(root.data);
    auto& motion = std::get<psbwriter::Object>(std::get<psbwriter::Object>(
        std::get<psbwriter::Object>(std::get<psbwriter::Object>(objects["object"].data)["ship"].data)["motion"].data)["m"]
                                                   .data);
    return std::get<psbwriter::List>(motion["layer"].data).at(0);
}

class LayerLoader : public testing::Test {
protected:
    void SetUp() override { M_SPEC = "win"; }
    void TearDown() override {
        player.reset();
        if (document) manager.releaseMotion(documentId);
        M_SPEC.clear();
    }

    void play(std::unique_ptr<PSBObject> doc) {
        document = std::move(doc);
        documentId = manager.loadMotion(document.get());
        player = std::make_unique<MMotionPlayer>(manager, "ship");
        player->setTimelineDriver(loader);
        player->setMotion("m", 0);
    }
    void play(const mb::Document& d) { play(motionfixture::load(d)); }

    std::vector<MMotionLayerNode>& nodes() { return player->nodes(); }

    playerfixture::Manager manager;
    MMotionLayerLoader loader;
    std::unique_ptr<PSBObject> document;
    int32_t documentId = -1;
    std::unique_ptr<MMotionPlayer> player;
};

TEST_F(LayerLoader, NumbersLayersDepthFirst) {
    play(shipWith({layer("A", mb::kGroup, {layer("B", mb::kSprite), layer("C", mb::kSprite)}), layer("D", mb::kGroup)}));
    ASSERT_EQ(nodes().size(), 5u);
    const std::vector<std::pair<std::string, int32_t>> expected{{"A", 0}, {"B", 1}, {"C", 1}, {"D", 0}};
    for (size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(nodes()[i + 1].label, expected[i].first);
        EXPECT_EQ(nodes()[i + 1].parent, expected[i].second) << expected[i].first;
    }
}

TEST_F(LayerLoader, ReadsLayerKeysAndTypeRecords) {
    mb::Layer particle = layer("P", mb::kParticleEmitter);
    particle.particle = mb::ParticleEmitter{.kind = 1, .maxNum = 7, .deleteOutsideScreen = true, .accelRatio = 0.5f};
    mb::Layer feedback = layer("F", mb::kFeedback);
    feedback.screenBounds = mb::Rect{.left = 1, .top = 2, .right = 3, .bottom = 4};
    mb::Layer shape = layer("S", mb::kShape);
    shape.shape = 2;
    shape.transformOrder = {3, 2, 1, 0};
    mb::Layer sprite = layer("Sp", mb::kSprite);
    sprite.objTriPriority = 5;
    sprite.meshTransform = 1;
    sprite.meshDivision = 6;
    sprite.meshSyncChildMask = 0x8;
    mb::Layer anchor = layer("An", mb::kAnchor);
    anchor.anchor = 4;
    play(shipWith({particle, feedback, shape, sprite, anchor, layer("Cam", mb::kCamera), layer("Mo", mb::kModel),
                   layer("Cl", mb::kClipRect), layer("G", mb::kGroup)}));
    ASSERT_EQ(nodes().size(), 10u);

    const auto& e = std::get<MMotionParticleEmitter>(nodes()[1].record);
    EXPECT_EQ(e.kind, 1);
    EXPECT_EQ(e.maxNum, 7);
    EXPECT_EQ(e.inheritOpacity, 1);  // absent
    EXPECT_FLOAT_EQ(e.accelRatio, 0.5f);
    EXPECT_EQ(e.screen, (std::array<float, 4>{-100, -50, 100, 50}));
    EXPECT_EQ(e.deletion, (std::array<float, 4>{-110, -55, 110, 55}));
    EXPECT_EQ(e.matrix, (std::array<float, 4>{1, 0, 0, 1}));

    const auto& f = std::get<MMotionFeedbackRecord>(nodes()[2].record);
    EXPECT_EQ(f.bounds, (std::array<float, 4>{1, 2, 3, 4}));
    EXPECT_EQ(f.state[16], 1.0f);

    EXPECT_EQ(std::get<MMotionShapeRecord>(nodes()[3].record).words[0], 2);
    EXPECT_EQ(nodes()[3].transformOrder, (std::array<int32_t, 4>{3, 2, 1, 0}));
    EXPECT_EQ(std::get<MMotionSpriteRecord>(nodes()[4].record).objTriPriority, 5);
    EXPECT_EQ(nodes()[4].meshDivision, 6);
    EXPECT_EQ(nodes()[4].meshSyncChildMask, 0x8);
    EXPECT_EQ(std::get<MMotionAnchorRecord>(nodes()[5].record).anchor, 4);
    EXPECT_EQ(std::get<MMotionCameraRecord>(nodes()[6].record).fov, 0.0f);
    EXPECT_EQ(std::get<MMotionModelRecord>(nodes()[7].record).name, "");
    EXPECT_EQ(std::get<MMotionClipRecord>(nodes()[8].record).rect, (std::array<float, 4>{}));
    EXPECT_TRUE(std::holds_alternative<std::monostate>(nodes()[9].record));
    for (size_t i = 1; i < nodes().size(); ++i) {
        EXPECT_EQ(nodes()[i].inheritMask, 0x5fcu);
        EXPECT_EQ(nodes()[i].stencilType, 1);
        EXPECT_EQ(nodes()[i].parameter, -1);
    }
}

TEST_F(LayerLoader, StencilMasksTakeOnlySpritesAndNestedMotions) {
    mb::Layer composite = layer("St", mb::kStencilComposite);
    composite.stencilType = 1 | 0x4;
    composite.stencilMasks = {"shape", "missing", "sprite"};
    play(shipWith({composite, layer("shape", mb::kShape), layer("sprite", mb::kSprite)}));
    const auto& r = std::get<MMotionStencilCompositeRecord>(nodes()[1].record);
    EXPECT_EQ(r.masks, std::vector<int32_t>{3});
    EXPECT_FALSE(nodes()[2].stencilMask);
    EXPECT_TRUE(nodes()[3].stencilMask);
}

TEST_F(LayerLoader, DamagedTreesAreRefused) {
    std::vector<std::string> trace;
    const DebugTraceSink old = setDebugTraceSink([&](std::string_view line) { trace.emplace_back(line); });
    {
        psbwriter::Value root = mb::motionDocument(shipWith({layer("A", mb::kGroup)}));
        std::get<psbwriter::List>(std::get<psbwriter::Object>(firstLayer(root).data)["children"].data).push_back(7);
        play(loadDocument(psbwriter::writePsb(root)));
        EXPECT_EQ(nodes().size(), 1u);
    }
    {
        mb::Layer deep = layer("leaf", mb::kSprite);
        for (int i = 0; i < MMotionLayerLoader::kMaxDepth; ++i) deep = layer("g", mb::kGroup, {deep});
        player.reset();
        manager.releaseMotion(documentId);
        play(shipWith({deep}));
        EXPECT_EQ(nodes().size(), 1u);
    }
    setDebugTraceSink(old);
    EXPECT_EQ(trace.size(), 2u);
}

TEST(LayerDrawOrder, SkipsEntriesNamingNoLayer) {
    psbwriter::Value list = psbwriter::List{1, -1, 9, 0, -7};
    const std::unique_ptr<PSBObject> doc = loadDocument(psbwriter::writePsb(psbwriter::Object{{"p", list}}));
    EXPECT_EQ(MMotionLayerLoader::drawOrder(doc->root().get("p"), 3), (std::vector<int32_t>{2, 1}));
}

// Frames of one layer of the given type, loaded into a slot each.
class FrameContent : public testing::Test {
protected:
    std::vector<MMotionFrameContent> load(int type, std::vector<mb::Frame> frames) {
        mb::Layer l{.label = "L", .type = type, .frames = std::move(frames)};
        document = motionfixture::load(shipWith({l}));
        const PSBValue list = document->root()
                                  .get("object")
                                  .get("ship")
                                  .get("motion")
                                  .get("m")
                                  .get("layer")
                                  .at(0)
                                  .get("frameList");
        std::vector<MMotionFrameContent> slots(list.getCount());
        for (uint32_t i = 0; i < list.getCount(); ++i) {
            loadFrameHeader(slots[i], i, list);
            loadFrameContent(slots[i], type, list);
        }
        return slots;
    }
    std::unique_ptr<PSBObject> document;
};

TEST_F(FrameContent, EmptyMaskGivesDefaults) {
    const auto slots = load(mb::kGroup, {mb::holdFrame(0, {}), mb::emptyFrame(5)});
    const MMotionFrameContent& c = slots[0];
    EXPECT_FALSE(c.empty);
    EXPECT_TRUE(c.loaded);
    EXPECT_EQ(c.mask, 0u);
    EXPECT_EQ(std::make_tuple(c.x, c.y, c.z, c.ox, c.oy, c.angle, c.sx, c.sy), std::make_tuple(0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f, 0.f));
    EXPECT_EQ(std::make_pair(c.zx, c.zy), std::make_pair(1.0f, 1.0f));
    EXPECT_EQ(c.opacity, 255u);
    EXPECT_EQ(c.drawMode, 0x10u);
    EXPECT_EQ(c.colors, (std::array<uint32_t, 4>{0x808080ff, 0x808080ff, 0x808080ff, 0x808080ff}));
    EXPECT_TRUE(c.uniformColor);
    EXPECT_TRUE(c.defaultColor);
    EXPECT_TRUE(slots[1].empty);
}

TEST_F(FrameContent, ColourRules) {
    mb::Content one{.color = 0x11223344u};
    mb::Content four{.cornerColors = std::array<uint32_t, 4>{1, 2, 3, 4}};
    mb::Content classZero{.drawMode = 0x01};
    mb::Content classOne{.drawMode = 0x11};
    const auto slots = load(mb::kGroup, {mb::holdFrame(0, one), mb::holdFrame(1, four), mb::holdFrame(2, classZero),
                                         mb::holdFrame(3, classOne)});
    EXPECT_EQ(slots[0].colors, (std::array<uint32_t, 4>{0x11223344, 0x11223344, 0x11223344, 0x11223344}));
    EXPECT_TRUE(slots[0].uniformColor);
    EXPECT_FALSE(slots[0].defaultColor);
    EXPECT_EQ(slots[1].colors, (std::array<uint32_t, 4>{1, 2, 3, 4}));
    EXPECT_FALSE(slots[1].uniformColor);
    EXPECT_EQ(slots[2].colors[3], 0xffffffffu);
    EXPECT_EQ(slots[3].colors[3], 0x808080ffu);
}

TEST_F(FrameContent, HoldFramesIgnoreTweenKeys) {
    mb::Content c{.positionEasing = 0, .angleEasing = 0, .zoomEasing = 0, .slantEasing = 0, .colorEasing = 0,
                  .tweenStep = 4};
    const auto slots = load(mb::kGroup, {mb::holdFrame(0, c), mb::tweenFrame(1, c), mb::holdFrame(2, {})});
    EXPECT_EQ(slots[0].tweenStep, 0u);
    EXPECT_EQ(slots[0].positionEasing, -1);
    EXPECT_EQ(slots[0].colorEasing, -1);
    EXPECT_TRUE(slots[1].tween);
    EXPECT_EQ(slots[1].tweenStep, 4u);
    EXPECT_EQ(slots[1].positionEasing, 0);
    EXPECT_EQ(slots[1].slantEasing, 0);
}

TEST(BlankSource, ReadsSizeAndOrigin) {
    struct Case {
        const char* text;
        int32_t width, height;
        float originX, originY;
    };
    for (const Case& c : {Case{"64:32:16.5:8", 64, 32, 16.5f, 8.0f}, Case{" 64 : 32 :16.5: 8 ", 64, 32, 16.5f, 8.0f},
                          Case{"64:32", 64, 32, 0.0f, 0.0f}, Case{"", 0, 0, 0.0f, 0.0f}}) {
        const MMotionSourceInfo info = parseBlankSource(c.text);
        EXPECT_EQ(std::make_tuple(info.width, info.height, info.originX, info.originY),
                  std::make_tuple(c.width, c.height, c.originX, c.originY))
            << c.text;
        EXPECT_EQ(info.attr, 0);
        EXPECT_EQ(info.resolution, 1.0f);
    }
}

TEST(BlankSource, MeshGridCounts) {
    EXPECT_EQ(meshGridCounts(6, 64, 32), (std::array<int32_t, 2>{5, 3}));
    EXPECT_EQ(meshGridCounts(6, 0, 0), (std::array<int32_t, 2>{2, 2}));
    EXPECT_EQ(meshGridCounts(0, 64, 32), (std::array<int32_t, 2>{2, 2}));
}

}  // namespace
