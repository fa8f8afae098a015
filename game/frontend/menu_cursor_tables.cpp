#include "game/frontend/menu_cursor_tables.h"

const std::array<MenuCursorStep, kMenuCursorSteps> kMenuCursorStepTable = {{
    {256.0f, 128.0f},
    {128.0f, 64.0f},
    {64.0f, 32.0f},
    {32.0f, 16.0f},
    {16.0f, 8.0f},
    {8.0f, 4.0f},
    {4.0f, 2.0f},
    {2.0f, 1.0f},
    {0.0f, 0.0f},
}};
