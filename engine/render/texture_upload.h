#pragma once
// How pixels reach a texture: uploadTexturePixels copies every level of an
// image description into the locked levels of a device texture;
// lockTextureDiscard opens level 0 of a dynamic texture that is rewritten
// whole (the glyph caches).
//
// Source rows lie nextPowerOfTwo(level width) pixels apart whatever the
// level's width; destination rows follow the lock's pitch. Block-compressed
// data (rows per pitch step 4) is copied a row of 4 x 4 blocks at a time.
//
// Threads: any thread, as the device allows for textures: one thread at a
// time per texture, and the texture is not drawn while an upload runs.

#include <cstdint>

#include "engine/render/texture_image_desc.h"
#include "engine/render/win_d3d_texture.h"
#include "platform/device/device.h"

// Fills every level of texture from desc, setting desc's level-0 pointer to
// its pixel pointer when it is null. A level whose lock fails, or whose
// description is larger than the texture's level, is left as it was.
void uploadTexturePixels(platform::Device& device, platform::Texture* texture, MTextureImageDesc& desc);

// Copies one level of desc into a locked level of pitch bytes per row (per
// row of blocks) and rows rows. Copies nothing for a depth other than 32, 16,
// 8 or 4 bits, a level without a size or pointer, or rows wider than the pitch.
void copyPixelsByDepth(const platform::LockedRect& locked, int rows, const MTextureImageDesc& desc, int level);

// Locks level 0 of the record's texture, discarding its contents. False when
// the lock fails; the caller unlocks level 0 after writing.
bool lockTextureDiscard(platform::Device& device, MWinD3DTexture* record, const platform::Rect* rect,
                        int& pitch, uint8_t*& bits);
