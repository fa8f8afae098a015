#pragma once
// What the game main's initialisation registers and its release takes down:
// the base sprite sheets, the base motion files and the order in which the
// sounds and tunes are registered.
//
// Threads: constant data and a pure function; any thread.

#include <array>
#include <cstdint>
#include <vector>

struct StartupSheet {
    int slot;
    const char* path;
};
inline constexpr std::array<StartupSheet, 9> kStartupSheets{{
    {3, "resource/graphic/font8x8.png"},
    {5, "resource/graphic/boot_0.png"},
    {6, "resource/graphic/boot_1.png"},
    {7, "resource/graphic/boot_2.png"},
    {8, "resource/graphic/modeselect_0.png"},
    {9, "resource/graphic/modeselect_1.png"},
    {10, "resource/graphic/fighter_0.png"},
    {11, "resource/graphic/enemy_0.png"},
    {12, "resource/graphic/bgpart_0.png"},
}};

// The cache keys of the base motion files, in load order; each is read from
// "resource/motion/<name>.psb".
inline constexpr std::array<const char*, 9> kBaseMotionFiles{
    "warning", "stage_title", "lazer", "gameover", "result1", "menuframe", "menuframe_bg", "bomb_ex",
    "playerselect_figimage",
};

struct StartupSound {
    enum Kind : uint8_t { kEffect, kVoice, kBossTune, kMusic };
    Kind kind;
    int32_t id;  // a sound id, or a music number for kMusic
    int32_t channel;
};
// Effects, voices, the boss tunes played as sound ids, then the music
// numbers, in the order they are registered.
std::vector<StartupSound> startupSoundLoads();
