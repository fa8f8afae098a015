// MTexPSBObject: the texture build of newly loaded documents ("motion",
// "image", "map", "rsc"), the spec rule, and a motion document read through
// the pipeline with its textures on the device and its pixel bytes dropped.
#include "engine/data/tex_psb_object.h"

#include <gtest/gtest.h>

#include <memory>

#include "engine/base/win_app_settings.h"
#include "engine/render/display.h"
#include "engine/render/shared_texture_table.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/data/read_pipeline_fixture.h"
#include "tests/engine/render/fake_device_factory.h"
#include "tests/engine/render/psb_image_fixture.h"

namespace {

using psbimage::Bytes;
using psbimage::image;
using psbwriter::List;
using psbwriter::Object;

// A display on a recording device, M_SPEC "win".
class TextureBuildTest : public ReadPipelineTest {
protected:
    TextureBuildTest() {
        M_SPEC = "win";
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = 32;
        s.windowHeight = s.clientHeight = s.screenHeight = 32;
        s.d3dPureDevice = true;
        display = std::make_unique<MDisplay>(factory, nullptr);
        device = factory.last;
        baseTextures = device->liveTextures();
    }
    ~TextureBuildTest() override {
        display.reset();
        M_SPEC.clear();
    }

    std::unique_ptr<MTexPSBObject> load(const Object& root) {
        const Bytes bytes = psbwriter::writePsb(root);
        auto* copy = static_cast<uint8_t*>(std::malloc(bytes.size()));
        std::memcpy(copy, bytes.data(), bytes.size());
        return std::make_unique<MTexPSBObject>(copy, bytes.size(), PSBOwnership::Owned);
    }

    Bytes levelBytes(const MWinD3DTexture* record) {
        platform::LockedRect locked;
        EXPECT_TRUE(device->lockTexture(record->texture, 0, nullptr, false, locked));
        Bytes bytes(locked.bits, locked.bits + size_t(locked.pitch) * size_t(record->height));
        device->unlockTexture(record->texture, 0);
        return bytes;
    }

    FakeDeviceFactory factory;
    std::unique_ptr<MDisplay> display;
    platform::RecordingDevice* device = nullptr;
    int baseTextures = 0;
};

Object img(uint8_t fill) { return image("RGBA8", 1, 1, Bytes(4, fill)); }

Object motion(const std::string& spec) {
    return Object{{"id", "motion"},
                  {"spec", spec},
                  {"source", Object{{"b", Object{{"texture", img(2)}}}, {"a", Object{{"texture", img(1)}}}}}};
}

TEST_F(TextureBuildTest, EachIdBuildsTheTexturesItsLayoutNames) {
    const Object map{
        {"id", "map"},
        {"spec", "win"},
        {"layer", List{Object{{"className", "ChipLayerItem"}, {"image", img(1)}},
                       Object{{"className", "ChipLayerItem"}, {"image", psbwriter::Value{}}},
                       Object{{"className", "BezierLayerItem"},
                              {"texture", List{Object{{"textureLane", img(2)},
                                                      {"textureWall", psbwriter::Value{}},
                                                      {"textureLaneSide", List{img(3), psbwriter::Value{}, img(4)}}}}}},
                       Object{{"className", "TextLayerItem"}, {"image", img(5)}}}}};
    const Object imageDoc{
        {"id", "image"},
        {"spec", "common"},
        {"imageList", List{Object{{"texture", List{Object{{"image", img(1)}}, Object{{"image", img(2)}}}}},
                           Object{{"texture", List{Object{{"image", img(3)}}}}}}}};
    const Object rsc{{"id", "rsc"},
                     {"spec", "win"},
                     {"rsc", Object{{"first", motion("win")}, {"second", motion("ps3")}, {"third", imageDoc}}}};
    struct Case {
        const char* name;
        Object root;
        size_t textures;
        std::vector<uint8_t> firstBytes;  // of each texture in order: its fill
    };
    const Case cases[] = {
        {"motion: one a source, in key order", motion("win"), 2, {1, 2}},
        {"motion of another spec: none", motion("ps3"), 0, {}},
        {"motion of the common spec", motion("common"), 2, {1, 2}},
        {"map: chips and lanes, nulls skipped, two lane sides at most", map, 3, {1, 2, 3}},
        {"image: every texture of every list entry", imageDoc, 3, {1, 2, 3}},
        {"rsc: every entry as a document of its own", rsc, 5, {1, 2, 1, 2, 3}},
        {"a document of another id: none", Object{{"id", "font"}, {"spec", "win"}, {"source", List{img(1)}}}, 0, {}},
        {"a document without a spec: none", Object{{"id", "motion"}, {"source", Object{}}}, 0, {}},
    };
    for (const Case& c : cases) {
        auto doc = load(c.root);
        doc->buildTextures(doc->root(), false);
        ASSERT_EQ(doc->textures().size(), c.textures) << c.name;
        for (size_t i = 0; i < c.textures; ++i) {
            ASSERT_NE(doc->textures()[i]->texture, nullptr) << c.name;
            EXPECT_EQ(levelBytes(doc->textures()[i]->texture)[1], c.firstBytes[i]) << c.name << " " << i;
        }
        doc.reset();
        EXPECT_EQ(device->liveTextures(), baseTextures) << c.name;
        EXPECT_EQ(sharedTextureEntryCount(), 0u) << c.name;
    }
}

TEST_F(TextureBuildTest, PurgingDropsThePixelBytesOnceTheTexturesAreMade) {
    auto doc = load(motion("win"));
    doc->buildTextures(doc->root(), true);
    ASSERT_EQ(doc->textures().size(), 2u);
    EXPECT_EQ(levelBytes(doc->textures()[0]->texture), Bytes(4, 1));
    const PSBValue pixel = doc->root()["source"]["a"]["texture"]["pixel"];
    EXPECT_EQ(pixel.getResourceData(), nullptr);
    EXPECT_EQ(pixel.getResourceSize(), 4u);
    EXPECT_EQ(doc->ownership(), PSBOwnership::Purged);
    // The sharing key is the image in the purged tree, which the document
    // keeps: a later load of the same image shares the texture.
    MPSBTexture again;
    EXPECT_TRUE(loadPSBTexture(again, doc->root()["source"]["a"]["texture"]));
    EXPECT_EQ(again.texture, doc->textures()[0]->texture);
}

TEST_F(TextureBuildTest, AMotionDocumentReadThroughThePipelineHasItsTexturesAndNoPixelBytes) {
    write("motion/ship.psb.m",
          psbwriter::packContainer(psbwriter::writePsb(motion("win")), {}, "ship.psb.m"));
    write("motion/other.psb.m",
          psbwriter::packContainer(psbwriter::writePsb(motion("x360")), {}, "other.psb.m"));
    MFileReadTask* task = addTask();
    ReadSlot ship, other;
    task->request("motion/ship.psb.m", &ship.doc, &ship.status, true);
    task->request("motion/other.psb.m", &other.doc, &other.status, true);
    ASSERT_TRUE(runUntilEmpty());
    ASSERT_EQ(ship.status, kReadDone);
    auto* built = dynamic_cast<MTexPSBObject*>(ship.doc);
    ASSERT_NE(built, nullptr);
    ASSERT_EQ(built->textures().size(), 2u);
    EXPECT_EQ(levelBytes(built->textures()[0]->texture), Bytes(4, 1));
    EXPECT_EQ(levelBytes(built->textures()[1]->texture), Bytes(4, 2));
    EXPECT_EQ(ship.doc->root()["source"]["b"]["texture"]["pixel"].getResourceData(), nullptr);
    EXPECT_EQ(device->liveTextures(), baseTextures + 2);

    auto* kept = dynamic_cast<MTexPSBObject*>(other.doc);
    ASSERT_NE(kept, nullptr);
    EXPECT_TRUE(kept->textures().empty());
    EXPECT_NE(other.doc->root()["source"]["b"]["texture"]["pixel"].getResourceData(), nullptr);

    delete ship.doc;
    ship.doc = nullptr;
    EXPECT_EQ(device->liveTextures(), baseTextures);
    EXPECT_EQ(sharedTextureEntryCount(), 0u);
}

}  // namespace
