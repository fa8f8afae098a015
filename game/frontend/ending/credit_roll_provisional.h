#pragma once
// The credit roll's table until the front end's generated words
// (game/frontend/front_words.h, written by the content generator from
// content/words/credit_roll.txt) are on this branch: the same row record,
// sizes and table name, every row empty. Where the generated words are
// present they are used and this stand-in adds nothing.
//
// Threads: constant data; main thread readers.

#if __has_include("game/frontend/front_words.h")
#include "game/frontend/front_words.h"
#else
#include <cstdint>

inline constexpr int32_t kCreditRollPages = 16;
inline constexpr int32_t kCreditRollRows = 30;

// One row of a credit-roll page (144 bytes); an empty row is all zero.
struct CreditRollRow {
    int32_t style;    // 0 slides in from the right, 1 from the left, 3 fades in at the centre
    int32_t font;     // 0 sprite font 2, otherwise sprite font 3
    int32_t kind;     // 0 text, 1 picture
    int32_t picture;  // kind 1: sprite frame 3309 + picture
    char text[128];   // kind 0: ASCII, zero-terminated
};
static_assert(sizeof(CreditRollRow) == 144);
extern const CreditRollRow creditRollTable[kCreditRollPages][kCreditRollRows];
#endif
