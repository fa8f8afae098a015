#pragma once
// Provisional: the flag of the prologue's skippable voice cut-in, read by the
// game main draw to place its prompt. The issue that builds the bosses and
// the cut-in replaces this file.
//
// Threads: main thread only.

#include <cstdint>

// 1 while the voice cut-in runs.
extern uint8_t voiceCutInShown;
