#pragma once
// The front end's words, tables the content generator writes from
// content/words/ (generated/front_words_tables.cpp): the leaders' lines of
// the stage results, the pilots' parting lines of the game over, the credit
// roll of the endings, the title's notice line and the card login's texts.
// The pilots' names are `rankingPilotNames` (game/records/save_payload.h),
// written into the same generated file.
//
// Threads: constant data; main thread readers.

#include <cstdint>

inline constexpr int32_t kFrontWordTypes = 4;
inline constexpr int32_t kLeaderLineSlots = 50;
inline constexpr int32_t kLeaderLinesUsed = 25;
inline constexpr int32_t kPartingLineCount = 10;
inline constexpr int32_t kSceneLineBytes = 256;
inline constexpr int32_t kCreditRollPages = 16;
inline constexpr int32_t kCreditRollRows = 30;

// UTF-8, zero-terminated: [leader type][line]; lines 25 to 49 are empty.
extern const char leaderLineTable[kFrontWordTypes][kLeaderLineSlots][kSceneLineBytes];
// [fighter type][pick]: picks 0-4 for a lost play, 5-9 for a cleared one.
extern const char partingLineTable[kFrontWordTypes][kPartingLineCount][kSceneLineBytes];

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

extern const char* const titleNoticeLine;
// Every text the card login draws in the PSB fonts, checked against their
// characters by the generator.
extern const char* const loginScreenTexts[];
extern const int32_t loginScreenTextCount;

// The line, "" for a type or index outside the table.
const char* leaderLine(int32_t type, int32_t index);
const char* partingLine(int32_t type, int32_t pick);
