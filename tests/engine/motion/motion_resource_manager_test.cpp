#include "engine/motion/motion_resource_manager.h"

#include <gtest/gtest.h>

#include <cstring>

#include "engine/base/win_app_settings.h"
#include "tests/engine/motion/motion_fixture.h"

namespace {

namespace mb = psbwriter::motion;
using motionfixture::document;
using motionfixture::load;

// Hands out texture slots in order and remembers which were given back.
class FakeManager : public MMotionResourceManager {
public:
    int32_t loadTexture(const PSBValue& image, bool) override {
        EXPECT_EQ(image.get("type").toString(), std::string("RGBA8"));
        return nextSlot++;
    }
    void releaseTexture(int32_t slot) override { released.push_back(slot); }
    void warmTexture(int32_t slot, const std::vector<uint32_t>& drawModes) override {
        warmed.emplace_back(slot, drawModes);
    }
    float getFrameDelta() override { return 1.0f; }
    float random() override { return 0.0f; }

    int32_t nextSlot = 0;
    std::vector<int32_t> released;
    std::vector<std::pair<int32_t, std::vector<uint32_t>>> warmed;
};

class MotionResourceManager : public testing::Test {
protected:
    void SetUp() override { M_SPEC = "win"; }
    void TearDown() override { M_SPEC.clear(); }

    FakeManager manager;
};

std::string documentLabel(const PSBValue& motion) { return motion.document()->root().get("label").toString(); }

TEST_F(MotionResourceManager, RegistersADocumentOnce) {
    const auto a = load(document("a", "src", {"i0", "i1"}, "ship", {"idle"}));
    const auto b = load(document("b", "src", {"i0"}, "ship", {"idle"}));
    EXPECT_EQ(manager.loadMotion(a.get()), 0);
    EXPECT_EQ(manager.loadMotion(b.get()), 1);
    EXPECT_EQ(manager.loadMotion(a.get()), 0);
    ASSERT_EQ(manager.motionData().size(), 2u);
    EXPECT_EQ(manager.motionData()[0].referenceCount, 2);
    EXPECT_EQ(manager.motionData()[1].referenceCount, 1);
    // One texture per source, loaded at the first registration only.
    EXPECT_EQ(manager.nextSlot, 2);
    EXPECT_EQ(manager.motionData()[1].sources.at("src").texture, 1);
    EXPECT_EQ(manager.loadMotion(nullptr), -1);
}

// Each texture made for a document is handed on with every draw mode its
// layers name, nested layers and other motions included, and the default
// mode of frames that name none: what play will draw the texture in.
TEST_F(MotionResourceManager, TexturesAreHandedOnWithTheModesTheLayersDrawIn) {
    mb::Document d = document("modes", "src", {"i0"}, "ship", {"idle", "boost"});
    mb::Content additive;
    additive.src = "src";
    additive.icon = "i0";
    additive.drawMode = 0x11;
    mb::Content multiply = additive;
    multiply.drawMode = 0x13;
    mb::Layer nested{.label = "glow", .frames = {mb::holdFrame(0, multiply), mb::holdFrame(5, additive)}};
    std::get<mb::Timeline>(d.objects["ship"].motions["boost"]).layers[0].children.push_back(nested);
    std::get<mb::Timeline>(d.objects["ship"].motions["idle"]).layers[0].frames.push_back(mb::holdFrame(12, additive));
    d.sources["other"].texture = motionfixture::image(4, 4);
    const auto a = load(d);
    manager.loadMotion(a.get());
    ASSERT_EQ(manager.warmed.size(), 2u);
    for (size_t i = 0; i < manager.warmed.size(); ++i) {
        EXPECT_EQ(manager.warmed[i].first, int32_t(i));
        EXPECT_EQ(manager.warmed[i].second, (std::vector<uint32_t>{0x10, 0x11, 0x13}));
    }
    // A document registered again makes no texture and hands on none.
    manager.loadMotion(a.get());
    EXPECT_EQ(manager.warmed.size(), 2u);
}

TEST_F(MotionResourceManager, ADocumentThatFailsItsChecksLoadsAllTheSame) {
    mb::Document old = document("old", "src", {"i0"}, "ship", {"idle"});
    old.version = 2.9f;
    const auto a = load(old);
    const auto b = load(document("b", "src", {"i0"}, "ship", {"idle"}));
    EXPECT_EQ(manager.loadMotion(a.get()), 0);
    EXPECT_NE(manager.lastCheckMessage().find("version is too old"), std::string::npos);
    PSBValue motion;
    EXPECT_TRUE(manager.findMotion("ship", "idle", motion, PSBValue()));
    manager.loadMotion(b.get());
    EXPECT_EQ(manager.lastCheckMessage(), "");
}

TEST_F(MotionResourceManager, TheLastReleaseGivesBackTheTextures) {
    const auto a = load(document("a", "src", {"i0"}, "ship", {"idle"}));
    const int32_t id = manager.loadMotion(a.get());
    manager.loadMotion(a.get());
    manager.releaseMotion(id);
    EXPECT_TRUE(manager.released.empty());
    EXPECT_EQ(manager.motionData().size(), 1u);
    manager.releaseMotion(id);
    EXPECT_EQ(manager.released, std::vector<int32_t>{0});
    EXPECT_TRUE(manager.motionData().empty());
    // Ids are never reused.
    EXPECT_EQ(manager.loadMotion(a.get()), 1);
}

TEST_F(MotionResourceManager, FindsAMotionInTheHintFirst) {
    const auto a = load(document("a", "src", {"i0"}, "ship", {"idle", "turn"}));
    const auto b = load(document("b", "src", {"i0"}, "ship", {"idle", "boost"}));
    manager.loadMotion(a.get());
    manager.loadMotion(b.get());
    PSBValue motion;
    ASSERT_TRUE(manager.findMotion("ship", "idle", motion, PSBValue()));
    EXPECT_EQ(documentLabel(motion), "a");
    ASSERT_TRUE(manager.findMotion("ship", "idle", motion, b->root()));
    EXPECT_EQ(documentLabel(motion), "b");
    ASSERT_TRUE(manager.findMotion("ship", "turn", motion, b->root()));
    EXPECT_EQ(documentLabel(motion), "a");
    EXPECT_EQ(motion.get("type").toInt(), 0);
    EXPECT_FALSE(manager.findMotion("ship", "missing", motion, PSBValue()));
    EXPECT_EQ(motion.document(), nullptr);
    EXPECT_FALSE(manager.findMotion("boat", "idle", motion, a->root()));
}

TEST_F(MotionResourceManager, AnswersIconsWithTheirDefaults) {
    mb::Document d = document("a", "src", {"i0", "i1"}, "ship", {"idle"});
    d.sources["src"].icons["i1"].attr = 3;
    d.sources["src"].icons["i1"].resolution = 0.5f;
    const auto a = load(d);
    manager.loadMotion(a.get());
    MMotionSourceInfo info;
    ASSERT_TRUE(manager.getSourceInfo("src", "i0", info, PSBValue()));
    EXPECT_EQ(info.attr, 0);
    EXPECT_EQ(info.resolution, 1.0f);
    ASSERT_TRUE(manager.getSourceInfo("src", "i1", info, PSBValue()));
    EXPECT_EQ(info.texture, 0);
    EXPECT_EQ(info.attr, 3);
    EXPECT_EQ(info.left, 8);
    EXPECT_EQ(info.top, 0);
    EXPECT_EQ(info.width, 8);
    EXPECT_EQ(info.height, 8);
    EXPECT_EQ(info.originX, 4.0f);
    EXPECT_EQ(info.originY, 4.0f);
    EXPECT_EQ(info.resolution, 0.5f);
    const MMotionSourceInfo before = info;
    EXPECT_FALSE(manager.getSourceInfo("src", "i9", info, PSBValue()));
    EXPECT_FALSE(manager.getSourceInfo("other", "i0", info, PSBValue()));
    EXPECT_EQ(std::memcmp(&before, &info, sizeof info), 0);
}

TEST_F(MotionResourceManager, SearchesIconsInTheHintFirstThenEveryEntry) {
    const auto a = load(document("a", "src", {"i0"}, "ship", {"idle"}));
    const auto b = load(document("b", "src", {"i0", "i1"}, "ship", {"idle"}));
    manager.loadMotion(a.get());
    manager.loadMotion(b.get());
    MMotionSourceInfo info;
    ASSERT_TRUE(manager.getSourceInfo("src", "i0", info, PSBValue()));
    EXPECT_EQ(info.texture, 0);
    ASSERT_TRUE(manager.getSourceInfo("src", "i0", info, b->root()));
    EXPECT_EQ(info.texture, 1);
    ASSERT_TRUE(manager.getSourceInfo("src", "i1", info, a->root()));
    EXPECT_EQ(info.texture, 1);
}

TEST_F(MotionResourceManager, ARenameAnswersWithAnotherIconInAnyEntry) {
    mb::Document renamed = document("a", "src", {"i0"}, "ship", {"idle"});
    renamed.renames["old/face"] = {"src2", "i1"};
    const auto a = load(renamed);
    const auto b = load(document("b", "src2", {"i0", "i1"}, "ship", {"idle"}));
    manager.loadMotion(a.get());
    manager.loadMotion(b.get());
    MMotionSourceInfo info;
    ASSERT_TRUE(manager.getSourceInfo("old", "face", info, PSBValue()));
    EXPECT_EQ(info.texture, 1);
    EXPECT_EQ(info.left, 8);
    // The rename belongs to the pair, not to the source.
    EXPECT_FALSE(manager.getSourceInfo("old", "i0", info, PSBValue()));
}

TEST(MotionIdPool, GivesTheLastReturnedIdFirst) {
    MMotionIdPool pool;
    EXPECT_EQ(pool.acquire(), 0u);
    EXPECT_EQ(pool.acquire(), 1u);
    EXPECT_EQ(pool.acquire(), 2u);
    pool.release(0);
    pool.release(2);
    EXPECT_EQ(pool.acquire(), 2u);
    EXPECT_EQ(pool.acquire(), 0u);
    EXPECT_EQ(pool.acquire(), 3u);
}

}  // namespace
