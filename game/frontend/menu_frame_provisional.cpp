#include "game/frontend/menu_frame_provisional.h"

float menuFrameGlow[kMenuFrameGlowRows][kMenuFrameGlowColumns] = {};
int32_t menuFrameGlowCounter = 0;
uint8_t menuFrameGlowOn = 0;
uint8_t menuFrameHidden = 0;
uint8_t rankingViewShown = 0;
MenuCursor menuCursor = {};

void menuCursorSet(float x, float y) { menuCursor = {x, y, x, y, x, y, x, y}; }

void menuCursorUpdate() {
    menuCursor.leftX = menuCursor.targetLeftX;
    menuCursor.leftY = menuCursor.targetLeftY;
    menuCursor.rightX = menuCursor.targetRightX;
    menuCursor.rightY = menuCursor.targetRightY;
}

void menuFrameUpdate() {}
