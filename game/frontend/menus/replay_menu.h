#pragma once
// REPLAY (tag MENU, from the main menu): the kept replays ten to a page,
// newest first; button 1 plays one in the replay viewer, button 2 deletes
// it after a prompt. The cursor, page and offset live in scene_words.h.
//
// Threads: main thread only.

#include <cstdint>

#include "game/frontend/list_menu.h"

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kReplayMenuExitRow = 10;
inline constexpr int32_t kReplayMenuMessageFrames = 180;

enum ReplayMenuSubState : int32_t { kReplayMenuList = 0, kReplayMenuPrompt = 1, kReplayMenuDeleted = 2 };

struct ReplayMenu {
    ListMenu list;
    int32_t subState = kReplayMenuList;
    int32_t messageTimer = 0;
    int32_t leftKick = 0;
    int32_t rightKick = 0;
    int32_t fadeCount = 0;
};
extern ReplayMenu replayMenu;

void TSKreplayMenu(ObjTask* task);

// What a row of the page shows on its first line: a slot's list line,
// "NO DATA" for an empty slot, "EXIT".
const char* replayMenuRowText(int32_t row);
void replayMenuDraw(ObjTask* task, ObjWork* work);
