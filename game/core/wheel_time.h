#pragma once
// The local time of day, read through the platform clock so tests can set it.
// Only what the player sees as a date uses it (save dates, replay folder
// names); game logic counts frames.
//
// Threads: any.

// Year in full, month 1..12, day 1..31, hour 0..23, minute and second 0..59;
// null outputs are skipped.
void SDL2_wheel_GetLocalTime(int* year, int* month, int* day, int* hour, int* minute, int* second);
