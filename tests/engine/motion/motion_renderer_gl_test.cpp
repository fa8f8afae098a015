// The motion renderer on the OpenGL device, read back: items under a stencil
// composite of an additive and a subtractive mask, between unmasked items,
// compared with the picture worked out here.
#include <SDL.h>
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstring>
#include <deque>
#include <memory>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion_layer.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "engine/task/task.h"
#include "platform/device/gl/gl_device_factory.h"

namespace {

constexpr int kSize = 16;

// Renders the layer's queue under the camera at rest (the world's origin at
// the middle of the picture, one unit a pixel).
class LayerDrawTask : public MTask {
public:
    explicit LayerDrawTask(MMotionLayer& layer) : layer_(layer) {}
    void update() override {}
    void draw(int) override {
        MDisplay::setCamera(0, 0, 1.0f, 0);
        layer_.draw(0);
    }

private:
    MMotionLayer& layer_;
};

class MotionRendererGlTest : public testing::TestWithParam<int32_t> {
protected:
    static void SetUpTestSuite() {
        if (display_) return;
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.windowHeight = s.clientHeight = kSize;
        s.screenWidth = s.screenHeight = kSize;
        s.useDepthStencil = true;
        s.d3dPureDevice = true;
        SDL_Window* window = SDL_CreateWindow("motion", 0, 0, kSize, kSize, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window, nullptr) << SDL_GetError();
        static platform::gl::GlDeviceFactory factory;
        looper_ = new MLooper;
        display_ = new MDisplay(factory, window);
        ASSERT_NE(display_->d3dWin()->device(), nullptr);
    }

    static MWinD3DWin& win() { return *display_->d3dWin(); }

    // A layer with one white texel in slot `slot`.
    void SetUp() override {
        ASSERT_NE(display_, nullptr);
        layer = std::make_unique<MMotionLayer>();
        white = std::make_unique<MMotionTexture>();
        MWinD3DTexture* t = win().createTexture(1, 1, platform::PixelFormat::A8R8G8B8, false, 1);
        platform::LockedRect locked;
        ASSERT_TRUE(win().device()->lockTexture(t->texture, 0, nullptr, false, locked));
        const uint32_t texel = 0xFFFFFFFF;
        std::memcpy(locked.bits, &texel, 4);
        win().device()->unlockTexture(t->texture, 0);
        white->texture.texture = t;
        white->texture.width = white->texture.height = 1;
        slot = layer->replaceSource("white", "texel", white.get(), 1, 1, 0, 0);
    }
    void TearDown() override {
        layer.reset();
        white.reset();
        win().maskComposite().mode = 0;
    }

    // An item over pixels [left, right) x [top, bottom) in the colour (RGBA).
    MMotionRenderItem& item(float left, float top, float right, float bottom, uint32_t rgba, float z) {
        MMotionVertexGrid& grid = grids.emplace_back();
        const float h = kSize / 2.0f;
        grid.points = {left - h, top - h, right - h, top - h, left - h, bottom - h, right - h, bottom - h};
        MMotionRenderItem& it = items.emplace_back();
        it.grid = &grid;
        it.texture = slot;
        it.drawMode = 0;
        it.source[2] = it.source[3] = 1.0f;
        for (uint32_t& c : it.colors) c = rgba;
        it.z = z;
        return it;
    }

    std::vector<uint32_t> drawn() {
        for (MMotionRenderItem& it : items) {
            if (it.z >= 0.0f) layer->queueRenderItem(&it);
        }
        MWinD3DTexture* target = win().createTexture(kSize, kSize, platform::PixelFormat::A8R8G8B8, true, 1);
        display_->onPreLoop();
        LayerDrawTask task(*layer);
        EXPECT_TRUE(win().drawTaskToTarget(&task, target, true, 0xFF000000));
        auto pixels = win().device()->readSurface(target->surface, {0, 0, kSize, kSize});
        win().releaseTexture(target);
        return pixels;
    }

    std::unique_ptr<MMotionLayer> layer;
    std::unique_ptr<MMotionTexture> white;
    int32_t slot = 0;
    std::deque<MMotionVertexGrid> grids;
    std::deque<MMotionRenderItem> items;

    static inline MLooper* looper_ = nullptr;
    static inline MDisplay* display_ = nullptr;
};

// Within one step of 8 bits on every channel.
::testing::AssertionResult near(uint32_t actual, uint32_t expected) {
    for (int shift = 0; shift < 32; shift += 8) {
        const int a = int(actual >> shift & 0xFF), e = int(expected >> shift & 0xFF);
        if (std::abs(a - e) > 1) return ::testing::AssertionFailure() << std::hex << actual << " for " << expected;
    }
    return ::testing::AssertionSuccess();
}

TEST_P(MotionRendererGlTest, AnAdditiveMaskLetsThroughWhatASubtractiveMaskLeaves) {
    win().maskComposite().mode = GetParam();
    // Masks: columns 0 to 11 let the items through, columns 4 to 7 cut them out.
    MMotionRenderItem& keep = item(0, 0, 12, 16, 0xFFFFFFFF, -1);
    keep.stencilType = MMotionRenderItem::kMaskAdditive;
    MMotionRenderItem& cut = item(4, 0, 8, 16, 0xFFFFFFFF, -1);
    cut.stencilType = MMotionRenderItem::kMaskSubtractive;
    cut.container = &keep;
    // Blue over the top rows unmasked, red over all masked, green over the
    // bottom rows unmasked again.
    item(0, 0, 16, 4, 0x0000FFFF, 0);
    item(0, 0, 16, 16, 0xFF0000FF, 1).container = &cut;
    item(0, 12, 16, 16, 0x00FF00FF, 2);
    const auto pixels = drawn();

    for (int y = 0; y < kSize; ++y) {
        for (int x = 0; x < kSize; ++x) {
            uint32_t expected = y < 4 ? 0xFF0000FF : 0xFF000000;
            if (x < 12 && !(x >= 4 && x < 8)) expected = 0xFFFF0000;
            if (y >= 12) expected = 0xFF00FF00;
            EXPECT_TRUE(near(pixels[size_t(y * kSize + x)], expected)) << x << "," << y;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(StencilAndRenderTargets, MotionRendererGlTest, testing::Values(0, 1));

}  // namespace
