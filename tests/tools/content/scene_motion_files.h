#pragma once
// The motion files of boot and the scenes, by name under resource/motion/.

inline constexpr const char* kSceneMotionFiles[] = {
    "warning",     "stage_title", "lazer",        "gameover",         "result1",
    "menuframe",   "menuframe_bg", "bomb_ex",     "playerselect_figimage",
    "initialize",  "qv_splash",   "opening",      "eng_opening",      "qv_title",
    "clear",       "ending_first", "ending_last", "eng_ending_first", "eng_ending_last"};
