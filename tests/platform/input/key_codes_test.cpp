#include "platform/input/key_codes.h"

#include <SDL2/SDL_scancode.h>
#include <gtest/gtest.h>

#include <set>

namespace {

TEST(KeyCodes, EveryKeyOfTheEngineTablesHasAnSdlKey) {
    const std::pair<uint8_t, int> named[] = {
        {0xC8, SDL_SCANCODE_UP},    {0xD0, SDL_SCANCODE_DOWN},     {0xCB, SDL_SCANCODE_LEFT},
        {0xCD, SDL_SCANCODE_RIGHT}, {0x2C, SDL_SCANCODE_Z},        {0x2D, SDL_SCANCODE_X},
        {0x1E, SDL_SCANCODE_A},     {0x1F, SDL_SCANCODE_S},        {0x2E, SDL_SCANCODE_C},
        {0x20, SDL_SCANCODE_D},     {0x10, SDL_SCANCODE_Q},        {0x11, SDL_SCANCODE_W},
        {0x12, SDL_SCANCODE_E},     {0x13, SDL_SCANCODE_R},        {0x0F, SDL_SCANCODE_TAB},
        {0x06, SDL_SCANCODE_5},     {0x01, SDL_SCANCODE_ESCAPE},   {0x48, SDL_SCANCODE_KP_8},
        {0x50, SDL_SCANCODE_KP_2},  {0x4B, SDL_SCANCODE_KP_4},     {0x4D, SDL_SCANCODE_KP_6},
        {0x33, SDL_SCANCODE_COMMA}, {0x34, SDL_SCANCODE_PERIOD},   {0x25, SDL_SCANCODE_K},
        {0x26, SDL_SCANCODE_L},     {0x35, SDL_SCANCODE_SLASH},    {0x27, SDL_SCANCODE_SEMICOLON},
        {0x17, SDL_SCANCODE_I},     {0x18, SDL_SCANCODE_O},        {0x19, SDL_SCANCODE_P},
        {0x91, SDL_SCANCODE_LEFTBRACKET}, {0x0E, SDL_SCANCODE_BACKSPACE}, {0x0B, SDL_SCANCODE_0},
        {0x38, SDL_SCANCODE_LALT},  {0xB8, SDL_SCANCODE_RALT},     {0x1C, SDL_SCANCODE_RETURN},
    };
    for (const auto& [code, scancode] : named) {
        uint8_t codes[2];
        const int count = platform::keyCodesForScancode(scancode, codes);
        EXPECT_TRUE((count >= 1 && codes[0] == code) || (count == 2 && codes[1] == code))
            << "key code " << int(code);
    }
}

TEST(KeyCodes, TheAtSignKeyIsAlsoTheLeftBracket) {
    uint8_t codes[2];
    ASSERT_EQ(platform::keyCodesForScancode(SDL_SCANCODE_LEFTBRACKET, codes), 2);
    EXPECT_EQ(std::set<int>({codes[0], codes[1]}), std::set<int>({0x1A, 0x91}));
}

TEST(KeyCodes, EachKeyCodeAppearsOnceAndUnknownScancodesGiveNothing) {
    std::set<int> seen;
    for (const platform::KeyCodePair& pair : platform::keyCodeTable()) {
        EXPECT_TRUE(seen.insert(pair.keyCode).second) << int(pair.keyCode);
        EXPECT_NE(pair.keyCode, 0);
    }
    uint8_t codes[2];
    EXPECT_EQ(platform::keyCodesForScancode(SDL_SCANCODE_UNKNOWN, codes), 0);
    EXPECT_EQ(platform::keyCodesForScancode(SDL_SCANCODE_F24, codes), 0);
    EXPECT_EQ(platform::keyCodesForScancode(-1, codes), 0);
    EXPECT_EQ(platform::keyCodesForScancode(SDL_NUM_SCANCODES, codes), 0);
}

}  // namespace
