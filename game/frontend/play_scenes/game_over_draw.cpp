// What the game over draws: the background, the portrait and parting line,
// a cleared play's score lines, the motion or the replay prompt.
#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/frontend/front_words.h"
#include "game/frontend/play_scenes/game_over.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/objects/fighter_counters.h"
#include "game/records/play_selection.h"
#include "game/records/ranking_file.h"
#include "game/records/settings_file.h"

namespace {

constexpr int32_t kOverBackground = 2462;
constexpr int32_t kOverClearedBackground = 2463;
constexpr int32_t kOverPortraits[4] = {3454, 3548, 3642, 3736};
constexpr int32_t kOverLineFrame = 2686;
constexpr int32_t kOverPanel = 2687;

void overSprite(ObjWork* work, int32_t frame, float alpha) {
    OBJdrawSprite(work, frame, kSceneX, kSceneY, int32_t(work->depth), 1.0f, 1.0f, 0.0f, alpha, 0);
}

void overCentred(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kSceneX - float(SDL2_wheel_TextWidth(text) / 2), y, int32_t(work->depth));
}

// The best score held for the play's category, in any table.
uint64_t overBestScore() {
    const RankingTables& tables = rankingTables();
    if (!tables.all) return 0;
    const int32_t category = std::clamp(getRankingCategory(), 0, kRankingCategories - 1);
    uint64_t best = 0;
    for (int table = 0; table < kRankingTables; ++table) best = std::max(best, tables.all->at(table, category, 0).score);
    return best;
}

void overScoreLines(ObjWork* work) {
    const uint64_t score = fighterGetScore();
    const float y = 1.0f - float(overSlide);
    char text[48];
    std::snprintf(text, sizeof text, "%12llu", static_cast<unsigned long long>(score));
    OBJdrawText(work, text, 2.0f, y, int32_t(work->depth));
    std::snprintf(text, sizeof text, "HI%12llu", static_cast<unsigned long long>(std::max(score, overBestScore())));
    OBJdrawText(work, text, 106.0f, y, int32_t(work->depth));
}

// The number of the pad button as text, whatever the setting holds.
void overButtonLine(ObjWork* work, const char* format, int32_t button, float y) {
    char number[16];
    std::snprintf(number, sizeof number, "%d", button);
    char text[64];
    std::snprintf(text, sizeof text, format, number);
    overCentred(work, text, y);
}

void overPromptPanel(ObjWork* work, int32_t state) {
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, kOverPanel, kSceneX, kSceneY, int32_t(work->depth), 8.0f, 4.0f, 0.0f, 0.5f, 0);
    work->r = work->g = work->b = 255;
    if (state == kOverPrompt) {
        overCentred(work, "SAVE REPLAY?", 112.0f);
        overButtonLine(work, "YES=%2s BUTTON", gameSettings.BUTTON_01, 168.0f);
        overButtonLine(work, " NO=%2s BUTTON", gameSettings.BUTTON_02, 176.0f);
    } else if (state == kOverKept) {
        overCentred(work, "SAVE OK!", 128.0f);
    } else {
        overCentred(work, "REPLAYS CANNOT BE SAVED", 102.0f);
        overCentred(work, "PLEASE DELETE THE FILE", 112.0f);
        overButtonLine(work, "OK=%2s BUTTON", gameSettings.BUTTON_01, 168.0f);
    }
}

}  // namespace

void gameOverDraw(ObjTask* task, ObjWork* work) {
    const bool cleared = playFinished != 0;
    overSprite(work, cleared ? kOverClearedBackground : kOverBackground, work->alpha);
    if (overTextAlpha > 0.0f) {
        const int32_t type = std::clamp(fighterGetType(), 0, 3);
        overSprite(work, kOverPortraits[type], overTextAlpha);
        overSprite(work, kOverLineFrame, overTextAlpha);
        drawKanaLine(work, partingLine(type, overLinePick), int32_t(work->depth), overTextAlpha);
    }
    if (cleared) overScoreLines(work);
    const int32_t state = task->state;
    if (state <= kOverEnd) {
        drawWorkMotion(task, work);
    } else if (state <= kOverNoRoom) {
        overPromptPanel(work, state);
    }
}
