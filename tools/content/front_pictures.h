#pragma once
// The front end's pictures, drawn over their cells once the sprite sheets
// are painted (each cell cleared first, so the picture is wholly its own):
// the tutorial's 21 pages (5918-5938: the English and the Japanese pages
// and the first page's flash), the five ending pictures (2816-2820, the
// whole screen), the credit roll's three pictures (3309-3311), GAME
// SELECT's two items and the card login's panels (veil, window frame,
// eight plates, choice panel, cursor). The words come from words/pictures.txt and
// every character is checked against the face that draws it. The pictures
// that must sit off their draw point (a tutorial page, an item, a plate
// heading) get their offset in their rows' pivot words.
//
// Threads: plain functions, on the generator's main thread.

#include <cstdint>
#include <map>

#include "tools/content/content_context.h"
#include "tools/content/png_image.h"
#include "tools/content/sprite_layout.h"

namespace content {

// Every picture's words present, each character in the face that draws
// it, no words for a picture that does not exist; throws ContentError
// naming words/pictures.txt and the line.
void checkFrontPictureWords(const ContentContext& context);

void drawFrontPictures(const ContentContext& context, const SpriteContent& content, SpriteLayout& layout,
                       std::map<int32_t, Image>& sheets);

}  // namespace content
