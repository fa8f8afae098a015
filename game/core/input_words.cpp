#include "game/core/input_words.h"

#include "game/core/controller_manager.h"
#include "game/records/card_profile.h"

uint32_t padHeld = 0;
uint32_t padPressed = 0;
uint32_t padRepeat = 0;
uint32_t padRaw = 0;
uint32_t padRawPressed = 0;
void (*inputRemapHook)() = nullptr;

namespace {

constexpr int kLogicalButtons = 16;
constexpr uint32_t kGameButtonBits = 0xF0;
constexpr uint32_t kRepeatFirst = 30;
constexpr uint32_t kRepeatNext = 2;

uint32_t repeatCountdown = 0;

uint32_t logicalButtonsDown() {
    const controller::Manager* manager = controller::Manager::getInstance();
    uint32_t bits = 0;
    for (int logical = 0; manager && logical < kLogicalButtons; ++logical) {
        const controller::LogicalState* state = manager->logicalState(uint8_t(logical));
        if (state && state->current) bits |= inputBitOfLogical(logical);
    }
    return bits;
}

void stepRepeat() {
    if (padHeld == 0) {
        padRepeat = 0;
        repeatCountdown = 0;
    } else if (padPressed != 0) {
        padRepeat = padPressed;
        repeatCountdown = kRepeatFirst;
    } else if (repeatCountdown != 0) {
        padRepeat = 0;
        --repeatCountdown;
    } else {
        padRepeat = padHeld;
        repeatCountdown = kRepeatNext;
    }
}

}  // namespace

uint32_t inputBitOfLogical(int logical) {
    if (logical < 0 || logical >= kLogicalButtons) return 0;
    if (logical < 4) return 1u << logical;
    if (logical == 4) return 0x8000;
    return 1u << (logical - 1);
}

uint32_t inputAssignmentMask(int32_t assignment) {
    // A stored setting from a card may hold anything: only 1..16 name a bit.
    if (assignment < 1 || assignment > 16) return 0;
    return 1u << (assignment + 3);
}

void SDL2_wheel_InputPoll() {
    uint32_t previousRaw = padRaw;
    uint32_t previousHeld = padHeld;
    padRaw = padHeld = logicalButtonsDown();
    padRawPressed = padRaw & ~previousRaw;
    if (inputRemapHook) inputRemapHook();
    padPressed = padHeld & ~previousHeld;
    stepRepeat();
}

void SDL2_wheel_InputRemapButtons() {
    const int32_t assignment[4] = {cardProfile.configShot, cardProfile.configBomb, cardProfile.configRapid,
                                   cardProfile.configBlow};
    uint32_t held = padHeld;
    padHeld &= ~kGameButtonBits;
    for (int button = 0; button < 4; ++button) {
        if (held & inputAssignmentMask(assignment[button])) padHeld |= 0x10u << button;
    }
}

void inputWordsReset() {
    padHeld = padPressed = padRepeat = padRaw = padRawPressed = 0;
    repeatCountdown = 0;
}
