#pragma once
// Sound ids by their name in the game core's sound-name table, for the
// player-data screens and voices that name their sounds.
//
// Threads: main thread only.

#include <string_view>

// The id of the name; -1 when no id has it.
int soundIdNamed(std::string_view name);
// Requests the named sound under the common sound rule (nothing for an unknown name).
void soundPlayNamed(std::string_view name);
