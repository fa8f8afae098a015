#pragma once
// The draw warm-up: the draw states the game's sprites and font text meet
// first, each drawn once with no area a few a frame while the boot loads run,
// so that a software rasteriser generates its code for them then rather than
// at play's first draw with them (tens of milliseconds each, a visible hitch).
//
// The list: every base sprite sheet in the draw store's normal and additive
// blends into the virtual screen and the backdrop's sheet in the normal blend
// on the screen (listed at the first frame step, the sheets being in by
// then), and each font's source images in the normal blend on the screen,
// where the text lines are (added as each font is made). Textures that
// differ in nothing the rasteriser's code depends on (format, filters,
// address modes, power-of-two size) share one entry.
//
// Threads: main thread only, from the root task's steps (outside any frame's
// draw).

#include <cstddef>
#include <cstdint>
#include <vector>

#include "engine/render/draw_mode.h"

class MPSBFont;
class MVirtualScreenDriver;

inline constexpr int32_t kDrawStatesWarmedPerFrame = 2;

// A sprite sheet's slot or a font's source image. The texture is looked up
// again when the entry is drawn, as a sheet may have been replaced since.
struct DrawWarmEntry {
    int slot = -1;  // sprite-sheet slot, or -1 for the font's source
    MPSBFont* font = nullptr;
    size_t source = 0;
    MDrawMode mode = 0;
    bool onScreen = false;  // the screen's target, else the virtual screen's
};

struct DrawWarmUp {
    std::vector<DrawWarmEntry> entries;
    size_t next = 0;
    bool sheetsListed = false;
};

// Adds the entries of the sheets now in their slots.
void drawWarmListSheets(DrawWarmUp& warm);
// Adds the entries of the font's source images (making their textures, as
// its first glyphs would). The font must outlive the warm-up's use of it.
void drawWarmListFont(DrawWarmUp& warm, MPSBFont& font);

// Lists the sheets on its first call with a display, then draws up to
// kDrawStatesWarmedPerFrame of the entries not drawn yet; nothing while all
// are drawn. Entries whose texture is gone, or for the virtual screen
// without a driver, are passed over.
void warmDrawStatesAhead(DrawWarmUp& warm, MVirtualScreenDriver* driver);
