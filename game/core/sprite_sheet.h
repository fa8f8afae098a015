#pragma once
// Sprite sheets: the 128 slots of PNG images that every sprite is drawn
// from, each an engine raw texture (MRawTex: power-of-two texture, image in
// its top-left corner, tint, alpha and draw mode), and the sprite quad.
//
// The quads go to the root task's sprite layers through the SpriteTarget it
// installs; until one is installed, draws are dropped.
//
// Threads: main thread only (textures are made through the display).

#include <cstdint>

#include "engine/render/draw_mode.h"
#include "engine/render/quad_batch.h"

class M2DCameraLocator;
class MRawTex;
class MView;

inline constexpr int kSpriteSheetSlots = 128;

struct WheelRect {
    float x, y, w, h;
};

// What the root task lends the sprite draws.
struct SpriteTarget {
    M2DCameraLocator* (*drawLayer)(int layer);  // the locators of layers 0..1199
    MView* (*virtualScreenView)();
    void (*selectLayer)(int layer);  // the layer sprite draws append to
    // Appends a quad to the current layer; the layer drops it when full.
    void (*appendQuad)(MRawTex* sheet, MDrawMode mode, const MQuadBatch::Quad& quad);
    // Forgets every queued quad of the sheet before the sheet is deleted.
    void (*detachSheet)(MRawTex* sheet);
};
void setSpriteTarget(const SpriteTarget* target);
// Makes the draw layer the one that sprite draws append to.
void selectSpriteLayer(int layer);

// Places the draw layers (0 and 999..1098 on the output, 1..998 on the
// virtual screen, each at and pivoting about its centre, so that the game's
// (0, 0) is its screen's top-left corner), puts the virtual-screen
// view at minus half the virtual size and empties the sheet slots.
void SDL2_wheel_ScreenInit(int outputWidth, int outputHeight, int virtualWidth, int virtualHeight);
bool SDL2_wheel_ScreenIsBuilt();

// A new sheet from a PNG file, or null (logged) when it can't be read,
// decoded or made into a texture.
MRawTex* SDL2_wheel_TextureLoadPNG(const char* path);
// Replaces the sheet of the slot with the one loaded from the resource path
// of the name (null when that fails).
void SDL2_wheel_TextureLoad(int slot, const char* name);
// Deletes the sheet of the slot, if any.
void SDL2_wheel_TextureRelease(int slot);
// The sheet of a slot, null when empty or out of range.
MRawTex* SDL2_wheel_TextureGet(int slot);
// Puts a sheet into a slot, deleting the one there (for tools and tests).
void SDL2_wheel_TextureSet(int slot, MRawTex* sheet);

void SDL2_wheel_TextureSetColor(MRawTex* sheet, int r, int g, int b);
// Queues the source rectangle of the sheet drawn into the destination;
// flip 1 mirrors left and right, 2 top and bottom; angle in degrees.
void SDL2_wheel_TextureDraw(MRawTex* sheet, const WheelRect& source, const WheelRect& destination, int flip,
                            float angle);
void SDL2_wheel_TextureDrawSlot(int slot, const WheelRect& source, const WheelRect& destination);

// The quad SDL2_wheel_TextureDraw queues (apart from its colour).
MQuadBatch::Quad spriteQuad(const WheelRect& source, const WheelRect& destination, int flip, float angle);
