#include "game/frontend/menus/replay_menu.h"

#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/core/screen_effects.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/menus/replay_list.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/records/paths.h"

ReplayMenu replayMenu;

namespace {

constexpr int kReplayMenuMusic = 32;
constexpr int kReplayEffectOk = 0;
constexpr int kReplayEffectCancel = 1;
constexpr int kReplayEffectCursor = 2;
constexpr uint32_t kReplayButton1 = 0x10;
constexpr uint32_t kReplayButton2 = 0x20;
constexpr int32_t kReplayPageRows = 10;
constexpr int32_t kReplayLastOffset = 90;
constexpr int32_t kReplayKick = 10;
constexpr int32_t kReplayToMainMenu = 3;
constexpr int32_t kReplayToViewer = 6;
constexpr int32_t kReplayFadeFrames = 30;
constexpr int32_t kReplayValidMark = 1;

const MenuItemRow kReplayMenuRows[] = {
    menuActionRow(""), menuActionRow(""), menuActionRow(""), menuActionRow(""), menuActionRow(""), menuActionRow(""),
    menuActionRow(""), menuActionRow(""), menuActionRow(""), menuActionRow(""), menuActionRow("EXIT"),
};

ReplayListSlot& replayMenuSlot() { return replayList[size_t(replayListOffset + replayMenu.list.cursor)]; }
bool replayMenuOnList() { return replayMenu.list.cursor < kReplayMenuExitRow; }

void replayMenuPlay(ObjTask* task) {
    const ReplayListSlot& slot = replayMenuSlot();
    if (slot.present == 0 || slot.info.alwaysOne != kReplayValidMark) {
        SDL2_wheel_SoundPlaySE(kReplayEffectCancel, false);
        return;
    }
    replayChosenFolder = makeAppRootPath("replay/" + slot.folder);
    if (const int32_t first = replayFirstStageOfMode(slot.info.category); first > 0) replayChosenFirstStage = first;
    trainingStartStage = -1;
    playIsRecorded = 0;
    listMenuLeave(task, kReplayToViewer);
    replayMenu.fadeCount = kReplayFadeFrames;
    fadeOutWhite(kReplayFadeFrames);
}

void replayMenuTurnPage(int32_t direction) {
    const int32_t offset = replayListOffset + direction * kReplayPageRows;
    if (offset < 0 || offset > kReplayLastOffset) return;  // the first and last pages stop silently
    replayListOffset = offset;
    replayListPage += direction;
    SDL2_wheel_SoundPlaySE(kReplayEffectCursor, false);
    (direction < 0 ? replayMenu.leftKick : replayMenu.rightKick) = kReplayKick;
}

void replayMenuListInput(ObjTask* task) {
    const ListMenuInput input = listMenuReadInput(replayMenu.list);
    replayListCursor = replayMenu.list.cursor;
    if (input == ListMenuInput::left) replayMenuTurnPage(-1);
    if (input == ListMenuInput::right) replayMenuTurnPage(1);
    if (input == ListMenuInput::decide && !replayMenuOnList()) listMenuLeave(task, kReplayToMainMenu);
    if (input == ListMenuInput::decide && replayMenuOnList()) replayMenuPlay(task);
    if (input != ListMenuInput::none || (padPressed & kReplayButton2) == 0) return;
    if (replayMenuOnList() && replayMenuSlot().present != 0) {
        SDL2_wheel_SoundPlaySE(kReplayEffectOk, false);
        replayMenu.subState = kReplayMenuPrompt;
    } else {
        SDL2_wheel_SoundPlaySE(kReplayEffectCancel, false);
    }
}

void replayMenuPromptInput() {
    if ((padPressed & kReplayButton1) != 0) {
        SDL2_wheel_SoundPlaySE(kReplayEffectOk, false);
        replayDeleteFolder(makeAppRootPath("replay/" + replayMenuSlot().folder));
        replayMenu.messageTimer = kReplayMenuMessageFrames;
        replayMenu.subState = kReplayMenuDeleted;
    } else if ((padPressed & kReplayButton2) != 0) {
        SDL2_wheel_SoundPlaySE(kReplayEffectCancel, false);
        replayMenu.subState = kReplayMenuList;
    }
}

void replayMenuInput(ObjTask* task) {
    if (replayMenu.list.inputLock > 0) return;
    if (replayMenu.subState == kReplayMenuList) {
        replayMenuListInput(task);
    } else if (replayMenu.subState == kReplayMenuPrompt) {
        replayMenuPromptInput();
    } else if (--replayMenu.messageTimer <= 0) {
        replayListScan();
        replayMenu.subState = kReplayMenuList;
    }
}

void replayMenuTick() {
    ListMenu& list = replayMenu.list;
    const int32_t w = SDL2_wheel_TextWidth(replayMenuRowText(list.cursor));
    menuCursor.targetLeftX = 112.0f - float(w / 2 + 40);
    menuCursor.targetRightX = 112.0f + float(w / 2 + 40);
    menuCursor.targetLeftY = menuCursor.targetRightY = 50.0f + 21.0f * float(list.cursor);
    menuCursorUpdate();
    replayMenu.leftKick = std::max(replayMenu.leftKick - 1, 0);
    replayMenu.rightKick = std::max(replayMenu.rightKick - 1, 0);
    list.inputLock = std::max(list.inputLock - 1, 0);
    for (int32_t i = 0; i < list.counters; ++i) {
        int32_t& c = list.rowCounters[size_t(i)];
        c = i == list.cursor ? std::max(c - 1, 0) : std::min(c + 1, kListMenuCounterTop);
    }
}

void replayMenuRun(ObjTask* task) {
    if (task->state == kObjStateRun) {
        replayMenuInput(task);
        if (task->state == kObjStateRun) replayMenuTick();
        return;
    }
    replayMenu.fadeCount = std::max(replayMenu.fadeCount - 1, 0);
    if (listMenuLeft(replayMenu.list, true, replayMenu.fadeCount)) task->state = kObjStateEnd;
}

void replayMenuSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, replayMenuDraw);
    task->release = sceneWorkFree;
    SDL2_wheel_SoundPlayMusic(kReplayMenuMusic);
    replayMenu.subState = kReplayMenuList;
    replayMenu.messageTimer = replayMenu.leftKick = replayMenu.rightKick = replayMenu.fadeCount = 0;
    replayListCursor = std::clamp(replayListCursor, 0, kReplayMenuExitRow);
    replayListOffset = std::clamp(replayListOffset, 0, kReplayLastOffset) / kReplayPageRows * kReplayPageRows;
    replayListPage = replayListOffset / kReplayPageRows;
    replayMenu.list.cursor = replayListCursor;
    listMenuOpen(replayMenu.list, kReplayMenuRows, kReplayMenuExitRow, 20);
    menuCursorSet(112.0f, 50.0f + 21.0f * float(replayListCursor));
    playIsRecorded = 0;
    replayListScan();
    menuFrameOpen(1);
}

const SceneAct kReplayMenuAct = {replayMenuSetUp, replayMenuRun, kListMenuLeaving};

}  // namespace

const char* replayMenuRowText(int32_t row) {
    if (row >= kReplayMenuExitRow) return "EXIT";
    const ReplayListSlot& slot = replayList[size_t(replayListOffset + row)];
    return slot.present != 0 ? slot.line : "NO DATA";
}

void TSKreplayMenu(ObjTask* task) { sceneAct(task, kReplayMenuAct); }
