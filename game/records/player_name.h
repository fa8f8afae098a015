#pragma once
// Provisional: the current player's name as the rankings take it, until the
// card profile is built here. A guest is "NO NAME".
//
// Threads: main thread only.

#include <string>

const char* currentPlayerName();
void setCurrentPlayerName(std::string name);
