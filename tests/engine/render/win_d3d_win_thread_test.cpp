// Textures released on a loader thread while the main thread draws, as a
// background loader dropping a document's last reference does: the loader
// only takes the record out of the lists, and the main thread unbinds and
// frees it at its next frame.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::PixelFormat;

class WinD3DWinThreadTest : public testing::Test {
protected:
    void SetUp() override {
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = 64;
        s.windowHeight = s.clientHeight = s.screenHeight = 64;
        s.d3dPureDevice = true;
        win = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
        ASSERT_TRUE(win->initialize());
        device = factory.last;
    }

    void TearDown() override { win.reset(); }

    void drawQuad(MWinD3DTexture* texture) {
        D3DColouredVertex v[4] = {{0, 0, 0, 0xFFFFFFFF, 0, 0}, {8, 0, 0, 0xFFFFFFFF, 1, 0},
                                  {8, 8, 0, 0xFFFFFFFF, 1, 1}, {0, 8, 0, 0xFFFFFFFF, 0, 1}};
        win->drawTexturedQuad(v, texture, 0, 0.0f, 0, 0);
    }

    FakeDeviceFactory factory;
    std::unique_ptr<MWinD3DWin> win;
    platform::RecordingDevice* device = nullptr;
};

TEST_F(WinD3DWinThreadTest, ALoaderReleasesWhatTheMainThreadDrewWhileItDrawsOn) {
    constexpr int kCount = 300;
    const int baseTextures = device->liveTextures();
    const uint32_t baseBytes = win->videoMemoryBytes();
    std::vector<MWinD3DTexture*> records;
    for (int i = 0; i < kCount; ++i) records.push_back(win->createTexture(4, 4, PixelFormat::A8R8G8B8, false, 1));
    MWinD3DTexture* kept = win->createTexture(4, 4, PixelFormat::A8R8G8B8, false, 1);

    // The loader drops each record once the main thread has drawn with it,
    // so the one it drops is often still bound on stage 0.
    std::atomic<int> drawn{0};
    std::thread loader([&] {
        for (int i = 0; i < kCount; ++i) {
            while (drawn.load() <= i) std::this_thread::yield();
            EXPECT_TRUE(win->releaseTexture(records[size_t(i)]));
        }
    });
    for (int i = 0; i < kCount; ++i) {
        drawQuad(records[size_t(i)]);
        drawn = i + 1;
        drawQuad(kept);
        if (i % 10 == 0) win->present();
    }
    loader.join();

    EXPECT_EQ(win->videoMemoryBytes(), baseBytes + 64u);
    EXPECT_EQ(win->textures().size(), size_t(baseTextures + 1));
    win->present();
    EXPECT_EQ(device->liveTextures(), baseTextures + 1);
    drawQuad(kept);
    EXPECT_EQ(device->draws().back().textures[0], kept->texture);
    EXPECT_TRUE(win->releaseTexture(kept));
    EXPECT_EQ(device->liveTextures(), baseTextures);
}

}  // namespace
