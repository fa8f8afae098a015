// The display texts of the ranking entries (UTF-8).
#include "game/records/save_payload.h"

// The pilots' names (rankingPilotNames) are content: generated/front_words_tables.cpp.

// "ステージ1" to "ステージ5".
constexpr const char* const rankingStageNames[5] = {
    "\u30B9\u30C6\u30FC\u30B81",
    "\u30B9\u30C6\u30FC\u30B82",
    "\u30B9\u30C6\u30FC\u30B83",
    "\u30B9\u30C6\u30FC\u30B84",
    "\u30B9\u30C6\u30FC\u30B85",
};
