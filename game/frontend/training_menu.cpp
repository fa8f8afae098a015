#include "game/frontend/training_menu.h"

#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"

ListMenu trainingMenu;

namespace {

constexpr int kTrainingMusic = 32;
constexpr int32_t kTrainingLastRow = 16;
constexpr int32_t kTrainingStartRow = 0;
constexpr int32_t kTrainingModeRow = 1;
constexpr int32_t kTrainingLeaderRow = 3;
constexpr int32_t kTrainingStageRow = 5;
constexpr int32_t kTrainingPointRow = 6;
constexpr int32_t kTrainingRankRow = 7;
constexpr int32_t kTrainingCounterRow = 8;
constexpr int32_t kTrainingDefaultRow = 15;
constexpr int32_t kTrainingExitRow = 16;
constexpr int32_t kTrainingStageWithTwoMidBosses = 5;
constexpr int32_t kTrainingMidBoss1 = 1;
constexpr int32_t kTrainingMidBoss2 = 2;
constexpr int32_t kTrainingBoss = 3;
constexpr int32_t kTrainingFadeFrames = 30;
constexpr int kTrainingFadeWord = 4;

int32_t& trainingValue(int32_t row) { return trainingMenu.values[size_t(row)]; }

void trainingStore() {
    for (int32_t i = 0; i < kTrainingMenuValues; ++i) {
        gameSettings.*kTrainingMenuSettings[size_t(i)] = trainingValue(i + 1);
    }
}

const char* trainingNameOf(const ListMenu& menu, int32_t row) {
    const bool oneMidBoss = menu.values[kTrainingStageRow] != kTrainingStageWithTwoMidBosses;
    if (row == kTrainingPointRow && oneMidBoss && menu.values[size_t(row)] == kTrainingMidBoss1) return "MBOSS";
    return nullptr;
}

void trainingMenuDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(trainingMenu, {"TRAINING", &kListMenuArrowsNarrow, trainingNameOf}, task, work);
    const float slide = listMenuSlide(trainingMenu);
    for (int line = 0; line < 3; ++line) {
        char text[48];
        trainingMenuHint(line, text);
        OBJdrawText(work, text, 112.0f - float(SDL2_wheel_TextWidth(text) / 2), 254.0f + 12.0f * float(line) + slide,
                    811);
    }
}

void trainingMenuRelease(ObjTask* task) {
    sceneWorkFree(task);
    trainingStore();
    configSave();
}

void trainingMenuSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, trainingMenuDraw);
    task->release = trainingMenuRelease;
    task->actWords[kTrainingFadeWord] = 0;
    SDL2_wheel_SoundPlayMusic(kTrainingMusic);
    listMenuOpen(trainingMenu, kTrainingMenuRowTable.data(), kTrainingLastRow, 20);
    trainingMenu.cursor = 0;
    menuCursorSet(60.0f, 50.0f);
    configLoad();
    for (int32_t i = 0; i < kTrainingMenuValues; ++i) {
        trainingValue(i + 1) = gameSettings.*kTrainingMenuSettings[size_t(i)];
    }
    trainingValue(kTrainingLeaderRow) = std::min(trainingValue(kTrainingLeaderRow), 3);
    menuFrameOpen(1);
}

// Button 1 first, then 2, then 3.
int32_t trainingStep() {
    if ((padHeld & 0x10) != 0) return 10;
    if ((padHeld & 0x20) != 0) return 100;
    if ((padHeld & 0x40) != 0) return 1000;
    return 1;
}

void trainingEdit(int32_t direction) {
    const int32_t row = trainingMenu.cursor;
    const MenuItemRow& item = kTrainingMenuRowTable[size_t(row)];
    if (!listMenuEditable(item)) return;
    const int32_t before = trainingValue(row);
    int64_t value = int64_t(before) + int64_t(direction) * trainingStep();
    const bool oneMidBoss = trainingValue(kTrainingStageRow) != kTrainingStageWithTwoMidBosses;
    if (row == kTrainingPointRow && oneMidBoss && value == kTrainingMidBoss2) {
        value = direction > 0 ? kTrainingBoss : kTrainingMidBoss1;
    }
    trainingValue(row) = int32_t(std::clamp<int64_t>(value, item.min, item.max));
    if (trainingValue(row) != before) SDL2_wheel_SoundPlaySE(2, false);
}

void trainingStart(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(0, false);
    menuResultCode = 8;
    playIsRecorded = 0;
    task->actWords[kTrainingFadeWord] = kTrainingFadeFrames;
    fadeOutWhite(kTrainingFadeFrames);
    task->state = kListMenuLeaving;
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
}

void trainingDefaults() {
    SDL2_wheel_SoundPlaySE(0, false);
    for (int32_t i = 0; i < kTrainingMenuValues; ++i) trainingValue(i + 1) = kTrainingMenuDefaults[size_t(i)];
    trainingStore();
}

void trainingInput(ObjTask* task) {
    const ListMenuInput input = listMenuReadInput(trainingMenu);
    if (input == ListMenuInput::left || input == ListMenuInput::right) {
        trainingEdit(input == ListMenuInput::left ? -1 : 1);
    } else if (input == ListMenuInput::decide) {
        if (trainingMenu.cursor == kTrainingStartRow) trainingStart(task);
        if (trainingMenu.cursor == kTrainingDefaultRow) trainingDefaults();
        if (trainingMenu.cursor == kTrainingExitRow) listMenuLeave(task, 3);
    }
}

// A mode's own limits on the item counter and the rank; one mid-boss off stage 5.
void trainingTies() {
    int32_t& counter = trainingValue(kTrainingCounterRow);
    switch (trainingValue(kTrainingModeRow)) {
    case 0:
        counter = 0;
        trainingValue(kTrainingRankRow) = 0;
        break;
    case 1:
        counter = std::min(counter, 1000);
        trainingValue(kTrainingRankRow) = 0;
        break;
    case 2:
        counter = std::min(counter, 3000);
        break;
    default:
        break;
    }
    const bool oneMidBoss = trainingValue(kTrainingStageRow) != kTrainingStageWithTwoMidBosses;
    int32_t& point = trainingValue(kTrainingPointRow);
    if (oneMidBoss && point == kTrainingMidBoss2) point = kTrainingMidBoss1;
}

void trainingMenuRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        trainingInput(task);
        trainingTies();
        listMenuTick(trainingMenu);
        return;
    }
    --task->actWords[kTrainingFadeWord];
    if (listMenuLeft(trainingMenu, true, task->actWords[kTrainingFadeWord])) task->state = kObjStateEnd;
}

const SceneAct kTrainingMenuAct = {trainingMenuSetUp, trainingMenuRun, kListMenuLeaving};

}  // namespace

void TSKtrainingMenu(ObjTask* task) { sceneAct(task, kTrainingMenuAct); }

void trainingMenuHint(int line, char (&text)[48]) {
    static constexpr std::array<int32_t GameSettings::*, 3> buttons = {
        &GameSettings::BUTTON_01, &GameSettings::BUTTON_02, &GameSettings::BUTTON_03};
    static constexpr std::array<int32_t, 3> steps = {10, 100, 1000};
    const size_t i = size_t(std::clamp(line, 0, 2));
    std::snprintf(text, sizeof text, "HOLD %d BUTTON to CHANGE %d", gameSettings.*buttons[i], steps[i]);
}
