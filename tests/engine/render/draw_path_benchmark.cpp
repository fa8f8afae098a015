// The draw path's cost on the OpenGL device (Mesa's software rasteriser when
// there is no GPU), offscreen, all in one process: the first draw with each
// ordinary shader after a loader step's warm-up and without one, the first
// draws of the states play reaches with and without the queued warm-up
// (the slowest single draw and how many took over 1 ms), single-quad
// draws alternating textured and untextured, single-quad draws with nothing
// changing, and a representative frame.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <bit>
#include <chrono>
#include <cstdlib>
#include <functional>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/camera_2d.h"
#include "engine/render/display.h"
#include "engine/render/texture_upload.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/render/virtual_screen_view.h"
#include "engine/render/win_d3d_win.h"
#include "engine/task/looper.h"
#include "platform/device/gl/gl_api.h"
#include "platform/device/gl/gl_device_factory.h"
#include "platform/heap/heap.h"

namespace {

constexpr int kScreenW = 1920, kScreenH = 1080;
constexpr int kVirtualW = 224, kVirtualH = 288;

class DrawTask final : public MTask {
public:
    explicit DrawTask(std::function<void()> body) : body_(std::move(body)) {}
    void update() override {}
    void draw(int) override { body_(); }

private:
    std::function<void()> body_;
};

MDisplay& display() {
    static MDisplay* display = [] {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        platform::tuneHeapForRendering();
        SDL_Init(SDL_INIT_VIDEO);
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = kScreenW;
        s.windowHeight = s.clientHeight = s.screenHeight = kScreenH;
        s.d3dPureDevice = true;
        SDL_Window* window =
            SDL_CreateWindow("bench", 0, 0, kScreenW, kScreenH, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        static platform::gl::GlDeviceFactory factory;
        new MLooper;
        return new MDisplay(factory, window);
    }();
    return *display;
}

MWinD3DWin& win() { return *display().d3dWin(); }

// A texture of one colour a texel, varied so the rasteriser can't skip it.
MWinD3DTexture* makeTexture(int w, int h, uint32_t seed) {
    MWinD3DTexture* t = win().createTexture(w, h, platform::PixelFormat::A8R8G8B8, false, 1);
    // Source rows are as long as the width rounded up to a power of two.
    std::vector<uint32_t> pixels(size_t(std::bit_ceil(uint32_t(w))) * size_t(h));
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = 0xFF000000u | uint32_t(i * 2654435761u + seed) >> 8;
    MTextureImageDesc desc(32, w, h, 1, 1);
    desc.pixels = pixels.data();
    uploadTexturePixels(*win().device(), t->texture, desc);
    return t;
}

void quad(D3DColouredVertex (&v)[4], float x, float y, float w, float h, float u0, float v0, float u1, float v1) {
    v[0] = {x, y, 0, 0xFFFFFFFF, u0, v0};
    v[1] = {x + w, y, 0, 0xFFFFFFFF, u1, v0};
    v[2] = {x + w, y + h, 0, 0xFFFFFFFF, u1, v1};
    v[3] = {x, y + h, 0, 0xFFFFFFFF, u0, v1};
}

// A 1920 x 1080 target the single-quad draws go to.
MWinD3DTexture* drawTarget() {
    static MWinD3DTexture* target = win().createTexture(kScreenW, kScreenH, platform::PixelFormat::A8R8G8B8, true, 1);
    return target;
}

// Waits until the rasteriser has drawn everything sent so far.
void finish() { win().device()->readSurface(drawTarget()->surface, {0, 0, 1, 1}); }

// Waits for the last present: the window's copy too, not only the back
// buffer it may be taken from.
void finishPresent() { glFinish(); }

// Runs body as a task drawn into the draw target.
void inTargetDraw(const std::function<void()>& body) {
    display().onPreLoop();
    M2DCameraRoot root;
    root.add(new DrawTask(body));
    win().drawTaskToTarget(&root, drawTarget(), false, 0);
}

constexpr MDrawMode kOrdinaryModes[] = {0x00u, 0x01u, 0x02u, 0x03u, 0x04u, 0x05u, 0x10u, 0x11u, 0x13u, 0x15u};
constexpr int32_t kColourModes = 5;

// Draws every ordinary mode and colour mode with each texture into the draw
// target, one draw at a time; the slowest and the mean single draw in ms.
void timeFirstDraws(const std::vector<MWinD3DTexture*>& textures, benchmark::State& state) {
    double worst = 0, total = 0;
    int draws = 0, slow = 0;
    inTargetDraw([&] {
        for (MWinD3DTexture* t : textures)
            for (MDrawMode mode : kOrdinaryModes)
                for (int32_t colourMode = 0; colourMode < kColourModes; ++colourMode) {
                    D3DColouredVertex v[4];
                    quad(v, -8, -8, 16, 16, 0, 0, 1, 1);
                    finish();
                    const auto start = std::chrono::steady_clock::now();
                    win().drawTexturedQuad(v, t, mode, 0.0f, colourMode, 0x80FFFFFF);
                    finish();
                    const double ms =
                        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
                    worst = std::max(worst, ms);
                    total += ms;
                    ++draws;
                    slow += ms > 1.0;
                }
    });
    state.counters["worst_draw_ms"] = worst;
    state.counters["draws_over_1ms"] = slow;
    state.counters["mean_draw_ms"] = total / std::max(draws, 1);
}

// The same first draws after a loader step warmed exactly their states
// (textures of their own sizes, so nothing is left from the cold run).
void BM_FirstDrawAfterWarmUp(benchmark::State& state) {
    const std::vector<MWinD3DTexture*> textures = {makeTexture(24, 40, 4),
                                                   win().createTexture(24, 40, platform::PixelFormat::A8, false, 1)};
    std::vector<MDrawWarmState> states;
    for (MWinD3DTexture* t : textures)
        for (MDrawMode mode : kOrdinaryModes)
            for (int32_t colourMode = 0; colourMode < kColourModes; ++colourMode) states.push_back({t, mode, colourMode});
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        win().warmDrawStates(drawTarget(), states.data(), int32_t(states.size()));
        finish();
        state.counters["warm_up_ms"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        timeFirstDraws(textures, state);
    }
    for (MWinD3DTexture* t : textures) win().releaseTexture(t);
}
BENCHMARK(BM_FirstDrawAfterWarmUp)->Iterations(1)->Unit(benchmark::kMillisecond);

// The first draw of every ordinary mode and colour mode with each texture
// class, as play meets them without a warm-up; reports the slowest single draw.
void BM_FirstDrawOfEachOrdinaryShader(benchmark::State& state) {
    const std::vector<MWinD3DTexture*> textures = {makeTexture(16, 16, 1),
                                                   win().createTexture(16, 16, platform::PixelFormat::A8, false, 1)};
    for (auto _ : state) timeFirstDraws(textures, state);
    for (MWinD3DTexture* t : textures) win().releaseTexture(t);
}
BENCHMARK(BM_FirstDrawOfEachOrdinaryShader)->Iterations(1)->Unit(benchmark::kMillisecond);

// A texture and the modes play draws it in, on the screen or in the
// virtual screen, as the game's sheets, backdrop, font sources and motion
// textures are drawn.
struct ReachableUse {
    MWinD3DTexture* texture;
    std::vector<MDrawMode> modes;
    bool onScreen;
};

// The uses, their textures addressed as given so that each run's classes
// are its own: no run finds code another made.
std::vector<ReachableUse> reachableUses(int32_t address) {
    std::vector<ReachableUse> uses = {
        {makeTexture(1024, 1024, 40), {0, 1}, false},  // sprite sheets
        {makeTexture(1922, 1082, 41), {0}, true},      // the backdrop
        {makeTexture(500, 300, 42), {0}, true},        // a font's source image
        {makeTexture(600, 400, 43), {0x10, 0x11}, false},  // a motion's texture
    };
    // Uploaded now, not by the first timed draw: drawn once in a state of
    // their class that no timed draw uses (colour mode 4, blend mode 5).
    inTargetDraw([&] {
        for (ReachableUse& use : uses) {
            use.texture->addressU = use.texture->addressV = address;
            D3DColouredVertex v[4];
            quad(v, -8, -8, 16, 16, 0, 0, 1, 1);
            win().drawTexturedQuad(v, use.texture, 5, 0.0f, 4, 0xFFFFFFFF);
        }
    });
    finish();
    return uses;
}

// Draws each use in each of its modes, each followed by a fill, one draw at
// a time into its target; the slowest and the mean single draw in ms.
void timeReachableDraws(const std::vector<ReachableUse>& uses, MWinD3DTexture* virtualScreen,
                        benchmark::State& state) {
    double worst = 0, total = 0;
    int draws = 0, slow = 0;
    auto timeDraw = [&](MWinD3DTexture* target, const std::function<void()>& draw) {
        display().onPreLoop();
        M2DCameraRoot root;
        root.add(new DrawTask([&] {
            finishPresent();
            finish();
            const auto start = std::chrono::steady_clock::now();
            draw();
            win().device()->readSurface(target->surface, {0, 0, 1, 1});
            const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
            worst = std::max(worst, ms);
            total += ms;
            ++draws;
            slow += ms > 1.0;
        }));
        win().drawTaskToTarget(&root, target, false, 0);
    };
    for (const ReachableUse& use : uses) {
        MWinD3DTexture* target = use.onScreen ? drawTarget() : virtualScreen;
        for (MDrawMode mode : use.modes) {
            timeDraw(target, [&] {
                D3DColouredVertex v[4];
                quad(v, -8, -8, 16, 16, 0, 0, 1, 1);
                win().drawTexturedQuad(v, use.texture, mode, 0.0f, 0, 0xFFFFFFFF);
            });
            timeDraw(target, [&] {
                D3DColouredVertex v[4];
                quad(v, -4, -4, 8, 8, 0, 0, 0, 0);
                win().drawColorQuad(v);
            });
        }
    }
    state.counters["worst_draw_ms"] = worst;
    state.counters["draws_over_1ms"] = slow;
    state.counters["mean_draw_ms"] = total / std::max(draws, 1);
}

// The first draws of the states play reaches, as play meets them when
// nothing warmed them: each builds its rasteriser code.
void BM_FirstDrawOfReachableStatesCold(benchmark::State& state) {
    MWinD3DTexture* virtualScreen = win().createTexture(kVirtualW, kVirtualH, platform::PixelFormat::A8R8G8B8, true, 1);
    const std::vector<ReachableUse> uses = reachableUses(1);
    for (auto _ : state) timeReachableDraws(uses, virtualScreen, state);
    for (const ReachableUse& use : uses) win().releaseTexture(use.texture);
    win().releaseTexture(virtualScreen);
}
BENCHMARK(BM_FirstDrawOfReachableStatesCold)->Iterations(1)->Unit(benchmark::kMillisecond);

// The same first draws after the textures queued their states, as the
// sheets and motion textures do when made, and prepareShaders warmed them
// (four a call, as the game calls it each frame while it loads).
void BM_FirstDrawOfReachableStatesAfterWarmUp(benchmark::State& state) {
    MWinD3DTexture* virtualScreen = win().createTexture(kVirtualW, kVirtualH, platform::PixelFormat::A8R8G8B8, true, 1);
    win().addWarmTarget(virtualScreen, nullptr);
    const std::vector<ReachableUse> uses = reachableUses(2);
    // The programs first: the game builds them during its first frames.
    while (win().prepareShaders(4) > 0) {
    }
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        for (const ReachableUse& use : uses) win().queueDrawWarmUp(*use.texture, use.modes);
        int calls = 0;
        while (win().prepareShaders(4) > 0) ++calls;
        finishPresent();
        finish();
        state.counters["warm_up_ms"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        state.counters["warm_up_calls"] = calls;
        const platform::DeviceCounters warmed = win().device()->counters();
        timeReachableDraws(uses, virtualScreen, state);
        state.counters["states_met_in_play"] = double(win().device()->counters().drawStatesMet - warmed.drawStatesMet);
    }
    win().removeWarmTarget(virtualScreen);
    for (const ReachableUse& use : uses) win().releaseTexture(use.texture);
    win().releaseTexture(virtualScreen);
}
BENCHMARK(BM_FirstDrawOfReachableStatesAfterWarmUp)->Iterations(1)->Unit(benchmark::kMillisecond);

// 500 single-quad draws, textured and untextured in turn.
void BM_TexturedUntexturedPairs(benchmark::State& state) {
    MWinD3DTexture* texture = makeTexture(32, 32, 2);
    for (auto _ : state) {
        inTargetDraw([&] {
            for (int i = 0; i < 250; ++i) {
                D3DColouredVertex v[4];
                quad(v, float(i % 50) * 8 - 200, float(i / 50) * 8 - 20, 8, 8, 0, 0, 1, 1);
                win().drawTexturedQuad(v, texture, 0, 0.0f, 0, 0);
                quad(v, float(i % 50) * 8 - 200, float(i / 50) * 8 + 40, 8, 8, 0, 0, 0, 0);
                win().drawColorQuad(v);
            }
        });
        finish();
    }
    state.SetItemsProcessed(state.iterations() * 500);
    win().releaseTexture(texture);
}
BENCHMARK(BM_TexturedUntexturedPairs)->Unit(benchmark::kMicrosecond);

// 500 single-quad draws of one texture and mode: the overhead when nothing changes.
void BM_UnchangedDraws(benchmark::State& state) {
    MWinD3DTexture* texture = makeTexture(32, 32, 3);
    for (auto _ : state) {
        inTargetDraw([&] {
            for (int i = 0; i < 500; ++i) {
                D3DColouredVertex v[4];
                quad(v, float(i % 50) * 8 - 200, float(i / 50) * 8 - 40, 2, 2, 0, 0, 1, 1);
                win().drawTexturedQuad(v, texture, 0, 0.0f, 0, 0);
            }
        });
        finish();
    }
    state.SetItemsProcessed(state.iterations() * 500);
    win().releaseTexture(texture);
}
BENCHMARK(BM_UnchangedDraws)->Unit(benchmark::kMicrosecond);

// The game's frame: a 224 x 288 virtual screen of 4,000 sprites in 40 batches
// placed at scale 3 over a 1922 x 1082 backdrop, 64 lines of text drawn a
// quad a glyph, the whole presented at 1920 x 1080. Argument 0: the backdrop
// drawn every frame; 1: drawn once into a picture of the screen's size that
// is copied whole every frame, as the game's backdrop layer keeps it.
void BM_RepresentativeFrame(benchmark::State& state) {
    const bool keptBackdrop = state.range(0) != 0;
    std::vector<MWinD3DTexture*> sheets;
    for (int i = 0; i < 8; ++i) sheets.push_back(makeTexture(256, 256, 10 + uint32_t(i)));
    MWinD3DTexture* backdrop = makeTexture(1922, 1082, 20);
    MWinD3DTexture* glyphs = makeTexture(256, 256, 21);

    std::vector<MQuadBatch::Quad> quads(4000);
    for (size_t i = 0; i < quads.size(); ++i) {
        const float x = float(i * 37 % 208) - 112, y = float(i * 53 % 272) - 144;
        MQuadBatch::Quad& q = quads[i];
        q = {16, 16, float(i % 16) * 16, float(i / 16 % 16) * 16, {}};
        q.corners[0] = {x, y, 0xFFFFFFFF};
        q.corners[1] = {x + 16, y, 0xFFFFFFFF};
        q.corners[2] = {x + 16, y + 16, 0xFFFFFFFF};
        q.corners[3] = {x, y + 16, 0xFFFFFFFF};
    }
    auto* sprites = new DrawTask([&] {
        for (int b = 0; b < 40; ++b) {
            MQuadBatch batch;
            batch.texture = sheets[size_t(b) % sheets.size()];
            batch.mode = b % 5 == 4 ? 1 : 0;
            batch.count = 100;
            batch.quads = quads.data() + b * 100;
            win().drawQuadBatch(batch, 0xFFFFFFFF);
        }
    });
    auto* virtualRoot = new M2DCameraRoot;
    virtualRoot->add(sprites);
    MVirtualScreenDriver driver(virtualRoot, kVirtualW, kVirtualH);
    driver.setClearColour(0, 0, 0, 255);

    auto drawBackdrop = [&] {
        D3DColouredVertex v[4];
        quad(v, -961, -541, 1922, 1082, 0, 0, 1, 1);
        win().drawTexturedQuad(v, backdrop, 0, 0.0f, 0, 0);
    };
    MWinD3DTexture* picture = nullptr;
    if (keptBackdrop) {
        picture = win().createTexture(kScreenW, kScreenH, platform::PixelFormat::X8R8G8B8, true, 1);
        display().onPreLoop();
        M2DCameraRoot root;
        root.add(new DrawTask(drawBackdrop));
        win().drawTaskToTarget(&root, picture, true, win().screenClearColour());
    }
    M2DCameraRoot screen;
    screen.add(new DrawTask([&] {
        if (picture) {
            const platform::Rect whole{0, 0, kScreenW, kScreenH};
            win().blitTexture(win().device()->renderTarget(), picture, &whole, nullptr);
        } else {
            drawBackdrop();
        }
        driver.draw(0);
    }));
    auto* view = new MVirtualScreenView(&driver);
    view->setPosition(-kVirtualW / 2.0f, -kVirtualH / 2.0f);
    auto* locator = new M2DCameraLocator;
    locator->scaleX = locator->scaleY = 3.0f;
    locator->add(view);
    screen.add(locator);
    screen.add(new DrawTask([&] {
        for (int line = 0; line < 64; ++line)
            for (int c = 0; c < 24; ++c) {
                D3DColouredVertex v[4];
                const float u = float((line * 24 + c) % 16) / 16, vv = float((line * 24 + c) / 16 % 16) / 16;
                quad(v, float(c) * 12 - 900, float(line) * 16 - 520, 12, 16, u, vv, u + 0.75f / 16, vv + 1.0f / 16);
                win().drawTexturedQuad(v, glyphs, 0, 0.0f, 0, 0);
            }
    }));

    for (auto _ : state) {
        display().onPreLoop();
        win().resetRenderStates();
        win().drawTaskToTarget(&screen, nullptr, true, 0xFF000000);
        win().resetRenderStates();
        win().present();
        finishPresent();
    }
    screen.clear();
    for (MWinD3DTexture* t : sheets) win().releaseTexture(t);
    win().releaseTexture(backdrop);
    win().releaseTexture(glyphs);
    if (picture) win().releaseTexture(picture);
}
BENCHMARK(BM_RepresentativeFrame)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
