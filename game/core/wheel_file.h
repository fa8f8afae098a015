#pragma once
// The game's file operations. Paths are narrow strings, relative to the
// working folder unless the caller built an absolute one. Failures write a
// line to "Log.txt" and give -1 or null; none of them stops the game.
//
// Threads: main thread only.

#include <cstddef>
#include <cstdint>
#include <cstdio>

// Writes count elements of elementSize bytes as the whole new content of the
// file and gives the count written, or -1 when the file can't be written.
// The bytes go to a file beside the target that replaces it only once every
// byte is on disk (synced), and the folder is synced after the rename, so a
// failed write, a kill or a power cut leaves the old file or the new one.
int SDL2_wheel_FileWrite(const char* path, const void* buffer, size_t elementSize, size_t count);

// The size of an open file in bytes, or -1; the file is closed in every case.
long SDL2_wheel_FileGetSize(std::FILE* file);

// 0 when the folder was made, -1 otherwise (an existing folder included).
int SDL2_wheel_DirCreate(const char* path);

// The whole file in a new buffer from malloc (the caller frees it) and its
// size, or null: a missing file logs "file not found", anything else that
// keeps its bytes (a folder in its place, no permission) logs the reason.
uint8_t* SDL2_wheel_FileReadAlloc(const char* path, long* size);

// Replaces the file at path with size bytes as SDL2_wheel_FileWrite does;
// true when the new content is in place.
bool writeFileReplacing(const char* path, const void* bytes, size_t size);
