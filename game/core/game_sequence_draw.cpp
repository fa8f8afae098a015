// What the sequence draws itself: the continue screen over the frozen play
// and the notice that the play data could not be saved.
#include <cstdio>

#include "game/core/app_switches.h"
#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/game_sequence_steps.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/frontend/scenes.h"
#include "game/objects/fighter_counters.h"
#include "game/records/settings_file.h"
#include "platform/arcade/apm.h"

namespace {

constexpr int32_t kOfflineNotice = 506;
constexpr int32_t kCountdown = 1101;
constexpr int32_t kBigDigits = 2912;   // sprite font frames, by character code
constexpr int32_t kLetterFont = 2802;  // sprite font frames, by character code
constexpr int32_t kCoverFrame = 2687;
constexpr float kSpriteFontPitch = 18.0f;
constexpr int32_t kOutputLayer = 1001;
constexpr int32_t kPlayfieldLayer = 801;
constexpr float kPlayfieldCentre = 112.0f;
constexpr int32_t kPromptBlinkFrames = 30;

void seqTint(ObjWork* work, uint8_t r, uint8_t g, uint8_t b) {
    work->r = r;
    work->g = g;
    work->b = b;
}

// A row of sprite-font characters centred on x.
void seqDrawSpriteRow(ObjWork* work, const char* text, int32_t firstFrame, float x, float y, int32_t layer) {
    int n = 0;
    while (text[n] != '\0') ++n;
    float at = x - (float(n) * 0.5f - 0.5f) * kSpriteFontPitch;
    for (int i = 0; i < n; ++i, at += kSpriteFontPitch) {
        OBJdrawSprite(work, int32_t(uint8_t(text[i])) + firstFrame, at, y, layer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    }
}

void seqDrawNumber(ObjWork* work, int32_t value, float x, float y, int32_t layer) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%d", value);
    seqDrawSpriteRow(work, digits, kBigDigits, x, y, layer);
}

void seqDrawCentredText(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kPlayfieldCentre - float(SDL2_wheel_TextWidth(text)) / 2.0f, y, kPlayfieldLayer);
}

// A button setting's name; a setting no button has reads as "OFF".
const char* seqButtonName(int32_t setting) {
    return setting >= 0 && setting < kButtonNames ? buttonNameTable[size_t(setting)] : buttonNameTable.back();
}

const char* seqCabinetPrompt() {
    if (_Credit_isFreePlay() || _Credit_isGameCostEnough(1)) return "PRESS START BUTTON";
    return _Credit_isZero() ? "INSERT COIN(S)" : "INSERT MORE COIN (S)";
}

void seqDrawOfflineNotice(ObjTask* task, ObjWork* work) {
    OBJdrawFontText(work, 2, "プレイデータを保存できませんでした。", 960.0f, 516.0f, 1.0f, 255, 32, 32, 1);
    OBJdrawFontText(work, 1, "ボタン１：終了", 960.0f, 564.0f, 1.0f, 255, 255, 255, 1);
    seqTint(work, 255, 255, 255);
    seqDrawNumber(work, seqWorkWord(task, kSeqWorkCountdown), 960.0f, 600.0f, kOutputLayer);
}

void seqDrawContinue(ObjTask* task, ObjWork* work) {
    if (seqIsScoreAttack() || fighterGetNoContinue()) return;
    seqTint(work, 0, 0, 0);
    OBJdrawSprite(work, kCoverFrame, kPlayfieldCentre, 144.0f, kPlayfieldLayer, 8.0f, 4.0f, 0.0f, 0.5f, 0);
    seqTint(work, 255, 255, 255);
    seqDrawSpriteRow(work, "CONTINUE", kLetterFont, kPlayfieldCentre, 108.0f, kPlayfieldLayer);
    seqDrawNumber(work, seqWorkWord(task, kSeqWorkCountdown), kPlayfieldCentre, 144.0f, kPlayfieldLayer);
    if (arcadeMode) {
        if ((seqWorkWord(task, kSeqWorkTick) / kPromptBlinkFrames) % 2 == 0) {
            seqDrawCentredText(work, seqCabinetPrompt(), 176.0f);
        }
        return;
    }
    char line[32];
    std::snprintf(line, sizeof line, "YES=%2s BUTTON", seqButtonName(gameSettings.BUTTON_01));
    seqDrawCentredText(work, line, 176.0f);
    std::snprintf(line, sizeof line, " NO=%2s BUTTON", seqButtonName(gameSettings.BUTTON_02));
    seqDrawCentredText(work, line, 184.0f);
}

}  // namespace

void TSKgameCtrlDraw(ObjTask* task, ObjWork* work) {
    if (task->state == kOfflineNotice) {
        seqDrawOfflineNotice(task, work);
    } else if (task->state == kCountdown) {
        seqDrawContinue(task, work);
    }
}
