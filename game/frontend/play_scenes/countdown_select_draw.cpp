// What the countdown selections draw: the sliding background and items,
// the flash, the cursor and its arrows, the scrolling frame strip and the
// time; the leader screen's figure, panels and plates.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "game/core/bitmap_text.h"
#include "game/core/draw_store.h"
#include "game/core/motion_wrappers.h"
#include "game/core/obj_work.h"
#include "game/frontend/menu_cursor.h"
#include "game/frontend/play_scenes/countdown_select.h"
#include "game/frontend/scene.h"
#include "game/records/settings_file.h"

namespace {

constexpr float kSelectTurn = 6.2831853f / 1024.0f;

void selectSprite(ObjWork* work, int32_t frame, float x, float y, float alpha, int32_t blend = 0,
                  float scaleY = 1.0f) {
    OBJdrawSprite(work, frame, x, y, int32_t(work->depth), 1.0f, scaleY, 0.0f, alpha, blend);
}

void selectTime(ObjWork* work, float x, float y) {
    char text[16];
    std::snprintf(text, sizeof text, "TIME %02d", countdownState.secondsLeft);
    OBJdrawText(work, text, x - float(SDL2_wheel_TextWidth(text) / 2), y, int32_t(work->depth));
}

// A strip one screen wide scrolling left one pixel a frame.
void selectStrip(ObjWork* work, int32_t frame, int32_t sprite, float y) {
    const float x = kSceneX - float(frame % 224);
    selectSprite(work, sprite, x, y, 1.0f);
    selectSprite(work, sprite, x + 224.0f, y, 1.0f);
}

}  // namespace

void countdownSelectDraw(ObjTask*, ObjWork* work) {
    const CountdownScreen& row = kCountdownScreenTable[countdownState.screen];
    const int32_t frame = scene(work).frameCounter;
    const auto leave = float(countdownState.leave);
    const auto lock = float(countdownState.lock);
    const float s = 6.0f * leave * leave + 6.0f * lock * lock;
    selectSprite(work, row.background, kSceneX + s, kSceneY, 1.0f);
    const int32_t firstItem = row.itemSprites[gameSettings.LANGUAGE == 0 ? 0 : 1];
    if (firstItem != 0) {
        for (int32_t k = 0; k < row.items; ++k) selectSprite(work, firstItem + k, kSceneX + s, kSceneY, 1.0f);
    }
    if (countdownState.screen == kGameScreen) {
        const char* title = "GAME SELECT";
        OBJdrawText(work, title, kSceneX + s - float(SDL2_wheel_TextWidth(title) / 2), 20.0f, int32_t(work->depth));
    }
    float cursorX = 0.0f;
    float cursorY = 0.0f;
    menuCursorGet(&cursorX, &cursorY);
    if (countdownState.flash > 0) {
        selectSprite(work, row.flash, kSceneX + s, cursorY, std::min(1.0f, float(countdownState.flash) * 0.03f), 1);
    }
    const float pulse = std::trunc(30.0f * std::sin(float(frame) * 20.0f * kSelectTurn)) / 100.0f + 0.5f;
    selectSprite(work, row.cursor, cursorX + s, cursorY, pulse);
    const float b = std::trunc(4.0f * std::sin(float(frame) * 16.0f * kSelectTurn));
    const int32_t blink = (frame / 2) % 2;
    const float arrowY = cursorY - row.arrowOffsets[std::min(countdownState.choice, 1)];
    selectSprite(work, 1634 + blink, cursorX + s - 70.0f - b, arrowY, 1.0f);
    selectSprite(work, 1628 + blink, cursorX + s + 70.0f + b, arrowY, 1.0f);
    const float stripY = kSceneY - std::trunc(0.6f * leave * leave) - std::trunc(0.6f * lock * lock);
    if (row.frame != 0) selectStrip(work, frame, row.frame, stripY);
    selectTime(work, kSceneX + s, 279.0f);
}

void playerSelectDraw(ObjTask*, ObjWork* work) {
    const int32_t type = countdownState.choice;
    const int32_t frame = scene(work).frameCounter;
    const int32_t slot = countdownState.figureSlot;
    if (sceneSlotOpen(slot)) {
        SDL2_wheel_MotionSetColor(slot, kMotionSlotNeutralColor);
        SDL2_wheel_MotionSetAlpha(slot, 1.0f);
        OBJdrawMotion(work, slot, SDL2_wheel_MotionGetLayer(slot), kMotionSlotBlendNormal, 1.0f, 255, 255, 255);
    }
    const auto lock = float(countdownState.lock);
    const auto exit = float(countdownState.exitCount);
    const float s = std::trunc(0.2f * lock * lock) + std::trunc(0.2f * exit * exit);
    selectSprite(work, 3062 + type, kSceneX, kSceneY, 1.0f);
    if (countdownState.glint >= 0) selectSprite(work, 3050 + 3 * type + countdownState.glint, kSceneX, kSceneY, 1.0f);
    if (countdownState.flashAlpha > 0.0f) selectSprite(work, 3062 + type, kSceneX, kSceneY, countdownState.flashAlpha, 1);
    selectSprite(work, 3087, kSceneX, kSceneY + s, 1.0f);
    selectSprite(work, 3088, kSceneX, kSceneY + s, 1.0f);
    float cursorX = 0.0f;
    float cursorY = 0.0f;
    menuCursorGet(&cursorX, &cursorY);
    const float pulse = std::trunc(30.0f * std::sin(float(frame) * 20.0f * kSelectTurn)) / 100.0f + 0.7f;
    selectSprite(work, 3070 + (frame / 5) % 5, cursorX, cursorY + s, pulse);
    selectSprite(work, 3079 + 2 * type, kSceneX, kSceneY + s, 1.0f);
    const float platePulse = 0.5f + std::trunc(50.0f * std::sin(float(frame) * 4.0f * kSelectTurn)) / 100.0f;
    selectSprite(work, 3080 + 2 * type, kSceneX, kSceneY + s, platePulse);
    selectSprite(work, 3089, kSceneX, kSceneY + s, 1.0f, 0, countdownState.slideIn);
    selectSprite(work, (gameSettings.LANGUAGE != 0 ? 3090 : 3094) + type, kSceneX, kSceneY + s, 1.0f);
    selectSprite(work, 3066 + type, kSceneX, kSceneY - s, 1.0f);
    selectSprite(work, 3075 + type, kSceneX, kSceneY - s, 1.0f);
    selectStrip(work, frame, 3098, kSceneY - s);
    selectTime(work, kSceneX, 279.0f + s);
}
