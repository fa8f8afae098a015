#pragma once
// The motion files the stages load, by name under resource/motion/.

inline constexpr const char* kStageMotionFiles[] = {
    "st01mboss", "st01boss",  "st02boss",  "st2bossvisual", "3boss_b_wave", "enemy_g_l02",
    "st03boss",  "st3bossvisual", "st04mboss", "st4bossvisual", "st04boss", "st05mboss",
    "st05mboss2", "st05boss", "st05boss2", "st5boss2visual"};
