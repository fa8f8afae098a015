#pragma once
// Where the game's files are: the game folder is the engine's data directory
// when "--data-directory=" names one, else the executable's folder, and the
// resource folder is "resource/" in it. The game folder becomes the first
// search directory, so "resource/..." requests resolve there.
//
// Threads: main thread, at start-up.

#include <string>

// With its trailing '/'.
std::string gameFolder();

// Makes the game folder the primary search directory.
void useGameFolder(const std::string& folder);

// Empty when "resource/" in the folder can be listed; else the message that
// names the folder and says how to make it.
std::string checkResourceFolder(const std::string& folder);
