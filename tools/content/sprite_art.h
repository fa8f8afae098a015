#pragma once
// The pictures of the sprites, one drawing style a group: the look every
// sheet shares. Fighters are steel with a coloured trim and a burner; the
// fighter's shots are cool blue needles; enemy shots are hot, round and
// glowing with a white core; items are gold tokens with a dark rim;
// explosions and smoke are animations across their range; enemies are
// olive and grey with red lights; the interface is dark glass panels with a
// cyan edge, and its icons (signal bars, cursor chevrons, highlight bars,
// segmented gauges, helmeted pilot portraits, the replay's input arrows and
// buttons) are drawn in the same glass, white and the pilots' trims. Fonts
// and subtitles are drawn elsewhere (FreeType).
//
// Threads: plain functions; each draws into its own cell.

#include "tools/content/raster.h"
#include "tools/content/sprite_layout.h"

namespace content {

// Draws the sprite into the cell of its rectangle.
void drawSprite(Cell& cell, const PlacedSprite& sprite);

}  // namespace content
