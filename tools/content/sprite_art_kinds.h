#pragma once
// The sprite styles that give every kind of a family a shape of its own,
// in the look sprite_art gives every sheet: the fighters' shots by type
// (A needles, B arrowheads, C laser beams, D orbs; the gun units' smaller),
// the air enemies as hulls whose nose, wings, tail and engines follow from
// the range (the large ones armoured and gun-studded), the items as tokens
// with a mark of their own, and the mid-bosses' turrets, shutters and
// hulls.
//
// Threads: plain functions; each draws into its own cell.

#include "tools/content/raster.h"
#include "tools/content/sprite_layout.h"

namespace content {

void drawShotOfKind(Cell& c, const PlacedSprite& s);
void drawHull(Cell& c, const PlacedSprite& s);
void drawToken(Cell& c, const PlacedSprite& s);
void drawHeavy(Cell& c, const PlacedSprite& s);

}  // namespace content
