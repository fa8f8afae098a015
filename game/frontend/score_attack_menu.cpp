#include "game/frontend/score_attack_menu.h"

#include <algorithm>

#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"

ListMenu scoreAttackMenu;

namespace {

constexpr int kScoreAttackMusic = 32;
constexpr int kScoreAttackOpenVoice = 895;
constexpr int kScoreAttackStartVoice = 893;
constexpr int32_t kScoreAttackLastRow = 5;
constexpr int32_t kScoreAttackStartRow = 0;
constexpr int32_t kScoreAttackStageRow = 1;
constexpr int32_t kScoreAttackExitRow = 5;
constexpr int32_t kScoreAttackFadeFrames = 90;
constexpr int kScoreAttackFadeWord = 4;

void scoreAttackMenuDraw(ObjTask* task, ObjWork* work) {
    listMenuDraw(scoreAttackMenu, {"SCORE ATTACK", &kListMenuArrowsNarrow, nullptr}, task, work);
}

void scoreAttackMenuRelease(ObjTask* task) {
    sceneWorkFree(task);
    for (int32_t i = 0; i < kScoreAttackMenuValues; ++i) {
        gameSettings.*kScoreAttackMenuSettings[size_t(i)] = scoreAttackMenu.values[size_t(i + 1)];
    }
    configSave();
}

void scoreAttackMenuSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, scoreAttackMenuDraw);
    task->release = scoreAttackMenuRelease;
    task->actWords[kScoreAttackFadeWord] = 0;
    SDL2_wheel_SoundPlayMusic(kScoreAttackMusic);
    listMenuOpen(scoreAttackMenu, kScoreAttackMenuRowTable.data(), kScoreAttackLastRow, 20);
    scoreAttackMenu.cursor = 0;
    menuCursorSet(60.0f, 50.0f);
    configLoad();
    for (int32_t i = 0; i < kScoreAttackMenuValues; ++i) {
        scoreAttackMenu.values[size_t(i + 1)] = gameSettings.*kScoreAttackMenuSettings[size_t(i)];
    }
    int32_t& stage = scoreAttackMenu.values[kScoreAttackStageRow];
    stage = std::clamp(stage, 1, 5);
    menuFrameOpen(1);
    SDL2_wheel_SoundPlaySE(kScoreAttackOpenVoice, false);
}

// One step either way; a value pushed past a bound goes back to it silently.
void scoreAttackEdit(int32_t direction) {
    const MenuItemRow& row = kScoreAttackMenuRowTable[size_t(scoreAttackMenu.cursor)];
    if (!listMenuEditable(row)) return;
    int32_t& value = scoreAttackMenu.values[size_t(scoreAttackMenu.cursor)];
    const int64_t stepped = int64_t(value) + direction;
    value = int32_t(std::clamp<int64_t>(stepped, row.min, row.max));
    if (value == stepped) SDL2_wheel_SoundPlaySE(2, false);
}

void scoreAttackStart(ObjTask* task) {
    SDL2_wheel_SoundPlaySE(kScoreAttackStartVoice, false);
    SDL2_wheel_SoundPlaySE(0, false);
    menuResultCode = 2;
    playIsRecorded = 1;
    task->actWords[kScoreAttackFadeWord] = kScoreAttackFadeFrames;
    fadeOutWhite(kScoreAttackFadeFrames);
    task->state = kListMenuLeaving;
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
}

void scoreAttackMenuRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        const ListMenuInput input = listMenuReadInput(scoreAttackMenu);
        if (input == ListMenuInput::left || input == ListMenuInput::right) {
            scoreAttackEdit(input == ListMenuInput::left ? -1 : 1);
        } else if (input == ListMenuInput::decide && scoreAttackMenu.cursor == kScoreAttackStartRow) {
            scoreAttackStart(task);
        } else if (input == ListMenuInput::decide && scoreAttackMenu.cursor == kScoreAttackExitRow) {
            listMenuLeave(task, 3);
        }
        listMenuTick(scoreAttackMenu);
        return;
    }
    --task->actWords[kScoreAttackFadeWord];
    const bool slide = scoreAttackMenu.cursor == kScoreAttackExitRow;
    if (listMenuLeft(scoreAttackMenu, slide, task->actWords[kScoreAttackFadeWord])) task->state = kObjStateEnd;
}

const SceneAct kScoreAttackMenuAct = {scoreAttackMenuSetUp, scoreAttackMenuRun, kListMenuLeaving};

}  // namespace

void TSKscoreAttackMenu(ObjTask* task) { sceneAct(task, kScoreAttackMenuAct); }
