#pragma once
// The keyboard is read as a 256-entry array indexed by DirectInput key codes
// (set-1 scan codes, 0x80 marking the extended keys), because that is how the
// engine's key tables name keys. SDL reports positional scancodes; this table
// joins the two. Keys of the Japanese layout sit where their US counterparts
// are, so one SDL scancode may stand for two key codes (the at-sign key is the
// key left of the bracket, 0x91 beside 0x1A).

#include <cstdint>
#include <span>

namespace platform {

struct KeyCodePair {
    uint8_t keyCode;   // DirectInput key code
    int sdlScancode;   // SDL_Scancode
};

// Every key code the keyboard delivers, with its SDL scancode.
std::span<const KeyCodePair> keyCodeTable();

// The key codes one SDL scancode stands for: at most two, written to out;
// answers how many.
int keyCodesForScancode(int sdlScancode, uint8_t out[2]);

}  // namespace platform
