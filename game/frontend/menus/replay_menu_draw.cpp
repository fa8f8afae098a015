// The replay list's draw: the page, the delete prompt and the message.
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/obj_task.h"
#include "game/core/obj_work.h"
#include "game/frontend/menus/replay_list.h"
#include "game/frontend/menus/replay_menu.h"
#include "game/frontend/scene_words.h"
#include "game/frontend/sprite_font_text.h"
#include "game/records/settings_file.h"

namespace {

constexpr int32_t kReplayDrawLayer = 811;
constexpr float kReplayDrawX = 112.0f;
constexpr float kReplayDrawPitch = 21.0f;
constexpr int32_t kReplayRowBar = 2832;
constexpr int32_t kReplayExitBar = 2833;
constexpr int32_t kReplayBoxSprite = 2687;

void replayDrawCentred(ObjWork* work, const char* text, float y) {
    OBJdrawText(work, text, kReplayDrawX - float(SDL2_wheel_TextWidth(text) / 2), y, kReplayDrawLayer);
}

// The bars of the rows whose highlight runs, in state 100 once unlocked.
void replayDrawBars(ObjTask* task, ObjWork* work, float slide) {
    const ListMenu& list = replayMenu.list;
    if (task->state != kObjStateRun || list.inputLock != 0) return;
    for (int32_t i = 0; i <= kReplayMenuExitRow; ++i) {
        const int32_t c = list.rowCounters[size_t(i)];
        if (c >= kListMenuCounterTop) continue;
        const bool exit = i == kReplayMenuExitRow;
        OBJdrawSprite(work, exit ? kReplayExitBar : kReplayRowBar, kReplayDrawX - float(2 * c * c),
                      (exit ? 41.0f : 45.0f) + kReplayDrawPitch * float(i) + slide, kReplayDrawLayer, 1.0f,
                      exit ? 1.0f : 0.7f, 0.0f, 1.0f, 0);
    }
}

void replayDrawPage(ObjTask* task, ObjWork* work, float slide) {
    drawSpriteFontText("REPLAY", 1, float(kReplayDrawLayer), kReplayDrawX, 20.0f + slide, 1.0f, true, 255, 255, 255,
                       0, 1.0f, 1.0f);
    replayDrawBars(task, work, slide);
    for (int32_t i = 0; i < kReplayMenuExitRow; ++i) {
        const float y = 38.0f + kReplayDrawPitch * float(i) + slide;
        replayDrawCentred(work, replayMenuRowText(i), y);
        const ReplayListSlot& slot = replayList[size_t(replayListOffset + i)];
        if (slot.present != 0) replayDrawCentred(work, slot.scoreLine, y + 8.0f);
    }
    replayDrawCentred(work, "EXIT", 248.0f + slide);
    char text[64];
    std::snprintf(text, sizeof text, "PAGE %2d/10", int(replayListPage + 1));
    replayDrawCentred(work, text, 262.0f + slide);
    std::snprintf(text, sizeof text, "%d BUTTON TO PLAY", int(gameSettings.BUTTON_01));
    replayDrawCentred(work, text, 271.0f + slide);
    std::snprintf(text, sizeof text, "%d BUTTON TO DELETEY", int(gameSettings.BUTTON_02));
    replayDrawCentred(work, text, 280.0f + slide);
    OBJdrawText(work, "<", 4.0f - float(2 * replayMenu.leftKick), 144.0f + slide, kReplayDrawLayer);
    const float right = 220.0f + float(2 * replayMenu.rightKick) - float(SDL2_wheel_TextWidth(">"));
    OBJdrawText(work, ">", right, 144.0f + slide, kReplayDrawLayer);
}

// The half-transparent black box under the prompt and the message.
void replayDrawBox(ObjWork* work) {
    const uint8_t r = work->r, g = work->g, b = work->b;
    work->r = work->g = work->b = 0;
    OBJdrawSprite(work, kReplayBoxSprite, kReplayDrawX, 144.0f, kReplayDrawLayer, 8.0f, 4.0f, 0.0f, 0.5f, 0);
    work->r = r;
    work->g = g;
    work->b = b;
}

void replayDrawPrompt(ObjWork* work) {
    replayDrawBox(work);
    replayDrawCentred(work, replayList[size_t(replayListOffset + replayMenu.list.cursor)].line, 112.0f);
    replayDrawCentred(work, "DELETE REPLAY ?", 128.0f);
    char text[64];
    char number[16];
    std::snprintf(number, sizeof number, "%d", int(gameSettings.BUTTON_01));
    std::snprintf(text, sizeof text, "YES=%2s BUTTON", number);
    replayDrawCentred(work, text, 176.0f);
    std::snprintf(number, sizeof number, "%d", int(gameSettings.BUTTON_02));
    std::snprintf(text, sizeof text, " NO=%2s BUTTON", number);
    replayDrawCentred(work, text, 184.0f);
}

}  // namespace

void replayMenuDraw(ObjTask* task, ObjWork* work) {
    const float slide = listMenuSlide(replayMenu.list);
    if (replayMenu.subState == kReplayMenuList) {
        replayDrawPage(task, work, slide);
    } else if (replayMenu.subState == kReplayMenuPrompt) {
        replayDrawPrompt(work);
    } else {
        replayDrawBox(work);
        replayDrawCentred(work, "DELETE REPLAY OK!", 112.0f);
    }
}
