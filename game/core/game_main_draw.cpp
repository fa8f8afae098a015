// The game's draw step, once a frame right after the update: what belongs to
// no object, then the frame's sort and flush.
#include <cstdio>

#include "game/core/app_switches.h"
#include "game/core/bitmap_text.h"
#include "game/core/credit_line.h"
#include "game/core/draw_store.h"
#include "game/core/game_main.h"
#include "game/core/game_main_draw.h"
#include "game/core/obj_work.h"
#include "game/core/pause_menu.h"
#include "game/frontend/menu_frame.h"
#include "game/frontend/scene_words.h"
#include "game/records/settings_file.h"

ObjWork* gameMainOwner = nullptr;
ObjWork* bigDigitOwner = nullptr;

namespace {

constexpr int32_t kFramePlainCell = 2687;
constexpr int32_t kFrameRowBar = 2833;
constexpr int32_t kFrameBigDigitBase = 2912;  // plus the character code

constexpr int32_t kLayerBackdrop = 0;
constexpr int32_t kLayerGlow = 802;
constexpr int32_t kLayerOverlay = 920;
constexpr int32_t kLayerFps = 930;

constexpr int32_t kWallpaperNone = 1;
constexpr int32_t kBlendNormal = 0;
constexpr int32_t kBlendAdd = 1;
constexpr float kCentreX = 112.0f;
constexpr float kDigitPitch = 18.0f;
constexpr float kGlowPitch = 32.0f;

void tint(ObjWork* owner, uint8_t r, uint8_t g, uint8_t b) {
    owner->r = r;
    owner->g = g;
    owner->b = b;
}

void white(ObjWork* owner) { tint(owner, 255, 255, 255); }

// Centred on the virtual screen's middle column.
void centredText(const char* text, float y) {
    const int32_t width = SDL2_wheel_TextWidth(text);
    OBJdrawText(gameMainOwner, text, kCentreX - float(width / 2), y, kLayerOverlay);
}

// The wallpaper round the play area, by "DISP_WALLTYPE": 0 the backdrop,
// 1 none (the plain dark output); any other value is taken as 0.
void drawWallpaper() {
    if (gameSettings.DISP_WALLTYPE == kWallpaperNone) return;
    white(gameMainOwner);
    OBJdrawSprite(gameMainOwner, kFrameBackdrop, 960.0f, 540.0f, kLayerBackdrop, 1.0f, 1.0f, 0.0f, 1.0f, kBlendNormal);
}

// Blinks with the frames-per-second window: on for counts 32 to 60. The
// prologue's tutorial draws its own prompt.
void drawStartPrompt() {
    if (attractMode != 1 || !arcadeMode || (fpsFrameCount & 0x20) == 0) return;
    centredText("PRESS START BUTTON ", rankingViewShown == 1 ? 262.0f : 141.0f);
}

void drawDimmingBand() {
    tint(gameMainOwner, 0, 0, 0);
    OBJdrawSprite(gameMainOwner, kFramePlainCell, kCentreX, 112.0f, kLayerOverlay, 8.0f, 4.0f, 0.0f, 0.5f,
                  kBlendNormal);
    white(gameMainOwner);
}

// Each row's bar slides in from the left as its timer falls to 0.
void drawPauseMenu() {
    drawDimmingBand();
    char text[64];
    std::snprintf(text, sizeof text, "%s", kPauseTitle);
    centredText(text, 76.0f);
    const auto& rows = pauseMenuRows();
    for (int i = 0; i < kPauseRows; ++i) {
        const float rowY = 118.0f + 12.0f * float(i);
        const int32_t t = pauseRowTimer[size_t(i)];
        if (t < kPauseRowTimerMax) {
            OBJdrawSprite(gameMainOwner, kFrameRowBar, kCentreX - float(2 * t * t), rowY - 9.0f, kLayerOverlay, 1.0f,
                          1.0f, 0.0f, 1.0f, kBlendNormal);
        }
        if (*rows[size_t(i)] == '\0') continue;
        std::snprintf(text, sizeof text, "%s", rows[size_t(i)]);
        centredText(text, rowY - 12.0f);
    }
}

// The seconds left, rounded up, in big digits centred at an 18-pixel pitch.
void drawResumeCountdown() {
    drawDimmingBand();
    char text[64];
    const int n = std::snprintf(text, sizeof text, "%d", pauseCountdown / 60 + 1);
    if (bigDigitOwner == nullptr) bigDigitOwner = OBJworkNew();
    if (bigDigitOwner == nullptr) return;
    white(bigDigitOwner);
    for (int k = 0; k < n && text[k] != '\0'; ++k) {
        const float x = kCentreX - (float(n) * 0.5f - 0.5f) * kDigitPitch + kDigitPitch * float(k);
        OBJdrawSprite(bigDigitOwner, kFrameBigDigitBase + text[k], x, 112.0f, kLayerOverlay, 1.0f, 1.0f, 0.0f, 1.0f,
                      kBlendNormal);
    }
}

void drawPauseOverlay() {
    if (pauseState == kPauseMenuShown) drawPauseMenu();
    if (pauseState == kPauseCountingDown) drawResumeCountdown();
}

void drawMenuFrameGlow() {
    if (menuFrameHidden == 1 || menuFrameGlowOn != 1) return;
    tint(gameMainOwner, 60, 60, 120);
    for (int c = 0; c < kMenuFrameGlowColumns; ++c) {
        for (int r = 0; r < kMenuFrameGlowRows; ++r) {
            const float v = menuFrameGlow[r][c];
            if (v <= 0.0f) continue;
            OBJdrawSprite(gameMainOwner, kFramePlainCell, kGlowPitch * float(c), kGlowPitch * float(r), kLayerGlow,
                          1.0f, 1.0f, 0.0f, v, kBlendAdd);
        }
    }
    white(gameMainOwner);
}

// Right-aligned at x 220.
void drawFps() {
    if (gameSettings.FPS_DISP == 0) return;
    char text[128];
    std::snprintf(text, sizeof text, "FPS:%2.1f", double(fpsValue));
    OBJdrawText(gameMainOwner, text, 220.0f - float(SDL2_wheel_TextWidth(text)), 258.0f, kLayerFps);
}

}  // namespace

void gameMainQueueOverlays() {
    // The initialisation makes the owner; a draw before it makes its own.
    if (gameMainOwner == nullptr) gameMainOwner = OBJworkNew();
    if (gameMainOwner == nullptr) return;
    drawWallpaper();
    drawStartPrompt();
    creditLineDraw();
    drawPauseOverlay();
    drawMenuFrameGlow();
    drawFps();
}

void gameMainDraw() {
    gameMainQueueOverlays();
    OBJdrawSortLayers();
    OBJdrawFlush();
}
