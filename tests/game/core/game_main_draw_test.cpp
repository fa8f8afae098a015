// The game main draw's own requests: backdrop, prompt, pause overlay and
// resume countdown, menu-frame glow and the frames-per-second text.
#include "game/core/game_main_draw.h"

#include <string>
#include <vector>

#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"
#include "tests/game/core/game_main_fixture.h"

namespace {

// Rows sized as the sheets' cells, so every sprite the draw uses is queued.
std::vector<SpriteFrame> drawFrames() {
    std::vector<SpriteFrame> rows(3040);
    const auto cell = [&](int id, int w, int h) { rows[size_t(id)] = {4, 0, 0, w, h, id, 0, 0, 0, 0, 0}; };
    cell(7, 24, 24);
    cell(8, 24, 24);
    cell(9, 24, 24);
    cell(2687, 34, 34);
    cell(2692, 1922, 1082);
    cell(2833, 218, 18);
    for (int c = 0; c < 128; ++c) cell(2912 + c, 18, 22);
    return rows;
}

struct Queued {
    int32_t type;
    int32_t frame;  // sprites
    std::string text;
    float x, y;  // texts
    int32_t dstX;  // sprites
    int32_t layer;
    float alpha;
    uint8_t r, g, b;
    int32_t blend;
};

std::vector<Queued> queued() {
    std::vector<Queued> list;
    for (int i = 0; i < OBJdrawRequestCount(); ++i) {
        const DrawObj& e = *OBJdrawStoreEntry(i);
        list.push_back({e.type, e.frameId, e.text ? e.text : "", e.x, e.y, e.dstX, e.layer, e.alpha, e.r, e.g, e.b,
                        e.blend});
    }
    return list;
}

std::vector<Queued> ofType(int32_t type) {
    std::vector<Queued> list;
    for (const Queued& q : queued()) {
        if (q.type == type) list.push_back(q);
    }
    return list;
}

std::vector<Queued> onLayer(int32_t layer) {
    std::vector<Queued> list;
    for (const Queued& q : queued()) {
        if (q.layer == layer) list.push_back(q);
    }
    return list;
}

class GameMainDrawTest : public GameMainFixture {
protected:
    void SetUp() override {
        GameMainFixture::SetUp();
        frames_ = drawFrames();
        OBJsetFrameTable(frames_);
    }
    void TearDown() override {
        OBJsetFrameTable({});
        GameMainFixture::TearDown();
    }

    void queue() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        gameMainQueueOverlays();
    }

    std::vector<SpriteFrame> frames_;
};

TEST_F(GameMainDrawTest, BackdropFirstAndNothingElseInPlainPlay) {
    queue();
    const auto all = queued();
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].frame, 2692);
    EXPECT_EQ(all[0].layer, 0);
    EXPECT_EQ(all[0].dstX, 960 - 961);
}

TEST_F(GameMainDrawTest, TheWallpaperSettingChoosesTheBackdrop) {
    const std::pair<int32_t, size_t> cases[] = {{0, 1}, {1, 0}, {7, 1}, {-1, 1}};
    for (const auto& [wallpaper, backdrops] : cases) {
        SCOPED_TRACE(wallpaper);
        gameSettings.DISP_WALLTYPE = wallpaper;
        queue();
        EXPECT_EQ(onLayer(0).size(), backdrops);
    }
}

std::vector<int32_t> gameMainDrawTileSizes;

TEST_F(GameMainDrawTest, TheRootTasksFlushHandsTileLayersToTheStageDrawer) {
    gameMainDrawTileSizes.clear();
    task->installSpriteTarget();
    for (DrawTileLayerFn drawer : {DrawTileLayerFn(nullptr), DrawTileLayerFn([](ObjWork*, const void*, int32_t size,
                                                                                 int32_t, int32_t, int32_t, int32_t) {
                                       gameMainDrawTileSizes.push_back(size);
                                   })}) {
        tileLayerDrawer = drawer;
        OBJdrawRequestsClear();
        OBJdrawRect(nullptr, nullptr, nullptr, 5, 64, 4, 1, 2);
        OBJdrawSortLayers();
        OBJdrawFlush();
    }
    tileLayerDrawer = nullptr;
    setSpriteTarget(nullptr);
    OBJdrawSetFlushHooks(nullptr);
    EXPECT_EQ(gameMainDrawTileSizes, (std::vector<int32_t>{64}));
}

TEST_F(GameMainDrawTest, PauseMenuOfThreeRowsWithASlidingBar) {
    pauseState = kPauseMenuShown;
    menuResultCode = 8;
    pauseRowTimer[1] = 9;
    queue();
    const auto overlay = onLayer(920);
    std::vector<std::string> texts;
    for (const Queued& q : overlay) {
        if (q.type == kDrawBitmapText) texts.push_back(q.text + "@" + std::to_string(int(q.x)) + "," + std::to_string(int(q.y)));
    }
    const std::vector<std::string> want = {"- PAUSE -@76,76", "RESUME@88,106", "RESTART STAGE@60,118",
                                           "RETURN TO MENU@56,130"};
    EXPECT_EQ(texts, want);
    ASSERT_GE(overlay.size(), 2u);
    EXPECT_EQ(overlay[0].frame, 2687) << "the dimming band first";
    EXPECT_EQ(overlay[0].alpha, 0.5f);
    EXPECT_EQ(overlay[0].r + overlay[0].g + overlay[0].b, 0);
    std::vector<Queued> bars;
    for (const Queued& q : overlay) {
        if (q.frame == 2833) bars.push_back(q);
    }
    ASSERT_EQ(bars.size(), 1u) << "only rows whose timer is below 10";
    EXPECT_EQ(bars[0].dstX, -50 - 109) << "centred at 112 - 2 x 81";
    EXPECT_EQ(bars[0].r, 255) << "white again after the band";
}

struct DigitCase {
    int32_t countdown;
    std::vector<int32_t> frames;
    std::vector<int32_t> dstX;
};

TEST_F(GameMainDrawTest, ResumeCountdownInBigDigits) {
    const DigitCase cases[] = {
        {180, {2912 + '4'}, {112 - 9}},
        {179, {2912 + '3'}, {112 - 9}},
        {0, {2912 + '1'}, {112 - 9}},
        {600, {2912 + '1', 2912 + '1'}, {103 - 9, 121 - 9}},
    };
    pauseState = kPauseCountingDown;
    for (const DigitCase& c : cases) {
        SCOPED_TRACE(c.countdown);
        pauseCountdown = c.countdown;
        queue();
        std::vector<int32_t> frames, xs;
        for (const Queued& q : onLayer(920)) {
            if (q.frame >= 2912 && q.frame < 3040) {
                frames.push_back(q.frame);
                xs.push_back(q.dstX);
            }
        }
        EXPECT_EQ(frames, c.frames);
        EXPECT_EQ(xs, c.dstX);
    }
    ASSERT_NE(bigDigitOwner, nullptr);
    EXPECT_EQ(OBJdrawStoreEntry(OBJdrawRequestCount() - 1)->owner, bigDigitOwner);
}

TEST_F(GameMainDrawTest, StartPromptBlinksOnTheAttractSideOfTheCabinet) {
    struct Case {
        bool arcade;
        uint8_t attract;
        int32_t count;
        uint8_t ranking;
        float wantY;  // 0: none
    };
    const Case cases[] = {
        {true, 1, 32, 0, 141.0f}, {true, 1, 60, 0, 141.0f}, {true, 1, 31, 0, 0.0f},
        {true, 1, 32, 1, 262.0f}, {true, 0, 32, 0, 0.0f},   {false, 1, 32, 0, 0.0f},
    };
    for (const Case& c : cases) {
        arcadeMode = c.arcade;
        attractMode = c.attract;
        fpsFrameCount = c.count;
        rankingViewShown = c.ranking;
        queue();
        const auto texts = ofType(kDrawBitmapText);
        if (c.wantY == 0.0f) {
            EXPECT_TRUE(texts.empty()) << c.count;
            continue;
        }
        ASSERT_EQ(texts.size(), 1u);
        EXPECT_EQ(texts[0].text, "PRESS START BUTTON ");
        EXPECT_EQ(texts[0].x, 112.0f - 76.0f);
        EXPECT_EQ(texts[0].y, c.wantY);
    }
}

TEST_F(GameMainDrawTest, GlowOnlyWhileTheFrameShowsIt) {
    menuFrameGlow[2][3] = 0.5f;
    menuFrameGlow[9][8] = -1.0f;
    menuFrameGlow[10][10] = 0.5f;  // kept, outside the drawn area
    menuFrameGlow[0][9] = 0.5f;
    menuFrameHidden = 0;
    menuFrameGlowOn = 1;
    queue();
    auto glow = onLayer(802);
    ASSERT_EQ(glow.size(), 1u);
    EXPECT_EQ(glow[0].alpha, 0.5f);
    EXPECT_EQ(glow[0].blend, 1);
    EXPECT_EQ(glow[0].b, 120);
    EXPECT_EQ(glow[0].dstX, 96 - 17);

    menuFrameHidden = 1;
    queue();
    EXPECT_TRUE(onLayer(802).empty());
    menuFrameHidden = 0;
    menuFrameGlowOn = 0;
    queue();
    EXPECT_TRUE(onLayer(802).empty());
    menuFrameGlow[2][3] = 0.0f;
    menuFrameGlow[9][8] = 0.0f;
    menuFrameGlow[10][10] = 0.0f;
    menuFrameGlow[0][9] = 0.0f;
}

TEST_F(GameMainDrawTest, FramesPerSecondTextWhenTheSettingIsOn) {
    queue();
    EXPECT_TRUE(onLayer(930).empty());
    gameSettings.FPS_DISP = 1;
    queue();
    auto fps = onLayer(930);
    ASSERT_EQ(fps.size(), 1u);
    EXPECT_EQ(fps[0].text, "FPS:0.0") << "nothing measured yet";
    EXPECT_EQ(fps[0].x, 220.0f - 7 * 8.0f);
    fpsValue = 59.94f;
    queue();
    EXPECT_EQ(onLayer(930)[0].text, "FPS:59.9");
}

}  // namespace
