// Shared PSB textures loaded and released from two threads at once, as the
// main loop and a background loader do: every reference is counted and
// every texture given back once.
#include <gtest/gtest.h>

#include <thread>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/render/psb_texture.h"
#include "engine/render/shared_texture_table.h"
#include "tests/engine/render/psb_image_fixture.h"

namespace {

using psbimage::Bytes;
using psbimage::image;

class PSBTextureThreadTest : public PSBImageTest {};

TEST_F(PSBTextureThreadTest, TwoThreadsShareAndReleaseOneImage) {
    psbwriter::Object root{{"a", image("RGBA8", 4, 4, Bytes(64, 7), "common")},
                           {"b", image("L8", 4, 4, Bytes(16, 9), "win")}};
    auto doc = psbimage::document(root);
    const PSBValue a = doc->root().get("a"), b = doc->root().get("b");
    MPSBTexture held;
    ASSERT_TRUE(loadPSBTexture(*win, held, a));

    const auto work = [&](const PSBValue& other) {
        for (int i = 0; i < 200; ++i) {
            MPSBTexture same, different;
            EXPECT_TRUE(loadPSBTexture(*win, same, a));
            EXPECT_TRUE(loadPSBTexture(*win, different, other));
            EXPECT_EQ(same.texture->width, 4);
        }
    };
    std::thread first(work, a);
    std::thread second(work, b);
    first.join();
    second.join();
    win->present();  // the main thread frees what the loaders released

    EXPECT_EQ(sharedTextureReferences(held.texture), 1);
    EXPECT_EQ(sharedTextureEntryCount(), 1u);
    EXPECT_EQ(device->liveTextures(), baseTextures + 1);
    held.release();
    EXPECT_EQ(sharedTextureEntryCount(), 0u);
    EXPECT_EQ(device->liveTextures(), baseTextures);
}

}  // namespace
