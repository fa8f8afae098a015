// The head-up display: its texts, where the draw puts them, and its timers.
#include <string>
#include <utility>
#include <vector>

#include "fighter_fixture.h"
#include "game/core/draw_store.h"
#include "game/core/sprite_frames.h"
#include "game/objects/hud.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/rank_carriers.h"

namespace {

struct HudDrawn {
    std::string text;
    float x, y;
};

class HudTest : public FighterFixture {
protected:
    void SetUp() override {
        FighterFixture::SetUp();
        // Every frame drawable, 8 x 8, whatever the generated ids are.
        frameRows.assign(65536, SpriteFrame{4, 0, 0, 8, 8, 0, 0, 0, 0, 0, 0});
        OBJsetFrameTable(frameRows);
        makeFighter();
        hud = OBJtaskCreate(TSKinfoAct, 13, objTag("INFO"));
        hud->act(hud);
    }
    void TearDown() override {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        OBJsetFrameTable({});
        FighterFixture::TearDown();
    }
    std::vector<HudDrawn> drawn() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        TSKinfoDraw(hud, hud->work);
        std::vector<HudDrawn> out;
        for (int k = 0; k < OBJdrawStoreCount(); ++k) {
            const DrawObj* e = OBJdrawStoreEntry(k);
            if (e->type == kDrawBitmapText && e->text != nullptr) out.push_back({e->text, e->x, e->y});
        }
        return out;
    }
    const HudDrawn* find(const std::vector<HudDrawn>& all, const std::string& text) {
        for (const HudDrawn& d : all)
            if (d.text == text) return &d;
        return nullptr;
    }
    ObjTask* hud = nullptr;
    std::vector<SpriteFrame> frameRows;
};

TEST(HudTextTest, FormatsTheScoreHighModeAndRate) {
    EXPECT_EQ(hudScoreText(0), "           0");
    EXPECT_EQ(hudScoreText(9999999999999999ull), "9999999999999999");
    EXPECT_EQ(hudHighText(1234567), "HI     1234567");
    const struct {
        int32_t mode, combo, rank;
        const char* line;
    } modes[] = {{0, 5, 7, ""}, {1, 5, 7, "COMBO  5"}, {1, 42, 7, "COMBO 42"}, {2, 5, 7, " RANK 07"}, {3, 5, 63, " RANK 63"}};
    for (const auto& m : modes) EXPECT_EQ(hudModeLine(m.mode, m.combo, m.rank), m.line) << m.mode;
    const struct {
        int32_t mode, rate;
        const char* text;
    } rates[] = {{0, 10, ""}, {1, 10, "    x1.0"}, {2, 25, "    x2.5"}, {3, 100, "    x10.0"}};
    for (const auto& r : rates) EXPECT_EQ(hudRateText(r.mode, r.rate), r.text) << r.mode;
}

TEST(HudInputTest, PicksTheDirectionAndButtonSprites) {
    const struct {
        uint32_t direction;
        int32_t frame;
    } dirs[] = {{0, 2665}, {1, 2666}, {1 | 8, 2667}, {8, 2668}, {2 | 8, 2669}, {2, 2670},
                {2 | 4, 2671}, {4, 2672}, {1 | 4, 2673}, {1 | 2, 2665}, {4 | 8, 2665}, {0xF0, 2665}};
    for (const auto& d : dirs) EXPECT_EQ(hudInputDirectionFrame(d.direction), d.frame) << d.direction;
    EXPECT_EQ(hudInputButtonFrame(0, false), 2674);
    EXPECT_EQ(hudInputButtonFrame(0, true), 2675);
    EXPECT_EQ(hudInputButtonFrame(3, true), 2681);
}

TEST_F(HudTest, DrawsTheScoreHighAndModeLineAtTheirPlaces) {
    fighterAddScore(123450);
    rankCounter = 9;
    const std::vector<HudDrawn> all = drawn();
    const struct {
        std::string text;
        float x, y;
    } want[] = {{hudScoreText(fighterGetScore()), 2.0f, 1.0f},
                {hudHighText(std::max(fighterGetScore(), hudHighScore())), 106.0f, 1.0f},
                {" RANK 09", 2.0f, 10.0f},
                {"ORIGINAL", 162.0f, 10.0f}};
    for (const auto& w : want) {
        const HudDrawn* d = find(all, w.text);
        ASSERT_NE(d, nullptr) << w.text;
        EXPECT_EQ(d->x, w.x) << w.text;
        EXPECT_EQ(d->y, w.y) << w.text;
    }
    EXPECT_EQ(find(all, "DEMONSTRATION"), nullptr);
    EXPECT_EQ(find(all, "LEFT or RIGHT to       "), nullptr);
}

TEST_F(HudTest, ShowsDemonstrationInTheAttractDemoAndTheViewerLinesInTheViewer) {
    gamePhase = 5;
    std::vector<HudDrawn> all = drawn();
    ASSERT_NE(find(all, "DEMONSTRATION"), nullptr);
    EXPECT_EQ(find(all, "LEFT or RIGHT to       "), nullptr);
    gamePhase = 3;
    menuResultCode = 6;
    all = drawn();
    EXPECT_EQ(find(all, "DEMONSTRATION"), nullptr);
    for (const char* line : {"LEFT or RIGHT to       ", "           SPEED CHANGE"}) {
        EXPECT_EQ(std::string(line).size(), 23u);
        EXPECT_NE(find(all, line), nullptr) << line;
    }
}

TEST_F(HudTest, DrawsEachGaugeDimmedAndFilledToItsValue) {
    const int32_t other = (fighterGetType() + 1) % 4;
    fighterAddGauge(other, 50000 - fighterGetGauge(other), 0);
    ASSERT_EQ(fighterGetGauge(other), 50000);
    drawn();
    int backs = 0;
    int halves = 0;
    for (int k = 0; k < OBJdrawStoreCount(); ++k) {
        const DrawObj* e = OBJdrawStoreEntry(k);
        if (e->type != kDrawSprite) continue;
        if (e->scaleX == 1.0f && e->alpha < 0.5f) ++backs;
        if (e->scaleX == 0.5f) ++halves;
    }
    EXPECT_EQ(backs, 6);
    EXPECT_GE(halves, 1);
}

TEST_F(HudTest, DrawsABossGaugeOnlyOnceRegistered) {
    const auto count = [this](float scale) {
        drawn();
        int n = 0;
        for (int k = 0; k < OBJdrawStoreCount(); ++k)
            if (OBJdrawStoreEntry(k)->type == kDrawSprite && OBJdrawStoreEntry(k)->scaleX == scale) ++n;
        return n;
    };
    bossGaugesClear();
    EXPECT_EQ(count(0.25f), 0);
    bossGauges[1].maximum = 4000;
    bossGauges[1].lastLife = 1000;
    EXPECT_EQ(count(0.25f), 1);
    bossGaugesClear();
}

TEST_F(HudTest, TheSetUpClearsTheDisplayAndAFullGaugeFlashesItsType) {
    const HudState& h = hudState();
    for (int k = 0; k < 4; ++k) EXPECT_EQ(h.notFlying[k], -1);
    const int32_t other = (fighterGetType() + 1) % 4;
    for (int k = 0; k < 4; ++k) fighterAddGauge(k, -fighterGetGauge(k), 0);
    fighterAddGauge(other, 100000, 0);
    ASSERT_EQ(fighterGetGauge(other), 100000);
    ASSERT_EQ(fighterCountReady(), 1);
    hud->act(hud);
    EXPECT_EQ(h.notFlying[other], 1);
    EXPECT_EQ(h.typeFlash[other], kHudFlashFrames);
    for (int i = 0; i < 100; ++i) hud->act(hud);
    EXPECT_EQ(h.typeFlash[other], 0);
    EXPECT_FLOAT_EQ(h.panelAlpha, 1.0f);
}

}  // namespace
