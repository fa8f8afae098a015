#pragma once
// Pictures of the front end's words for people, drawn as the game lays them
// out: <preview>/words/leader_lines.png and parting_lines.png (each line in
// the kana font's face, 12 pixels a character from x 16, "￥" starting the
// next row, on a strip as wide as the screen; one column a type),
// credit_roll.png (the 16 pages on the 224 x 288 screen, texts centred in
// the sprite fonts' faces, picture rows outlined) and front_texts.txt (the
// lines with their voices, the pilots' names, the notice and login texts).
//
// Threads: plain functions.

#include "tools/content/content_context.h"
#include "tools/content/front_words.h"

namespace content {

void writeFrontWordsPreview(ContentContext& context, const FrontWords& words);

}  // namespace content
