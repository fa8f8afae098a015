// What the stage result draws: its motions, the leader's panel, the tally
// lines, the cover and the score digits; and the kana-font line.
#include <algorithm>
#include <cinttypes>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/frontend/ending/ending.h"
#include "game/frontend/play_scenes/kana_font.h"
#include "game/frontend/front_words.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"

namespace {

constexpr int32_t kTallyLayer = 803;
constexpr int32_t kTallyCoverLayer = 902;
constexpr int32_t kTallyCoverSprite = 2687;
constexpr int32_t kTallyFrameSprite = 2686;
constexpr int32_t kTallyDigitSprite = 2452;
constexpr int32_t kPortraitSprites[4] = {3454, 3548, 3642, 3736};
constexpr int32_t kTallyLabelBases[4] = {4690, 4678, 4666, 4702};
constexpr float kTallyLineY[4] = {84.0f, 116.0f, 148.0f, 180.0f};
constexpr uint64_t kTallyScoreCap = 9999999999ull;

void tallyMotion(ObjWork* work, int32_t slot) {
    if (!sceneSlotOpen(slot)) return;
    SDL2_wheel_MotionSetColor(slot, kMotionSlotNeutralColor);
    SDL2_wheel_MotionSetAlpha(slot, 1.0f);
    OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), kMotionSlotBlendNormal, 1.0f, 255, 255, 255);
}

void tallyCentredText(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kSceneX - float(SDL2_wheel_TextWidth(text) / 2), y, kTallyLayer);
}

void tallyLines(ObjWork* work, int32_t step) {
    const int32_t a = (work->age / 5) % 12;
    const ObjWork* fighterWork = fighterGetWork();
    char text[64];
    for (int line = 0; line < 4; ++line) {
        const float y = kTallyLineY[line];
        if (step >= 6 + 2 * line - (line > 0 ? 1 : 0)) {
            std::snprintf(text, sizeof text, "%8lld", static_cast<long long>(resultPoints[size_t(line)]));
            OBJdrawText(work, text, 20.0f, y, kTallyLayer);
        }
        OBJdrawSprite(work, kTallyLabelBases[line] + a, 130.0f, y + 4.0f, kTallyLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
        const int32_t count = fighterWork ? fighterWork->family.fighter.medals[line] : 0;
        std::snprintf(text, sizeof text, "x %6d", count);
        OBJdrawText(work, text, 146.0f, y, kTallyLayer);
    }
}

// The no-miss line, the rate and the score, from step 13.
void tallyBonusLines(ObjWork* work, int32_t step) {
    char text[64];
    const int32_t misses = fighterGetMissCount();
    bool noMissDrawn = false;
    if (misses == 0 && resultNoMissShown > 0) {
        tallyCentredText(work, "NO MISS", 195.0f);
        std::snprintf(text, sizeof text, "%" PRIu64, resultNoMissPoints);
        tallyCentredText(work, text, 205.0f);
        noMissDrawn = true;
    } else if (misses > 0) {
        std::snprintf(text, sizeof text, "MISS COUNT %d", misses);
        tallyCentredText(work, text, 195.0f);
        tallyCentredText(work, "NO BONUS", 205.0f);
        noMissDrawn = true;
    }
    if (step < 22) return;
    std::snprintf(text, sizeof text, "BONUS RATE x%02.1f", double(resultBonusRate()) / 10.0);
    tallyCentredText(work, text, noMissDrawn ? 215.0f : 190.0f);
}

void tallyScore(ObjWork* work) {
    uint64_t score = std::min(fighterGetScore(), kTallyScoreCap);
    // Right-aligned: the units always, the leading zeros never.
    for (int place = 10; place >= 0; --place) {
        const auto digit = int32_t(score % 10);
        score /= 10;
        OBJdrawSprite(work, kTallyDigitSprite + digit, 46.0f + 12.0f * float(place), 244.0f, kTallyLayer, 1.0f, 1.0f,
                      0.0f, 1.0f, 0);
        if (score == 0) break;
    }
}

void tallyCover(ObjWork* work) {
    if (resultCoverAlpha <= 0.0f) return;
    const uint8_t shade = (resultStage == 0 || endingDark != 0) ? 0 : 255;
    work->r = work->g = work->b = shade;
    OBJdrawSprite(work, kTallyCoverSprite, kSceneX, kSceneY, kTallyCoverLayer, 8.0f, 9.0f, 0.0f, resultCoverAlpha, 0);
    work->r = work->g = work->b = 255;
}

}  // namespace

void drawKanaLine(ObjWork* work, const char* text, int32_t layer, float alpha) {
    KanaGlyph glyphs[kKanaLineGlyphs];
    const int32_t count = kanaLineLayout(text, glyphs);
    for (int32_t k = 0; k < count; ++k) {
        OBJdrawSprite(work, glyphs[k].frame, glyphs[k].x, glyphs[k].y, layer, 1.0f, 1.0f, 0.0f, alpha, 0);
    }
}

void stageClearDrawTally(ObjTask*, ObjWork* work) {
    const int32_t step = scene(work).step;
    if (step == kEndingRollStep) {
        endingDrawRoll(work, scene(work));
        return;
    }
    if (resultStage != 0) {
        if (resultMotionVisible) {
            if (step >= 2) tallyMotion(work, work->motionSlot0);
            tallyMotion(work, resultSlot);
        }
        if (resultPanelAlpha > 0.0f) {
            const int32_t type = std::clamp(selectedLeaderType, 0, 3);
            OBJdrawSprite(work, kPortraitSprites[type], kSceneX, kSceneY, kTallyLayer, 1.0f, 1.0f, 0.0f,
                          resultPanelAlpha, 0);
            OBJdrawSprite(work, kTallyFrameSprite, kSceneX, kSceneY, kTallyLayer, 1.0f, 1.0f, 0.0f, resultPanelAlpha,
                          0);
            drawKanaLine(work, leaderLine(type, resultLineIndex), kTallyLayer, resultPanelAlpha);
        }
        if (step >= 6 && step <= 22) tallyLines(work, step);
        if (step >= 13 && step <= 24) tallyBonusLines(work, step);
        if (step >= 6 && step <= 24) tallyScore(work);
    }
    tallyCover(work);
}
