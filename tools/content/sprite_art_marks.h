#pragma once
// The sprite styles of the play screen's marks, in the look sprite_art
// gives every sheet: numerals (the result tally's and the score popups',
// drawn as rounded strokes with a dark rim), the flames of a damaged boss,
// the fighter's exhaust burners, the power-up ring, the blow marker's glint
// and the small tags words are drawn on.
//
// Threads: plain functions; each draws into its own cell.

#include "tools/content/raster.h"
#include "tools/content/sprite_layout.h"

namespace content {

// Numerals: cell index i draws digit i mod 12 (10 is "+", 11 is "x"); the
// range's place among its group's ranges picks the colour.
void drawDigit(Cell& c, const PlacedSprite& s);
// A flickering flame with smoke above it; the cells are its animation.
void drawFlame(Cell& c, const PlacedSprite& s);
// An exhaust flame at the bottom of a fighter-sized cell, in the trim of
// the fighter the range belongs to; four cells flicker, five banks lean.
void drawBurner(Cell& c, const PlacedSprite& s);
// A thin glowing ring filling the cell.
void drawRing(Cell& c, const PlacedSprite& s);
// A four-pointed glint with a soft halo.
void drawBurst(Cell& c, const PlacedSprite& s);
// A rounded gold tag for a word; odd cells are the dimmer half of a blink.
void drawTag(Cell& c, const PlacedSprite& s);

}  // namespace content
