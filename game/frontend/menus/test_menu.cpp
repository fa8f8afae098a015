#include "game/frontend/menus/test_menu.h"

#include <algorithm>
#include <cstdio>

#include "game/core/apm_glue.h"
#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene.h"
#include "game/frontend/scene_words.h"
#include "game/objects/fighter_counters.h"

int32_t testMenuCursor = 4;
int32_t testMenuSlideIn = 0;
int32_t testMenuSlideOut = 0;
ListMenu testMenu;

namespace {

constexpr int32_t kTestLayer = 811;
constexpr int32_t kTestExitRow = 4;
constexpr int32_t kTestSubSystemRow = 3;
constexpr int32_t kTestEnd = 4;
constexpr int32_t kTestBarSprite = 2833;
constexpr int32_t kTestFirstSprite = 2821;
constexpr int32_t kTestCommonSprite = 2822;
constexpr int32_t kTestRowSprites[] = {2823, 2825, 2824, 2826, 2827};
constexpr uint32_t kTestKeyLeft = 0x04;
constexpr uint32_t kTestKeyRight = 0x08;

const MenuItemRow kTestMenuRows[] = {
    menuActionRow("BOOKKEEPING"),          menuActionRow("SOUND SETTING"), menuActionRow("BACKUP DATA CLEAR"),
    menuActionRow("SUB SYSTEM TEST MODE"), menuActionRow("EXIT"),
};

float testMenuSlide() {
    const float in = testMenuSlideIn ? float(3 * testMenu.inputLock * testMenu.inputLock) : 0.0f;
    const float out = testMenuSlideOut ? float(3 * testMenu.closeCounter * testMenu.closeCounter) : 0.0f;
    return -in - out;
}

void testMenuDraw(ObjTask* task, ObjWork* work) {
    testScreenDraw(testMenu, {"GAME TEST MODE", 112.0f, 5, true, kTestRowSprites[testMenu.cursor]}, testMenuSlide(),
                   task, work);
}

void testMenuSetUp(ObjTask* task) {
    sceneWorkNew(task, 801.0f, testMenuDraw);
    task->release = sceneWorkFree;
    SDL2_wheel_SoundStopMusic();
    testMenuCursor = std::clamp(testMenuCursor, 0, kTestExitRow);
    testMenu.cursor = testMenuCursor;
    listMenuOpen(testMenu, kTestMenuRows, kTestExitRow, 20);
    menuCursorSet(112.0f, 25.0f * float(testMenuCursor + 2));
    menuFrameOpen(0);
    fighterSetShieldLevel(0);
}

void testMenuChoose(ObjTask* task) {
    const int32_t row = testMenu.cursor;
    testMenuResultCode = row < kTestSubSystemRow ? row + 1 : kTestEnd;
    if (row == kTestSubSystemRow) leaveToPlatformTest = 1;
    task->state = kListMenuLeaving;
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = menuFrameStartAlt = 1;
    testMenuSlideIn = testMenuSlideOut = 1;
}

void testMenuRun(ObjTask* task) {
    if (task->state != kObjStateRun) {
        if (listMenuLeft(testMenu, testMenuSlideOut != 0, 0)) task->state = kObjStateEnd;
        return;
    }
    if (testMenu.inputLock == 0 && !testScreenMove(testMenu) && (padPressed & (kTestKeyLeft | kTestKeyRight)) == 0 &&
        testScreenDecided()) {
        testMenuChoose(task);
    }
    testMenuCursor = testMenu.cursor;
    listMenuTick(testMenu);
}

const SceneAct kTestMenuAct = {testMenuSetUp, testMenuRun, kListMenuLeaving};

}  // namespace

bool testScreenMove(ListMenu& menu) {
    if ((padRepeat & kTestKeyUp) != 0) {
        menu.cursor = menu.cursor <= menu.firstRow ? menu.lastRow : menu.cursor - 1;
        return true;
    }
    if ((padRepeat & kTestKeyDown) != 0 || (padPressed & kTestKeyStepDown) != 0) {
        menu.cursor = menu.cursor >= menu.lastRow ? menu.firstRow : menu.cursor + 1;
        return true;
    }
    return false;
}

bool testScreenDecided() { return (padPressed & (kTestKeyDecide | kTestKeyTest)) != 0; }

void testScreenLeave(ObjTask* task) {
    testMenuResultCode = 0;
    task->state = kListMenuLeaving;
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
}

void testScreenText(ObjWork* work, const char* text, float x, float y) {
    OBJdrawText(work, text, x - float(SDL2_wheel_TextWidth(text) / 2), y, kTestLayer);
}

void testScreenDraw(const ListMenu& menu, const TestScreenLook& look, float slide, ObjTask* task, ObjWork* work) {
    testScreenText(work, look.title, 112.0f, 20.0f + slide);
    if (task->state == kObjStateRun && menu.inputLock == 0) {
        for (int32_t i = 0; i < menu.counters; ++i) {
            const int32_t c = menu.rowCounters[size_t(i)];
            if (c >= kListMenuCounterTop) continue;
            OBJdrawSprite(work, kTestBarSprite, 112.0f - float(2 * c * c), 41.0f + 12.0f * float(i) + slide, kTestLayer,
                          1.0f, 1.0f, 0.0f, 1.0f, 0);
        }
    }
    for (int32_t i = 0; i < look.rows; ++i) {
        const float y = 38.0f + 12.0f * float(i) + slide;
        testScreenText(work, menu.rows[i].label, look.labelX, y);
        if (!listMenuEditable(menu.rows[i])) continue;
        char text[16];
        std::snprintf(text, sizeof text, "%d", int(menu.values[size_t(i)]));
        testScreenText(work, text, 170.0f, y);
    }
    OBJdrawSprite(work, kTestFirstSprite, 112.0f, 144.0f, kTestLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    if (look.commonSprite) {
        OBJdrawSprite(work, kTestCommonSprite, 112.0f, 144.0f, kTestLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
    }
    if (look.sprite > 0) OBJdrawSprite(work, look.sprite, 112.0f, 144.0f, kTestLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
}

void TSKtestMenu(ObjTask* task) { sceneAct(task, kTestMenuAct); }
