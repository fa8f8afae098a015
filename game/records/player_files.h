#pragma once
// How the player's files are read and written, so a player's records are
// never replaced behind their back:
// - only a file that doesn't exist is made from the defaults;
// - a file that is there but can't be read (no permission, a folder in its
//   place, an I/O error) is logged with the reason and left alone for the
//   rest of the run: the game plays on the defaults in memory and no later
//   save writes over it;
// - a file of the wrong size is logged with its size and kept beside as
//   "<name>.damaged" (a newer one replaces an older), and the defaults are
//   used as for a missing file;
// - writes replace the file whole (game/core's writeFileReplacing).
//
// Threads: main thread only.

#include <cstddef>
#include <string>

enum class PlayerFileRead { Read, Missing, LeftAlone };

// Reads the whole file.
PlayerFileRead readPlayerFile(const std::string& path, std::string& bytes);
// True for a file that could not be read this run: nothing writes it.
bool playerFileLeftAlone(const std::string& path);
// Replaces the file whole; false when it is left alone or the write failed
// (logged), and the old file stays.
bool writePlayerFile(const std::string& path, const void* bytes, size_t size);
// Moves a file of the wrong size aside as "<path>.damaged".
void keepDamagedPlayerFile(const std::string& path, size_t size, size_t expected);
