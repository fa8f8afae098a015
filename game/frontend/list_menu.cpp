#include "game/frontend/list_menu.h"

#include <algorithm>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/play_state.h"
#include "game/core/sound_requests.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/sprite_font_text.h"

const char* const kMenuValueInt[1] = {"INT"};
const char* const kMenuValueIntPercent[1] = {"INTP"};
const ListMenuArrows kListMenuArrowsWide = {"            >", "<            ", "<           >"};
const ListMenuArrows kListMenuArrowsNarrow = {"          >", "<          ", "<         >"};

namespace {

constexpr uint32_t kListUp = 0x01;
constexpr uint32_t kListDown = 0x02;
constexpr uint32_t kListLeft = 0x04;
constexpr uint32_t kListRight = 0x08;
constexpr uint32_t kListDecide = 0x10;
constexpr int kListEffectOk = 0;
constexpr int kListEffectCursor = 2;
constexpr int32_t kListLayer = 811;
constexpr int32_t kListBarSprite = 2833;
constexpr float kListCentreX = 112.0f;
constexpr float kListLabelX = 60.0f;
constexpr float kListValueX = 170.0f;
constexpr float kListRowPitch = 12.0f;

// Bitmap text centred on x.
void listDrawCentred(ObjWork* work, const char* text, float x, float y) {
    OBJdrawText(work, text, x - float(SDL2_wheel_TextWidth(text) / 2), y, kListLayer);
}

const char* listArrowText(const MenuItemRow& row, int32_t value, const ListMenuArrows& arrows) {
    if (value == row.min) return arrows.right;
    if (value == row.max) return arrows.left;
    return arrows.both;
}

}  // namespace

bool listMenuEditable(const MenuItemRow& row) { return row.values != nullptr; }

void listMenuOpen(ListMenu& menu, const MenuItemRow* rows, int32_t lastRow, int32_t counters) {
    menu.rows = rows;
    menu.firstRow = 0;
    menu.lastRow = lastRow;
    menu.inputLock = kListMenuLockFrames;
    menu.closeCounter = 0;
    menu.counters = std::clamp(counters, 0, kListMenuMostRows);
    menu.rowCounters.fill(kListMenuCounterTop);
}

ListMenuInput listMenuReadInput(ListMenu& menu) {
    if (menu.inputLock > 0) return ListMenuInput::none;
    if ((padRepeat & kListUp) != 0) {
        menu.cursor = menu.cursor <= menu.firstRow ? menu.lastRow : menu.cursor - 1;
    } else if ((padRepeat & kListDown) != 0) {
        menu.cursor = menu.cursor >= menu.lastRow ? menu.firstRow : menu.cursor + 1;
    } else if ((padRepeat & kListLeft) != 0) {
        return ListMenuInput::left;
    } else if ((padRepeat & kListRight) != 0) {
        return ListMenuInput::right;
    } else if ((padPressed & kListDecide) != 0) {
        return ListMenuInput::decide;
    } else {
        return ListMenuInput::none;
    }
    SDL2_wheel_SoundPlaySE(kListEffectCursor, false);
    return ListMenuInput::moved;
}

bool listMenuStepValue(ListMenu& menu, int32_t step) {
    const MenuItemRow& row = menu.rows[menu.cursor];
    if (!listMenuEditable(row)) return false;
    int32_t& value = menu.values[size_t(menu.cursor)];
    const int32_t before = value;
    const int64_t stepped = int64_t(value) + step;
    if (step < 0) value = int32_t(std::max<int64_t>(stepped, row.min));
    if (step > 0) value = int32_t(std::min<int64_t>(stepped, row.max));
    if (value == before) return false;
    SDL2_wheel_SoundPlaySE(kListEffectCursor, false);
    return true;
}

void listMenuLeave(ObjTask* task, int32_t code) {
    SDL2_wheel_SoundPlaySE(kListEffectOk, false);
    menuResultCode = code;
    menuFrameState = kMenuFrameEnd;
    menuFrameEndAlt = 0;
    task->state = kListMenuLeaving;
}

void listMenuTick(ListMenu& menu) {
    const int32_t w = SDL2_wheel_TextWidth(menu.rows[menu.cursor].label);
    const float y = 50.0f + kListRowPitch * float(menu.cursor);
    menuCursor.targetLeftX = kListLabelX - float(w / 2 + 40);
    menuCursor.targetRightX = kListLabelX + float(w / 2 + 40);
    menuCursor.targetLeftY = menuCursor.targetRightY = y;
    menuCursorUpdate();
    menu.inputLock = std::max(menu.inputLock - 1, 0);
    for (int32_t i = 0; i < menu.counters; ++i) {
        int32_t& c = menu.rowCounters[size_t(i)];
        c = i == menu.cursor ? std::max(c - 1, 0) : std::min(c + 1, kListMenuCounterTop);
    }
}

bool listMenuLeft(ListMenu& menu, bool slide, int32_t countDown) {
    if (slide) menu.closeCounter = std::min(menu.closeCounter + 1, kListMenuCounterTop);
    return countDown < 1 && menuFrameState == kMenuFrameDone;
}

float listMenuSlide(const ListMenu& menu) {
    return float(3 * menu.closeCounter * menu.closeCounter + 3 * menu.inputLock * menu.inputLock);
}

const char* listMenuValueText(const MenuItemRow& row, int32_t value, char (&text)[16]) {
    if (row.values == kMenuValueIntPercent) {
        std::snprintf(text, sizeof text, "%d%%", value);
        return text;
    }
    if (row.values != kMenuValueInt && value >= 0 && value <= row.max) return row.values[value];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

void listMenuDraw(const ListMenu& menu, const ListMenuLook& look, ObjTask* task, ObjWork* work) {
    const float slide = listMenuSlide(menu);
    drawSpriteFontText(look.title, 1, float(kListLayer), kListCentreX, 20.0f + slide, 1.0f, true, 255, 255, 255, 0,
                       1.0f, 1.0f);
    if (task->state == kObjStateRun && menu.inputLock == 0) {
        for (int32_t i = 0; i < menu.counters; ++i) {
            const int32_t c = menu.rowCounters[size_t(i)];
            if (c >= kListMenuCounterTop) continue;
            OBJdrawSprite(work, kListBarSprite, kListCentreX - float(2 * c * c),
                          41.0f + kListRowPitch * float(i) + slide, kListLayer, 1.0f, 1.0f, 0.0f, 1.0f, 0);
        }
    }
    for (int32_t i = menu.firstRow; i <= menu.lastRow; ++i) {
        const MenuItemRow& row = menu.rows[i];
        const float y = 38.0f + kListRowPitch * float(i) + slide;
        listDrawCentred(work, row.label, kListLabelX, y);
        if (!listMenuEditable(row)) continue;
        const int32_t value = menu.values[size_t(i)];
        char text[16];
        const char* named = look.nameOf ? look.nameOf(menu, i) : nullptr;
        listDrawCentred(work, named ? named : listMenuValueText(row, value, text), kListValueX, y);
        if (look.arrows) listDrawCentred(work, listArrowText(row, value, *look.arrows), kListValueX, y);
    }
}
