#pragma once
// The operator's GAME TEST MODE (tag TITL, "-t"): the top menu and its three
// pages, BOOKKEEPING (the platform's play count), SOUND SETTING (the three
// volumes) and BACKUP DATA CLEAR (the platform's backup and both rankings).
// They leave testMenuResultCode (scene_words.h) for the sequence and play no
// sound effects; TEST (padPressed 0x2000) decides like button 1 and 0x4000
// moves down.
//
// Threads: main thread only.

#include <cstdint>

#include "game/frontend/list_menu.h"

struct ObjTask;
struct ObjWork;

// The top menu's row: EXIT when the program starts, then the last choice.
extern int32_t testMenuCursor;
// Set by any choice of the top menu and kept: the next visit slides in.
extern int32_t testMenuSlideIn;
extern int32_t testMenuSlideOut;

extern ListMenu testMenu;
extern ListMenu bookkeepingMenu;
extern ListMenu soundSettingMenu;
extern ListMenu backupClearMenu;
// BOOKKEEPING's play count, read at opening.
extern int32_t bookkeepingPlayCount;
// BACKUP DATA CLEAR: 0 the question, 1 the answer shown, 3 leaving.
extern int32_t backupClearStep;
extern uint8_t backupClearCleared;

void TSKtestMenu(ObjTask* task);
void TSKbookkeeping(ObjTask* task);
void TSKsoundSetting(ObjTask* task);
void TSKbackupClear(ObjTask* task);

// The pages' shared parts.
inline constexpr uint32_t kTestKeyUp = 0x01;
inline constexpr uint32_t kTestKeyDown = 0x02;
inline constexpr uint32_t kTestKeyDecide = 0x10;
inline constexpr uint32_t kTestKeyTest = 0x2000;
inline constexpr uint32_t kTestKeyStepDown = 0x4000;
// Up and down with wrap, silently; true when the cursor moved.
bool testScreenMove(ListMenu& menu);
// Button 1 or TEST newly pressed.
bool testScreenDecided();
// Back to the top menu through the frame's end.
void testScreenLeave(ObjTask* task);
struct TestScreenLook {
    const char* title;
    float labelX;
    int32_t rows;  // drawn from row 0
    bool commonSprite;  // sprite 2822 under the page's own
    int32_t sprite;
};
void testScreenDraw(const ListMenu& menu, const TestScreenLook& look, float slide, ObjTask* task, ObjWork* work);
// A centred bitmap text on the pages' layer.
void testScreenText(ObjWork* work, const char* text, float x, float y);
