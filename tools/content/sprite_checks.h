#pragma once
// The checks of content/sprites/sprites.txt's "contrast" and "distinct"
// lines, run on the drawn sheets.
//
// Contrast: each stage's background is summed up by three colours, the
// darkest, the middle and the brightest twentieth of its tile sheets'
// opaque pixels (by luminance). A shot cell is laid over each; for each of
// its pixels at least a quarter covered, the contrast ratio of the laid
// pixel against the background is (L1 + 0.05) / (L2 + 0.05), L the relative
// luminance, L1 the lighter. The cell's contrast over that colour is the
// mean of its most contrasting quarter of pixels (its dark rim or its light
// core), and it must reach the group's minimum over every colour of every
// stage.
//
// Distinct: the first cells of no two ranges of the group are the same
// picture, so no two kinds of one family look alike.
//
// Threads: plain functions.

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "tools/content/png_image.h"
#include "tools/content/sprite_layout.h"

namespace content {

// Throws ContentError naming the file, the sprite and the stage (or the
// two ranges) at fault; returns a report of each check, one line a group.
std::string checkSpriteLooks(const SpriteContent& content, const SpriteLayout& layout,
                             const std::map<int32_t, Image>& sheets, std::string_view file);

// The contrast ratio of two colours' relative luminances, 1 to 21.
double contrastRatio(double lighter, double darker);

}  // namespace content
