// The login screens: by login state (with the card path open or not, the
// credit, the records page, the error) the texts drawn and where, the
// panel sprites on layer 1000; the stage labels of the records page.
#include "game/frontend/login_screens.h"

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "game/core/obj_work_views.h"
#include "game/core/sprite_frames.h"
#include "game/frontend/front_words.h"
#include "game/frontend/front_picture_ids.h"
#include "game/frontend/sprite_font_text.h"
#include "game/frontend/title_scene.h"
#include "game/records/abaas_gs.h"
#include "tests/game/frontend/scene_task_fixture.h"

namespace {

struct LoginText {
    std::string text;
    float centreX, y;
    int r, g, b;
};
constexpr int kW = 255;
// The panels' pictures: veil, window frame, the eight plates, choice panel.
constexpr int32_t kV = kSpriteLoginVeil, kF = kSpriteLoginWindow, kP = kSpriteLoginPlate, kC = kSpriteLoginChoice;
// The cursor over the chosen choice.
constexpr int32_t kK = kSpriteLoginCursor;

class LoginScreensTest : public SceneTaskFixture {
protected:
    void SetUp() override {
        SceneTaskFixture::SetUp();
        frames.resize(size_t(kK) + 1);
        for (int32_t id : {kV, kF, kC, kK}) frames[size_t(id)] = {4, 0, 0, 64, 32, id, 0, 0, 0, 0, 0};
        for (int32_t id = kP; id < kP + kSpriteLoginPlateCount; ++id) {
            frames[size_t(id)] = {4, 0, 0, 64, 32, id, 0, 0, 0, 0, 0};
        }
        OBJsetFrameTable(frames);
        owner = OBJworkNew();
        AbaasGs::create();
    }
    void TearDown() override {
        AbaasGs::destroy();
        OBJworkFree(owner);
        OBJsetFrameTable({});
        SceneTaskFixture::TearDown();
    }
    void draw() {
        OBJdrawRequestsClear();
        OBJdrawFlush();
        aimeLoginDraw(owner);
    }
    // The font texts queued, with their centres (12 pixels a byte without the font).
    static std::vector<LoginText> texts() {
        std::vector<LoginText> out;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            if (e->type != kDrawFontText) continue;
            EXPECT_EQ(e->fontIndex, kLoginFont);
            EXPECT_EQ(e->layer, 1001);
            out.push_back({e->text, e->x + 6.0f * float(std::strlen(e->text)), e->y, e->r, e->g, e->b});
        }
        return out;
    }
    static std::vector<int32_t> sprites() {
        std::vector<int32_t> out;
        for (int i = 0; i < OBJdrawStoreCount(); ++i) {
            const DrawObj* e = OBJdrawStoreEntry(i);
            if (e->type == kDrawSprite && e->owner != spriteFontOwner()) {
                EXPECT_EQ(e->layer, kLoginSpriteLayer);
                out.push_back(e->frameId);
            }
        }
        return out;
    }

    std::vector<SpriteFrame> frames;
    ObjWork* owner = nullptr;
};

// A text of the screens' list (a "%s" entry standing for what follows), or
// plain ASCII, which every font holds.
bool isLoginScreenText(const std::string& text) {
    if (std::all_of(text.begin(), text.end(), [](char c) { return c >= 32 && c <= 126; })) return true;
    for (int32_t i = 0; i < loginScreenTextCount; ++i) {
        const std::string entry = loginScreenTexts[i];
        const size_t hole = entry.find("%s");
        if (entry == text || (hole != std::string::npos && text.rfind(entry.substr(0, hole), 0) == 0)) return true;
    }
    return false;
}

struct LoginDrawCase {
    const char* name;
    int32_t state;
    bool online;
    bool creditShort;
    int32_t error;
    bool accessCode;
    std::vector<LoginText> texts;
    std::vector<int32_t> sprites;
};

TEST_F(LoginScreensTest, EachStateDrawsItsTextsAndPanels) {
    const int32_t r = 255, g = 32;
    const char* const kReadFailed = "Aimeの読み込みに失敗しました。";
    const LoginDrawCase cases[] = {
        {"idle", 0, false, false, 0, false, {}, {}},
        {"start step", 1, false, false, 0, false, {}, {}},
        {"choose, online",
         2,
         true,
         false,
         0,
         false,
         {{"Aimeを使用します", 500, 540, kW, kW, kW},
          {"Aimeを使用しません", 960, 540, kW, kW, kW},
          {"アクセスコードを", 1420, 524, kW, kW, kW},
          {"表示します", 1420, 556, kW, kW, kW}},
         {kV, kF, kP + 0, kC, kC, kC, kK}},
        {"choose, offline",
         2,
         false,
         false,
         0,
         false,
         {{"ただいまAimeを使用した", 500, 524, r, g, g},
          {"プレイができません", 500, 556, r, g, g},
          {"Aimeを使用しません", 960, 540, kW, kW, kW},
          {"アクセスコードを", 1420, 524, 128, 128, 128},
          {"表示します", 1420, 556, 128, 128, 128}},
         {kV, kF, kP + 0, kC, kC, kC, kK}},
        {"reading", 3, false, false, 0, false, {}, {kV, kF}},
        {"touch the card", 4, false, false, 0, false, {}, {kV, kF, kP + 1, kC}},
        {"loading", 13, false, false, 0, false, {}, {kV, kF}},
        {"records", 9, false, false, 0, false,
         {{"ユーザーネーム：NO NAME", 960, 236, kW, kW, kW},
          {"はい", 730, 772, kW, kW, kW},
          {"いいえ", 1190, 772, kW, kW, kW}},
         {kV, kF, kP + 4, kC, kC, kK}},
        {"access code, released", 10, false, false, 0, false,
         {{"表示", 730, 700, kW, kW, kW}, {"戻る", 1190, 700, kW, kW, kW}},
         {kV, kF, kP + 5, kC, kC, kK}},
        {"error 1", 14, false, false, 1, false, {{kReadFailed, 960, 464, r, g, g}}, {kV, kF, kP + 7}},
        {"error 3", 14, false, false, 3, false, {{kReadFailed, 960, 464, r, g, g}}, {kV, kF, kP + 7}},
        {"error 2",
         14,
         false,
         false,
         2,
         false,
         {{"プレイデータが使用できません", 960, 432, r, g, g},
          {"このAimeは前回のプレイが正常に終了されていない可能性があります。", 960, 464, r, g, g},
          {"15分程度時間をおいてから使用してください。", 960, 496, r, g, g}},
         {kV, kF, kP + 7}},
        {"error, access code",
         14,
         false,
         false,
         0,
         true,
         {{"Aimeを正常に読み取ることができませんでした。", 960, 432, r, g, g},
          {"Aime対応カードまたは、おサイフケータイに対応した携帯電話を", 960, 464, r, g,
           g},
          {"もう一度カードリーダーにかざしてください。", 960, 496, r, g, g}},
         {kV, kF, kP + 7}},
        {"error 0", 14, false, false, 0, false, {}, {kV, kF, kP + 7}},
        {"start", 15, false, false, 0, false,
         {{"ゲームスタート", 730, 550, kW, kW, kW}, {"デモに戻る", 1190, 550, kW, kW, kW}},
         {kV, kF, kP + 6, kC, kC, kK}},
    };
    for (const LoginDrawCase& c : cases) {
        SCOPED_TRACE(c.name);
        cardProfile = CardProfile{};
        cardProfile.loginState = c.state;
        cardProfile.loginError = c.error;
        cardProfile.accessCodeMode = c.accessCode;
        cabinet->network = c.online;
        abaasGs->online = c.online;
        draw();
        const std::vector<LoginText> got = texts();
        ASSERT_EQ(got.size(), c.texts.size());
        for (size_t i = 0; i < got.size(); ++i) {
            EXPECT_EQ(got[i].text, c.texts[i].text);
            EXPECT_FLOAT_EQ(got[i].centreX, c.texts[i].centreX) << got[i].text;
            EXPECT_FLOAT_EQ(got[i].y, c.texts[i].y) << got[i].text;
            EXPECT_EQ(got[i].r, c.texts[i].r) << got[i].text;
            EXPECT_EQ(got[i].g, c.texts[i].g) << got[i].text;
        }
        EXPECT_EQ(sprites(), c.sprites);
        for (const LoginText& t : got) EXPECT_TRUE(isLoginScreenText(t.text)) << t.text;
    }
}

TEST_F(LoginScreensTest, TheVeilCoversTheOutputInBlackAndTheFramePulses) {
    cardProfile.loginState = 3;
    draw();
    ASSERT_GE(OBJdrawStoreCount(), 2);
    const DrawObj* veil = OBJdrawStoreEntry(0);
    EXPECT_EQ(veil->frameId, kV);
    EXPECT_FLOAT_EQ(veil->scaleX, 1920.0f / 64.0f);
    EXPECT_FLOAT_EQ(veil->scaleY, 1080.0f / 32.0f);
    EXPECT_EQ(veil->r + veil->g + veil->b, 0);
    EXPECT_FLOAT_EQ(veil->alpha, 0.7f);
    EXPECT_FLOAT_EQ(OBJdrawStoreEntry(1)->alpha, 0.95f);
    scene(owner).frameCounter = 25;  // a quarter of the pulse: 5 x sin = 4.99..
    draw();
    EXPECT_FLOAT_EQ(OBJdrawStoreEntry(1)->alpha, 0.99f);
}

TEST_F(LoginScreensTest, WithoutCreditTheStartScreenAsksForACoin) {
    cabinet->freePlay = false;
    cabinet->credits = 0;
    cardProfile.loginState = 15;
    draw();
    const std::vector<LoginText> got = texts();
    ASSERT_EQ(got.size(), 3u);
    EXPECT_EQ(got[0].text.rfind("CREDIT(S) ", 0), 0u);
    EXPECT_FLOAT_EQ(got[0].y, 534.0f);
    EXPECT_EQ(got[1].text, "コインを入れてください");
    EXPECT_FLOAT_EQ(got[1].centreX, 730.0f);
    EXPECT_FLOAT_EQ(got[1].y, 566.0f);
}

TEST_F(LoginScreensTest, TheTitleDrawsTheNoticeAndTheVersionThenTheLogin) {
    titleTextCountdown = 0;
    cardProfile.loginState = 0;
    OBJdrawRequestsClear();
    OBJdrawFlush();
    titleVersionDraw(nullptr, owner);
    std::vector<LoginText> got = texts();
    ASSERT_EQ(got.size(), 2u);
    EXPECT_STREQ(got[0].text.c_str(), titleNoticeLine);
    EXPECT_FLOAT_EQ(got[0].centreX, 960.0f);
    EXPECT_EQ(got[1].text, kTitleVersion);
    EXPECT_FLOAT_EQ(got[1].centreX + 6.0f * float(std::strlen(kTitleVersion)), 1916.0f);
    EXPECT_FLOAT_EQ(got[1].y, 4.0f);
}

TEST_F(LoginScreensTest, StageLabelsOfTheRecordsPage) {
    const struct {
        uint32_t stage;
        const char* label;
    } cases[] = {{0, "--------"}, {1, "1       "}, {5, "5       "}, {6, "ALL     "}, {7, "TRUE ALL"}, {8, "kept"}};
    for (const auto& c : cases) {
        char text[16] = "kept";
        recordStageLabel(text, sizeof text, c.stage);
        EXPECT_STREQ(text, c.label) << c.stage;
    }
}

}  // namespace
