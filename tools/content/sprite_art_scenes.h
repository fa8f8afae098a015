#pragma once
// The sprite styles of the screens' and stages' set pieces, in the look
// sprite_art gives every sheet: the menus' cursor frames, the staff-roll
// mini-game's figures, backdrops and frame, the arena's and the gate's
// frames and sliding leaves, the falling block and the satellite.
//
// Threads: plain functions; each draws into its own cell.

#include "tools/content/raster.h"
#include "tools/content/sprite_layout.h"

namespace content {

// Glowing corner brackets around the cell; odd cells are dimmer.
void drawCursor(Cell& c, const PlacedSprite& s);
// The staff-roll figures: the group's first two ranges are the character
// (stunned, then falling, thrusting and idle pairs), each later range a
// partner kind of its own shape and colour, its cells poses 3, 4, 0, 1, 2.
void drawFigure(Cell& c, const PlacedSprite& s);
// A night sky that brightens with the cell's place (the staff roll's
// level), with a horizon of hills; a single cell is a frame alone.
void drawSky(Cell& c, const PlacedSprite& s);
// The stage set pieces that slide open: in each range the cell whose place
// is the frame (first of the arena's, last of the gate's) is a heavy
// frame, the others the left and right leaf, each filling its half.
void drawDoor(Cell& c, const PlacedSprite& s);
// A riveted armour block turning a sixth of a turn a cell.
void drawBlock(Cell& c, const PlacedSprite& s);
// A core with two solar wings.
void drawSatellite(Cell& c, const PlacedSprite& s);

}  // namespace content
