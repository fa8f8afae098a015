#pragma once
// Provisional: the title's notice line and the card login's panel frames
// (veil, window frame, eight plates, choice panel), until the front end's
// content table gives them. Sprite id 0 draws nothing (a row of no size).
//
// Threads: main thread only.

#include <array>
#include <cstdint>

// The login screens' plates.
enum LoginPlate : int {
    kPlateChoose,
    kPlateTouch,
    kPlateConfirm1,
    kPlateConfirm2,
    kPlateRecords,
    kPlateAccessCode,
    kPlateStart,
    kPlateError,
    kLoginPlates
};

struct LoginPanels {
    int32_t veil = 0;
    int32_t windowFrame = 0;
    std::array<int32_t, kLoginPlates> plates{};
    int32_t choicePanel = 0;
    int32_t cursor = 0;
    const char* notice = "";
};
// Tests put fixture ids and texts here.
extern LoginPanels loginPanels;
