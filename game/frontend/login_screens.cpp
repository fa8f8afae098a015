#include "game/frontend/login_screens.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>

#include "engine/base/text_conv.h"
#include "engine/ui/psb_font.h"
#include "game/core/credit_line.h"
#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/obj_work_views.h"
#include "game/core/sprite_frames.h"
#include "game/frontend/front_words.h"
#include "game/frontend/front_picture_ids.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/scene.h"
#include "game/frontend/sprite_font_text.h"
#include "game/frontend/title_scene.h"
#include "game/records/card_login.h"
#include "game/records/card_profile.h"
#include "platform/arcade/apm.h"

namespace {

struct LoginColour {
    int r, g, b;
};
constexpr LoginColour kLoginWhite{255, 255, 255};
constexpr LoginColour kLoginRed{255, 32, 32};
constexpr LoginColour kLoginGrey{128, 128, 128};

constexpr float kLoginCentreX = 960.0f;
constexpr float kLoginCentreY = 540.0f;
constexpr float kLoginOutputW = 1920.0f;
constexpr float kLoginOutputH = 1080.0f;
// Until the font has loaded a text is taken as 12 pixels a byte.
constexpr float kLoginByteWidth = 12.0f;
constexpr int32_t kLoginSpriteFont = 0;
constexpr float kLoginGlyphAdvance = 18.0f;
constexpr std::array<float, 3> kLoginFirstChoiceX = {500.0f, 960.0f, 1420.0f};
constexpr std::array<float, 2> kLoginTwoChoiceX = {730.0f, 1190.0f};
// The window frame's picture is drawn at twice its size.
constexpr float kLoginWindowScale = 2.0f;

// The screens' plates, in the order of their pictures.
enum LoginPlate : int32_t {
    kPlateChoose,
    kPlateTouch,
    kPlateConfirm1,
    kPlateConfirm2,
    kPlateRecords,
    kPlateAccessCode,
    kPlateStart,
    kPlateError,
};

void loginText(ObjWork* owner, const char* text, float centreX, float y, LoginColour c = kLoginWhite) {
    OBJdrawFontText(owner, kLoginFont, text, centreX - loginTextWidth(text) * 0.5f, y, 1.0f, c.r, c.g, c.b, 1);
}

void loginSprite(ObjWork* owner, int32_t id, float x, float y, float alpha, float scaleX = 1.0f,
                 float scaleY = 1.0f) {
    OBJdrawSprite(owner, id, x, y, kLoginSpriteLayer, scaleX, scaleY, 0.0f, alpha, 0);
}

// A sprite-font line on the login layer, white.
void loginLine(const char* text, float x, float y, bool centred, float scale = 1.0f) {
    drawSpriteFontText(text, kLoginSpriteFont, float(kLoginSpriteLayer), x, y, 1.0f, centred, 255, 255, 255, 0, scale,
                       scale);
}

// The veil stretched over the output, black.
void loginVeil(ObjWork* owner) {
    const SpriteFrame& row = OBJframeRow(kSpriteLoginVeil);
    if (row.w == 0 || row.h == 0) return;
    const int before = OBJdrawStoreCount();
    loginSprite(owner, kSpriteLoginVeil, kLoginCentreX, kLoginCentreY, 0.7f, kLoginOutputW / float(row.w),
                kLoginOutputH / float(row.h));
    if (OBJdrawStoreCount() == before + 1) {
        DrawObj* entry = OBJdrawStoreEntry(before);
        entry->r = entry->g = entry->b = 0;
    }
}

// 0.90 to 1.00 over 102.4 frames of the title's frame counter.
float loginFrameAlpha(const ObjWork* work) {
    const double t = double(scene(const_cast<ObjWork*>(work)).frameCounter);
    const double wave = 5.0 * std::sin(t * 10.0 * 2.0 * std::numbers::pi / 1024.0);
    return float((95.0 + std::trunc(wave)) / 100.0);
}

void loginPlate(ObjWork* owner, int plate) {
    loginSprite(owner, kSpriteLoginPlate + plate, kLoginCentreX, kLoginCentreY, 1.0f);
}

// The shared cursor (the title moves it to the chosen choice) over the
// row of choice panels at y: its eased x, the row's own height.
void loginCursor(ObjWork* owner, float y) {
    float x = 0.0f;
    float cursorY = 0.0f;
    menuCursorGet(&x, &cursorY);
    loginSprite(owner, kSpriteLoginCursor, x, y, 1.0f);
}

void loginTwoChoices(ObjWork* owner, const char* first, const char* second, float y) {
    for (size_t i = 0; i < 2; ++i) loginSprite(owner, kSpriteLoginChoice, kLoginTwoChoiceX[i], y, 1.0f);
    loginCursor(owner, y);
    loginText(owner, first, kLoginTwoChoiceX[0], y);
    loginText(owner, second, kLoginTwoChoiceX[1], y);
}

void loginChooseScreen(ObjWork* owner) {
    loginPlate(owner, kPlateChoose);
    for (float x : kLoginFirstChoiceX) loginSprite(owner, kSpriteLoginChoice, x, kLoginCentreY, 1.0f);
    loginCursor(owner, kLoginCentreY);
    const bool open = aimeCardPathOpen();
    if (open) {
        loginText(owner, "Aimeを使用します", kLoginFirstChoiceX[0], 540.0f);
    } else {
        loginText(owner, "ただいまAimeを使用した", kLoginFirstChoiceX[0], 524.0f, kLoginRed);
        loginText(owner, "プレイができません", kLoginFirstChoiceX[0], 556.0f, kLoginRed);
    }
    loginText(owner, "Aimeを使用しません", kLoginFirstChoiceX[1], 540.0f);
    const LoginColour codeColour = open ? kLoginWhite : kLoginGrey;
    loginText(owner, "アクセスコードを", kLoginFirstChoiceX[2], 524.0f, codeColour);
    loginText(owner, "表示します", kLoginFirstChoiceX[2], 556.0f, codeColour);
}

void loginTouchScreen(ObjWork* owner) {
    loginPlate(owner, kPlateTouch);
    loginSprite(owner, kSpriteLoginChoice, kLoginCentreX, 700.0f, 1.0f);
}

void loginConfirmScreen(ObjWork* owner) {
    const int32_t kind = _Aime_getConfirm();
    if (kind == 1) {
        loginPlate(owner, kPlateConfirm1);
    } else if (kind == 2 && !cardProfile.accessCodeMode) {
        loginPlate(owner, kPlateConfirm2);
    } else {
        return;
    }
    loginTwoChoices(owner, "はい", "いいえ", 700.0f);
}

// One leader type's line of a records block: "NO DATA", or the score and
// the stage or rank text.
void loginRecordLine(int type, float x, float y, uint64_t score, bool noData, const char* tail) {
    char text[64];
    if (noData) {
        std::snprintf(text, sizeof text, "%c:        NO DATA", 'A' + type);
        loginLine(text, x, y, false);
        return;
    }
    std::snprintf(text, sizeof text, "%c:", 'A' + type);
    loginLine(text, x, y, false);
    std::snprintf(text, sizeof text, "%12llu", static_cast<unsigned long long>(score));
    loginLine(text, x + 32.0f, y, false);
    loginLine(tail, x + 350.0f, y, false);
}

constexpr std::array<std::array<float, 2>, 4> kLoginBlocks = {{{300, 358}, {300, 538}, {900, 358}, {900, 538}}};
constexpr std::array<const char*, 4> kLoginModeNames = {"NOVICE", "CASUAL", "ORIGINAL", "EXPERT"};

void loginStoryPage() {
    loginLine("STORY HI SCORE", kLoginCentreX, 298.0f, true);
    const CardProfile& p = cardProfile;
    for (size_t mode = 0; mode < 4; ++mode) {
        const float x = kLoginBlocks[mode][0];
        const float y = kLoginBlocks[mode][1];
        loginLine(kLoginModeNames[mode], x, y, false);
        for (size_t type = 0; type < 4; ++type) {
            char stage[16] = "";
            recordStageLabel(stage, sizeof stage, p.bestStage[mode][type]);
            char tail[48];
            if (mode < 2) {
                std::snprintf(tail, sizeof tail, "STAGE:%s", stage);
            } else {
                std::snprintf(tail, sizeof tail, "STAGE:%s RANK:%2d", stage, int(p.bestMaxRank[mode - 2][type]));
            }
            loginRecordLine(int(type), x, y + 30.0f * float(type + 1), p.bestScore[mode][type],
                            p.bestStage[mode][type] == 0, tail);
        }
    }
}

// Score-attack stages first..last, one block each.
void loginScoreAttackPage(size_t first, size_t last) {
    loginLine("SCORE ATTACK HI SCORE", kLoginCentreX, 298.0f, true);
    const CardProfile& p = cardProfile;
    for (size_t stage = first; stage <= last; ++stage) {
        const float x = kLoginBlocks[stage - first][0];
        const float y = kLoginBlocks[stage - first][1];
        char heading[16];
        std::snprintf(heading, sizeof heading, "STAGE %d", int(stage + 1));
        loginLine(heading, x, y, false);
        for (size_t type = 0; type < 4; ++type) {
            char tail[16];
            std::snprintf(tail, sizeof tail, "RANK:%2d", int(p.saBestMaxRank[stage][type]));
            loginRecordLine(int(type), x, y + 30.0f * float(type + 1), p.saBestScore[stage][type],
                            p.saBestScore[stage][type] == 0, tail);
        }
    }
}

void loginRecordsScreen(ObjWork* owner) {
    loginPlate(owner, kPlateRecords);
    const std::string name = "ユーザーネーム：" + wideToUtf8(cardProfile.userName);
    loginText(owner, name.c_str(), kLoginCentreX, 236.0f);
    if (cardProfile.recordsPage == 0) {
        loginStoryPage();
    } else if (cardProfile.recordsPage == 1) {
        loginScoreAttackPage(0, 3);
    } else {
        loginScoreAttackPage(4, 4);
    }
    if (cardProfile.recordsPage != 0) {
        loginLine("<", 198.0f - kLoginGlyphAdvance - 2.0f * float(titleLoginArrows.left), 504.0f, false);
    }
    if (cardProfile.recordsPage != 2) {
        loginLine(">", 1740.0f - kLoginGlyphAdvance + 2.0f * float(titleLoginArrows.right), 504.0f, false);
    }
    loginTwoChoices(owner, "はい", "いいえ", 772.0f);
}

void loginAccessCodeScreen(ObjWork* owner) {
    loginPlate(owner, kPlateAccessCode);
    loginTwoChoices(owner, "表示", "戻る", 700.0f);
    if (!cardProfile.buttonHeld) return;
    ApmAccessCode code;
    if (!_Aime_getAccessCode(&code)) return;
    // Twenty characters at double size, in groups of four.
    constexpr float kAdvance = 2.0f * kLoginGlyphAdvance;
    constexpr float kGroupGap = kAdvance;
    const float left = kLoginCentreX - (20.0f * kAdvance + 4.0f * kGroupGap) * 0.5f;
    for (int i = 0; i < 20; ++i) {
        char text[8];
        std::snprintf(text, sizeof text, "%c", char(code.digits[i]));
        loginLine(text, left + float(i) * kAdvance + float(i / 4) * kGroupGap, 540.0f, false, 2.0f);
    }
}

void loginStartScreen(ObjWork* owner) {
    loginPlate(owner, kPlateStart);
    for (float x : kLoginTwoChoiceX) loginSprite(owner, kSpriteLoginChoice, x, 550.0f, 1.0f);
    loginCursor(owner, 550.0f);
    if (_Credit_isGameCostEnough(1)) {
        loginText(owner, "ゲームスタート", kLoginTwoChoiceX[0], 550.0f);
    } else {
        char prompt[64] = "CREDIT(S) ";
        creditTextToUtf8(_Credit_toString(-1), prompt + std::strlen(prompt), sizeof prompt - std::strlen(prompt));
        loginText(owner, prompt, kLoginTwoChoiceX[0], 534.0f);
        loginText(owner, "コインを入れてください", kLoginTwoChoiceX[0], 566.0f);
    }
    loginText(owner, "デモに戻る", kLoginTwoChoiceX[1], 550.0f);
}

void loginErrorScreen(ObjWork* owner) {
    loginPlate(owner, kPlateError);
    static constexpr std::array<const char*, 3> kCardRead = {
        "Aimeを正常に読み取ることができませんでした。",
        "Aime対応カードまたは、おサイフケータイに対応した携帯電話を",
        "もう一度カードリーダーにかざしてください。",
    };
    static constexpr std::array<const char*, 3> kRefused = {
        "プレイデータが使用できません",
        "このAimeは前回のプレイが正常に終了されていない可能性があります。",
        "15分程度時間をおいてから使用してください。",
    };
    const std::array<const char*, 3>* lines = nullptr;
    if (cardProfile.accessCodeMode) {
        lines = &kCardRead;
    } else if (cardProfile.loginError == 2) {
        lines = &kRefused;
    } else if (cardProfile.loginError == 1 || cardProfile.loginError == 3) {
        loginText(owner, "Aimeの読み込みに失敗しました。", kLoginCentreX, 464.0f, kLoginRed);
    }
    if (lines == nullptr) return;
    for (size_t i = 0; i < 3; ++i) loginText(owner, (*lines)[i], kLoginCentreX, 432.0f + 32.0f * float(i), kLoginRed);
}

// By login state: the screen's own part (null: the window frame alone) and
// whether its countdown shows.
struct LoginScreen {
    void (*draw)(ObjWork* owner);
    bool timer;
};
constexpr std::array<LoginScreen, 16> kLoginScreens = {{
    {nullptr, false},
    {nullptr, false},
    {loginChooseScreen, true},
    {nullptr, false},
    {loginTouchScreen, true},
    {loginConfirmScreen, true},
    {nullptr, false},
    {nullptr, false},
    {nullptr, false},
    {loginRecordsScreen, true},
    {loginAccessCodeScreen, true},
    {nullptr, false},
    {nullptr, false},
    {nullptr, false},
    {loginErrorScreen, true},
    {loginStartScreen, true},
}};

}  // namespace

float loginTextWidth(const char* text) {
    GameTask* task = GameTask::getInstance();
    MPSBFont* font = task != nullptr ? task->fonts[kLoginFont] : nullptr;
    if (font == nullptr) return kLoginByteWidth * float(std::strlen(text));
    return font->textSize(text, 0.0f, 0.0f).width;
}

void recordStageLabel(char* text, size_t size, uint32_t stage) {
    if (stage >= kRecordStageLabels.size() || size == 0) return;
    std::snprintf(text, size, "%s", kRecordStageLabels[stage]);
}

void aimeLoginDraw(ObjWork* work) {
    const int32_t state = cardProfile.loginState;
    if (state < 2 || state >= int32_t(kLoginScreens.size())) return;
    loginVeil(work);
    loginSprite(work, kSpriteLoginWindow, kLoginCentreX, kLoginCentreY, loginFrameAlpha(work), kLoginWindowScale,
                kLoginWindowScale);
    const LoginScreen& screen = kLoginScreens[size_t(state)];
    if (screen.draw != nullptr) screen.draw(work);
    if (!screen.timer) return;
    char time[16];
    std::snprintf(time, sizeof time, "TIME %02d", int(cardProfile.secondsLeft));
    loginLine(time, kLoginCentreX, 50.0f, true, 2.0f);
}

void titleVersionDraw(ObjTask* task, ObjWork* work) {
    drawWorkMotion(task, work);
    const float alpha = 1.0f - float(titleTextCountdown) / float(kTitleTextFrames);
    const char* notice = titleNoticeLine;
    if (notice != nullptr && *notice != '\0') {
        OBJdrawFontText(work, kLoginFont, notice, kLoginCentreX - loginTextWidth(notice) * 0.5f, 1040.0f, alpha, 255,
                        255, 255, 1);
    }
    const float y = 4.0f;
    OBJdrawFontText(work, kLoginFont, kTitleVersion, kLoginOutputW - 4.0f - loginTextWidth(kTitleVersion), y, alpha,
                    255, 255, 255, 1);
    aimeLoginDraw(work);
}
