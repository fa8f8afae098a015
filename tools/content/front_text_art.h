#pragma once
// Text drawn into a cell with a FreeType face, for the front end's pictures
// and the previews of its words: a line of code points from a pen position
// on a baseline, in one colour, with a dark shadow one pixel down-right.
//
// Threads: plain functions; a face is used by one thread at a time.

#include <cstdint>
#include <string>

#include "tools/content/font_face.h"
#include "tools/content/raster.h"

namespace content {

// The advance of the line at the face's current size.
int32_t frontTextWidth(FontFace& face, const std::u32string& text);
void drawFrontText(Cell& cell, FontFace& face, const std::u32string& text, int32_t penX, int32_t baseline, Rgba ink);
// The line centred on x.
void drawFrontTextCentred(Cell& cell, FontFace& face, const std::u32string& text, int32_t centreX, int32_t baseline,
                          Rgba ink);

}  // namespace content
