#pragma once
// The game's diagnostic log: every failure line of the porting layer and the
// game's loaders is appended to "Log.txt" in the working folder, one line a
// call, so a player's report carries the history of every run.
//
// Threads: main thread only.

// Formats printf-style (cut to 1023 bytes) and appends it and a line feed.
// When the file can't be opened the complaint goes to the standard output.
void SDL2_wheel_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// The debug trace: printf-style on the standard output, flushed at once.
void dbgPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
