#include "game/core/draw_warm_up.h"

#include <algorithm>

#include "engine/render/display.h"
#include "engine/render/raw_tex.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/render/win_d3d_win.h"
#include "engine/ui/psb_font.h"
#include "game/core/game_main_draw.h"
#include "game/core/game_main_resources.h"
#include "game/core/sprite_frames.h"
#include "game/core/sprite_sheet.h"

namespace {

// The draw store's normal blend (a sheet's own mode) and its additive one.
constexpr MDrawMode kSpriteModes[] = {0, 1};

bool powerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

bool sameCode(const MWinD3DTexture& a, const MWinD3DTexture& b) {
    return a.format == b.format && a.minFilter == b.minFilter && a.magFilter == b.magFilter &&
           a.addressU == b.addressU && a.addressV == b.addressV && powerOfTwo(a.width) == powerOfTwo(b.width) &&
           powerOfTwo(a.height) == powerOfTwo(b.height);
}

MWinD3DTexture* entryTexture(const DrawWarmEntry& entry) {
    if (entry.font) return entry.font->sourceTexture(entry.source);
    MRawTex* sheet = SDL2_wheel_TextureGet(entry.slot);
    return sheet ? sheet->getTexture() : nullptr;
}

void addOnce(DrawWarmUp& warm, const DrawWarmEntry& entry) {
    const MWinD3DTexture* texture = entryTexture(entry);
    if (!texture) return;
    const bool listed = std::any_of(warm.entries.begin(), warm.entries.end(), [&](const DrawWarmEntry& e) {
        const MWinD3DTexture* other = entryTexture(e);
        return e.onScreen == entry.onScreen && e.mode == entry.mode && other && sameCode(*other, *texture);
    });
    if (!listed) warm.entries.push_back(entry);
}

}  // namespace

void drawWarmListSheets(DrawWarmUp& warm) {
    for (const StartupSheet& sheet : kStartupSheets) {
        for (MDrawMode mode : kSpriteModes) addOnce(warm, {sheet.slot, nullptr, 0, mode, false});
    }
    addOnce(warm, {OBJframeRow(kFrameBackdrop).sheet, nullptr, 0, 0, true});
}

void drawWarmListFont(DrawWarmUp& warm, MPSBFont& font) {
    for (size_t source = 0; source < font.sourceCount(); ++source) addOnce(warm, {-1, &font, source, 0, true});
}

void warmDrawStatesAhead(DrawWarmUp& warm, MVirtualScreenDriver* driver) {
    if (warm.sheetsListed && warm.next >= warm.entries.size()) return;
    MDisplay* display = MDisplay::getInstance();
    MWinD3DWin* win = display ? display->d3dWin() : nullptr;
    if (!win || !win->device()) return;
    if (!warm.sheetsListed) {
        drawWarmListSheets(warm);
        warm.sheetsListed = true;
    }
    for (int32_t drawn = 0; drawn < kDrawStatesWarmedPerFrame && warm.next < warm.entries.size();) {
        const DrawWarmEntry& entry = warm.entries[warm.next++];
        // Sprite batches and glyphs draw in colour mode 0.
        const MDrawWarmState state{entryTexture(entry), entry.mode, 0};
        if (!state.texture || (!entry.onScreen && !driver)) continue;
        if (entry.onScreen) {
            win->warmDrawStates(nullptr, &state, 1);
        } else {
            driver->warmDrawStates(&state, 1);
        }
        ++drawn;
    }
}
