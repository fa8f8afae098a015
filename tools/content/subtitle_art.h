#pragma once
// The subtitle pictures of the voice messages, and the words on menu items: the line's text in one or two
// rows, centred in its cell, white over a dark rim so it reads over any
// background, with a bar of the speaker's colour at the left edge (the
// pilots wear their fighters' trims, the announcer gold). A text too long
// for the cell is drawn smaller, down to a floor; below it the content is
// at fault.
//
// Threads: plain functions; a face is used by one thread at a time.

#include <cstdint>
#include <string>

#include "tools/content/font_face.h"
#include "tools/content/raster.h"

namespace content {

struct SubtitleText {
    std::string text;     // printable ASCII
    int32_t speaker = 0;  // 0..3 the pilots, 4 the announcer
    std::string voice;    // for messages
};

// Throws ContentError naming the voice when the text has a character
// outside printable ASCII or does not fit the cell.
void drawSubtitle(Cell& cell, FontFace& face, const SubtitleText& subtitle);

// A menu item's word over its picture, in the same white over a dark rim:
// one row, centred, as large as the cell allows (at most two thirds of its
// height). Throws ContentError naming the text as drawSubtitle does.
void drawLabel(Cell& cell, FontFace& face, const std::string& text);

}  // namespace content
