#pragma once
// The game's diagnostic log: every failure line of the porting layer and the
// game's loaders is appended to "Log.txt", one line a call, so a player's
// report carries the history of every run. The application main puts it in
// the application root beside the player's files, where the game can always
// write and the player knows to look; until then (and in tools and tests) it
// is in the working folder.
//
// Threads: main thread only.

#include <cstdio>
#include <string>

// Formats printf-style (cut to 1023 bytes) and appends it and a line feed.
// When the file can't be opened the complaint goes to the standard output.
void SDL2_wheel_Log(const char* format, ...) __attribute__((format(printf, 1, 2)));

// "Log.txt" goes in this folder from now on; "" is the working folder.
void SDL2_wheel_SetLogFolder(std::string folder);
// The lines go to this stream, kept open by the caller, instead of
// "Log.txt" (a fuzzer, which logs on most inputs); null: back to the file.
void SDL2_wheel_SetLogSink(std::FILE* sink);

// The debug trace: printf-style on the standard output, flushed at once.
void dbgPrintf(const char* format, ...) __attribute__((format(printf, 1, 2)));
