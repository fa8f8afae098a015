#pragma once
// The stage background tiles. Each layer is one picture, cut into tiles of
// the layer's size and placed in the grid the background layers read: tile
// i in column i mod C and row i / C, row 0 at the top of the picture (its
// placement y highest) and each next row one tile further down. Every
// picture repeats every 288 pixels down and every 7 tiles across, so a
// scroll that wraps by a multiple of 288 loops without a seam; tiles that
// repeat share one cell, and tiles with nothing on them take the sheet's
// top-left cell, the empty tile the layers never draw.
//
// Threads: layoutStageTiles spreads its drawing over two threads.

#include <cstdint>
#include <map>
#include <vector>

#include "tools/content/png_image.h"
#include "tools/content/sprite_layout.h"

namespace content {

// The vertical repeat of every stage picture, in pixels.
inline constexpr int32_t kTileRepeatY = 288;

// Draws the tiles onto their sheets (made here, keyed by slot) and fills the
// layers' rows.
void layoutStageTiles(const SpriteContent& content, std::vector<FrameRow>& rows, std::map<int32_t, Image>& sheets);

}  // namespace content
