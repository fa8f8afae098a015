#pragma once
// The front end's words (content/words/): the leaders' lines of the stage
// results and the pilots' parting lines of the game over (each the very text
// its voice speaks), the credit roll of the endings, the pilots' names, the
// title's notice line and the card login's texts. Every character is checked
// against the font that draws it: the kana sprite font for the lines, the
// ASCII sprite fonts for the credit roll, the PSB fonts for the title and
// the login. A refusal names the file and line.
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

inline constexpr int32_t kWordTypes = 4;
inline constexpr int32_t kLeaderLinesUsed = 25;
inline constexpr int32_t kPartingLines = 10;
inline constexpr int32_t kCreditPages = 16;
inline constexpr int32_t kCreditRows = 30;
// Rows 24 pixels apart from y 12 on a 288-pixel screen.
inline constexpr int32_t kCreditRowsShown = 12;
inline constexpr size_t kCreditTextMax = 24;
inline constexpr int32_t kCreditPictures = 3;
// The kana font draws 12 pixels a character from x 16 on a 224-pixel
// screen, two rows from y 266 on 288.
inline constexpr size_t kKanaRowMax = 17;
inline constexpr size_t kKanaRowsMax = 2;
inline constexpr size_t kSceneLineBytes = 256;
inline constexpr char32_t kKanaBreak = U'\uFFE5';

enum CreditStyle : int32_t { kCreditFromRight = 0, kCreditFromLeft = 1, kCreditCentre = 3 };

struct CreditRow {
    int32_t style = 0, font = 0, kind = 0, picture = 0;
    std::string text;
};

struct FrontWords {
    std::array<std::array<std::string, kLeaderLinesUsed>, kWordTypes> leader;
    std::array<std::array<std::string, kPartingLines>, kWordTypes> parting;
    std::array<std::array<CreditRow, kCreditRows>, kCreditPages> credits;
    std::array<std::string, kWordTypes> pilots;
    std::string notice;
    std::vector<std::string> login;
};

// The voice ids of the lines, in table order: [type][line].
std::array<std::array<int32_t, kLeaderLinesUsed>, kWordTypes> leaderLineVoiceIds();
std::array<std::array<int32_t, kPartingLines>, kWordTypes> partingLineVoiceIds();

// UTF-8 to code points; throws ContentError with the message on a bad byte.
std::u32string decodeWords(std::string_view text, const std::string& what);
// The characters the kana sprite font holds (content/sprites/sprites.txt),
// and the row break.
std::set<char32_t> kanaRepertoire(const ContentContext& context);
// Throws ContentError ("file:line: ...") when a character is not in the set
// or the rows do not fit the screen.
void checkKanaLine(const std::string& text, const std::set<char32_t>& kana, std::string_view file, int line);

// The spoken lines' texts by voice name (leader and parting lines), for the
// sound bank: the one source of what the voice says and what is written.
std::map<std::string, std::string> readSpokenWords(const ContentContext& context);

FrontWords readFrontWords(const ContentContext& context);
// generated/front_words_tables.cpp
std::string frontWordsSource(const FrontWords& words);

}  // namespace content
