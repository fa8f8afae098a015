// The display texts of the ranking entries (UTF-8).
#include "game/records/save_payload.h"

// One pilot per leader type A-D.
constexpr const char* const rankingPilotNames[4] = {
    "\u30EC\u30F3",              // レン
    "\u30AB\u30A4\u30C8",        // カイト
    "\u30A2\u30EA\u30B7\u30A2",  // アリシア
    "\u30DF\u30CD\u30EB\u30D0",  // ミネルバ
};

// "ステージ1" to "ステージ5".
constexpr const char* const rankingStageNames[5] = {
    "\u30B9\u30C6\u30FC\u30B81",
    "\u30B9\u30C6\u30FC\u30B82",
    "\u30B9\u30C6\u30FC\u30B83",
    "\u30B9\u30C6\u30FC\u30B84",
    "\u30B9\u30C6\u30FC\u30B85",
};
