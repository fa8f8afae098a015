// The head-up display's act (the panel, flash and voice-message timers) and
// its draw. The layout is ours: the places table below.
#include "game/objects/hud.h"

#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/game_sequence.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/objects/effects_sprite_ids.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/objects/voice_message.h"
#include "game/objects/voice_message_lines.h"
#include "game/records/play_selection.h"
#include "game/records/ranking_file.h"
#include "game/stages/enemies/boss_library.h"
#include "game/stages/enemies/enemy_damage.h"
#include "game/stages/rank_carriers.h"

namespace {

constexpr int32_t kHudLayer = 850;
constexpr float kHudScreenCentreX = 112.0f;
constexpr int32_t kHudGaugeFull = 100000;
constexpr float kHudGaugeBackAlpha = 0.3f;
constexpr uint32_t kHudOverTag = objTag("OVER");
constexpr int32_t kHudSceneGroup = 13;
constexpr int32_t kHudPlayKindViewer = 6;
constexpr int32_t kHudPhaseAttract = 5;
constexpr const char* kHudModeNames[4] = {"NOVICE", "CASUAL", "ORIGINAL", "EXPERT"};

struct HudPlace {
    float x, y;
};
// Top rows: the score, HI, mode line, mode name and multiplier; bottom rows:
// the team gauges, energy, bonus and lives; the demo and viewer texts.
constexpr HudPlace kHudScore = {2.0f, 1.0f};
constexpr HudPlace kHudHigh = {106.0f, 1.0f};
constexpr HudPlace kHudMode = {2.0f, 10.0f};
constexpr HudPlace kHudModeName = {162.0f, 10.0f};
constexpr HudPlace kHudRate = {66.0f, 10.0f};
constexpr HudPlace kHudGauges[4] = {{28.0f, 312.0f}, {84.0f, 312.0f}, {140.0f, 312.0f}, {196.0f, 312.0f}};
constexpr HudPlace kHudEnergy = {36.0f, 302.0f};
constexpr HudPlace kHudBonus = {188.0f, 302.0f};
constexpr HudPlace kHudLives = {2.0f, 20.0f};
constexpr HudPlace kHudBoss[2] = {{64.0f, 30.0f}, {64.0f, 40.0f}};
constexpr HudPlace kHudWindow = {112.0f, 270.0f};
constexpr HudPlace kHudPortrait = {32.0f, 270.0f};
constexpr HudPlace kHudSubtitle = {132.0f, 270.0f};
constexpr HudPlace kHudInputDirection = {24.0f, 262.0f};
constexpr float kHudInputButtonX = 48.0f;
constexpr float kHudInputButtonStep = 18.0f;
constexpr int32_t kHudInputNone = 2665;
constexpr int32_t kHudInputButtons = 2674;
// Direction bits (up 1, down 2, left 4, right 8) to the step clockwise from
// up; -1 none or opposed.
constexpr int32_t kHudInputSteps[16] = {-1, 0, 4, -1, 6, 7, 5, -1, 2, 1, 3, -1, -1, -1, -1, -1};
constexpr float kHudDemoY = 150.0f;
constexpr float kHudViewerY[2] = {280.0f, 289.0f};
constexpr const char* kHudViewerLines[2] = {"LEFT or RIGHT to       ", "           SPEED CHANGE"};

HudState hudDisplay{};

bool hudGameOverRuns() { return OBJtaskCountByTag(kHudSceneGroup, kHudOverTag) > 0; }

void hudStepPanels() {
    HudState& h = hudDisplay;
    if (stageResultActive == 1 || hudGameOverRuns()) {
        h.panelLevel = std::min(h.panelLevel + 2, 100);
        h.panelLevelEnd = std::min(h.panelLevelEnd + 2, 100);
    } else if (stageResultActive == 2) {
        h.panelLevelEnd = std::max(std::min(h.panelLevelEnd + 2, 100) - 4, 0);
    } else {
        h.panelLevel = std::max(h.panelLevel - 4, 0);
        h.panelLevelEnd = std::max(h.panelLevelEnd - 4, 0);
    }
}

void hudStepAlpha() {
    HudState& h = hudDisplay;
    if (stageResultActive == 1) {
        h.panelAlpha = std::max(h.panelAlpha - 0.01f, 0.0f);
    } else if (fighterCountReady() == 1 && !hudGameOverRuns()) {
        h.panelAlpha = std::min(h.panelAlpha + 0.01f, 1.0f);
    } else {
        h.panelAlpha = std::max(h.panelAlpha - 0.01f, 0.0f);
    }
}

void hudStepTypes() {
    HudState& h = hudDisplay;
    for (int32_t k = 0; k < 4; ++k) {
        if (h.typeFlash[k] > 0) --h.typeFlash[k];
        if (fighterGetGauge(k) < kHudGaugeFull) continue;
        const int32_t notFlying = k != fighterGetType() ? 1 : 0;
        if (notFlying != h.notFlying[k]) h.typeFlash[k] = kHudFlashFrames;
        h.notFlying[k] = notFlying;
    }
}

void hudText(ObjWork* work, const std::string& text, HudPlace at) {
    if (!text.empty()) OBJdrawText(work, text.c_str(), at.x, at.y, kHudLayer);
}

void hudCentred(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kHudScreenCentreX - float(SDL2_wheel_TextWidth(text) / 2), y, kHudLayer);
}

// A gauge: its sprite dimmed at full length, then filled to value / full
// over it (an empty gauge shows only the dimmed one).
void hudGauge(ObjWork* work, int32_t frame, HudPlace at, int32_t value, int32_t full, float alpha) {
    const float fill = std::clamp(float(value) / float(std::max(full, 1)), 0.0f, 1.0f);
    OBJdrawSprite(work, frame, at.x, at.y, kHudLayer, 1.0f, 1.0f, 0.0f, alpha * kHudGaugeBackAlpha, kDrawBlendNormal);
    OBJdrawSprite(work, frame, at.x, at.y, kHudLayer + 1, fill, 1.0f, 0.0f, alpha, kDrawBlendNormal);
}

void hudDrawGauges(ObjWork* work) {
    for (int32_t k = 0; k < 4; ++k) {
        const bool lit = (hudDisplay.typeFlash[k] & 2) == 0;
        hudGauge(work, kSpriteHudGaugeFighter + k, kHudGauges[k], fighterGetGauge(k), kHudGaugeFull, lit ? 1.0f : 0.5f);
    }
    hudGauge(work, kSpriteHudGaugeEnergy, kHudEnergy, fighterGetEnergy(), kFighterEnergyMax, 1.0f);
    hudGauge(work, kSpriteHudGaugeBonus, kHudBonus, fighterGetBonusCounter(), fighterBonusCap(), 1.0f);
    // A boss gauge shows once registered, filled to the life it last saw.
    for (int32_t g = 0; g < 2; ++g) {
        const BossGauge& boss = bossGauges[g];
        if (boss.maximum > 0) hudGauge(work, kSpriteHudGaugeBoss + g, kHudBoss[g], boss.lastLife, boss.maximum, 1.0f);
    }
}

void hudDrawTop(ObjWork* work) {
    const uint64_t score = fighterGetScore();
    hudText(work, hudScoreText(score), kHudScore);
    hudText(work, hudHighText(std::max(score, hudHighScore())), kHudHigh);
    const int32_t mode = std::clamp(gameMode, 0, 3);
    hudText(work, hudModeLine(mode, fighterGetCombo(), rankCounter), kHudMode);
    hudText(work, hudRateText(mode, enemyScoreRate()), kHudRate);
    hudText(work, kHudModeNames[mode], kHudModeName);
    char lives[16];
    std::snprintf(lives, sizeof lives, "x%d", fighterGetLives());
    hudText(work, lives, kHudLives);
}

// The window, the speaker's portrait and the line's subtitle while a
// message runs.
void hudDrawMessage(ObjWork* work) {
    const VoiceMessageState& v = voiceMessageState();
    if (v.speaker < 0 || v.speaker > kVoiceSpeaker4) return;
    const VoiceEventLines lines = voiceEventLines(v.speaker, v.event);
    if (v.line < 0 || v.line >= lines.count) return;
    const float alpha = std::min(1.0f, float(v.displayTimer) / float(kVoiceWindowFrames));
    OBJdrawSprite(work, kSpriteHudMessageWindow, kHudWindow.x, kHudWindow.y, kHudLayer, 1.0f, 1.0f, 0.0f, alpha * 0.75f,
                  kDrawBlendNormal);
    OBJdrawSprite(work, kSpriteHudPortrait + v.speaker, kHudPortrait.x, kHudPortrait.y, kHudLayer + 1, 1.0f, 1.0f, 0.0f,
                  alpha, kDrawBlendNormal);
    OBJdrawSprite(work, lines.firstSubtitle + v.line, kHudSubtitle.x, kHudSubtitle.y, kHudLayer + 1, 1.0f, 1.0f, 0.0f,
                  alpha, kDrawBlendNormal);
}

}  // namespace

HudState& hudState() { return hudDisplay; }

void hudStateReset() {
    hudDisplay = HudState{};
    std::fill(std::begin(hudDisplay.notFlying), std::end(hudDisplay.notFlying), -1);
}

void hudStep() {
    hudStepPanels();
    --hudDisplay.flashCountdown;
    hudStepAlpha();
    voiceMessageStep();
    hudStepTypes();
}

std::string hudScoreText(uint64_t score) {
    char text[32];
    std::snprintf(text, sizeof text, "%12llu", static_cast<unsigned long long>(score));
    return text;
}

std::string hudHighText(uint64_t score) {
    char text[32];
    std::snprintf(text, sizeof text, "HI%12llu", static_cast<unsigned long long>(score));
    return text;
}

uint64_t hudHighScore() {
    const RankingTables& tables = rankingTables();
    if (!tables.all) return 0;
    const int32_t category = std::clamp(getRankingCategory(), 0, kRankingCategories - 1);
    uint64_t best = 0;
    for (int table = 0; table < kRankingTables; ++table) best = std::max(best, tables.all->at(table, category, 0).score);
    return best;
}

std::string hudModeLine(int32_t mode, int32_t combo, int32_t rank) {
    char text[32] = "";
    if (mode == 1) std::snprintf(text, sizeof text, "COMBO %2d", combo);
    if (mode == 2 || mode == 3) std::snprintf(text, sizeof text, " RANK %02d", rank);
    return text;
}

std::string hudRateText(int32_t mode, int32_t rate) {
    if (mode == 0) return {};
    char text[32];
    std::snprintf(text, sizeof text, "    x%02.1f", double(rate) / 10.0);
    return text;
}

int32_t hudInputDirectionFrame(uint32_t direction) {
    const int32_t step = kHudInputSteps[direction & 15];
    return step < 0 ? kHudInputNone : kHudInputNone + 1 + step;
}

int32_t hudInputButtonFrame(int32_t button, bool held) { return kHudInputButtons + 2 * button + (held ? 1 : 0); }

void TSKinfoDrawInput(ObjWork* work) {
    const FighterInput& input = fighterInput();
    OBJdrawSprite(work, hudInputDirectionFrame(input.direction), kHudInputDirection.x, kHudInputDirection.y, kHudLayer, 1.0f,
                  1.0f, 0.0f, 1.0f, kDrawBlendNormal);
    for (int32_t b = 0; b < 4; ++b) {
        const bool held = (input.held & (0x10u << b)) != 0;
        OBJdrawSprite(work, hudInputButtonFrame(b, held), kHudInputButtonX + kHudInputButtonStep * float(b),
                      kHudInputDirection.y, kHudLayer, 1.0f, 1.0f, 0.0f, 1.0f, kDrawBlendNormal);
    }
}

void TSKinfoDraw(ObjTask*, ObjWork* work) {
    hudDrawTop(work);
    hudDrawGauges(work);
    hudDrawMessage(work);
    if (gamePhase == kHudPhaseAttract) hudCentred(work, "DEMONSTRATION", kHudDemoY);
    if (menuResultCode == kHudPlayKindViewer) {
        for (int i = 0; i < 2; ++i) OBJdrawText(work, kHudViewerLines[i], 20.0f, kHudViewerY[i], kHudLayer);
        TSKinfoDrawInput(work);
    }
}

void TSKinfoAct(ObjTask* task) {
    switch (task->state) {
    case kObjStateInit:
        task->work = OBJworkNew();
        task->release = TSKgameCtrlKill;
        if (task->work) {
            task->work->depth = kHudDepth;
            task->work->draw = TSKinfoDraw;
        }
        hudStateReset();
        voiceMessageReset();
        task->state = kObjStateRun;
        break;
    case kObjStateRun:
        hudStep();
        break;
    default:
        OBJtaskReleaseUnlessPersistent(task);
    }
}
