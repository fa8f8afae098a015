#include "engine/render/texture_upload.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace {

// Where one level's rows lie. A group is one destination row: one pixel row,
// or one row of blocks when rows come rows-per-pitch-step at a time.
struct LevelLayout {
    size_t groupBytes = 0;
    size_t sourceStride = 0;
    int groups = 0;
};

int ceilDiv(int n, int d) { return (n + d - 1) / d; }

bool layoutOf(const MTextureImageDesc& desc, int level, LevelLayout& out) {
    const int bits = desc.bitsPerPixel;
    if (bits != 32 && bits != 16 && bits != 8 && bits != 4) return false;
    if (level < 0 || level >= int(desc.levelSizes.size())) return false;
    const MTextureLevelSize size = desc.levelSizes[size_t(level)];
    if (size.width < 1 || size.height < 1) return false;
    const int r = std::max(desc.rowsPerPitchStep, 1);
    const int sourceWidth = int(std::bit_ceil(uint32_t(size.width)));
    // Whole cells of r x r pixels, so a level narrower or lower than a block
    // still takes its one block, and the source's rows of blocks are as wide
    // as its padded width allows.
    const auto cellRowBytes = [&](int width) { return (size_t(ceilDiv(width, r)) * r * r * bits + 7) / 8; };
    out.groupBytes = cellRowBytes(size.width);
    out.sourceStride = cellRowBytes(sourceWidth);
    out.groups = ceilDiv(size.height, r);
    return true;
}

const uint8_t* levelSource(const MTextureImageDesc& desc, int level) {
    const void* p = level < int(desc.levelPixels.size()) ? desc.levelPixels[size_t(level)] : nullptr;
    if (!p && level == 0) p = desc.pixels;
    return static_cast<const uint8_t*>(p);
}

}  // namespace

void copyPixelsByDepth(const platform::LockedRect& locked, int rows, const MTextureImageDesc& desc, int level) {
    LevelLayout layout;
    if (!locked.bits || !layoutOf(desc, level, layout)) return;
    const uint8_t* source = levelSource(desc, level);
    if (!source || layout.groupBytes > size_t(locked.pitch)) return;
    const int groups = std::min(layout.groups, rows);
    for (int g = 0; g < groups; ++g) {
        std::memcpy(locked.bits + size_t(g) * size_t(locked.pitch), source + size_t(g) * layout.sourceStride,
                    layout.groupBytes);
    }
}

void uploadTexturePixels(platform::Device& device, platform::Texture* texture, MTextureImageDesc& desc) {
    if (!texture) return;
    const platform::TextureDesc& target = texture->desc();
    if (!desc.levelPixels.empty() && !desc.levelPixels[0]) desc.levelPixels[0] = desc.pixels;
    const int levels = std::min({desc.levelCount, target.levels, int(desc.levelSizes.size())});
    for (int level = 0; level < levels; ++level) {
        const int width = std::max(1, target.width >> level), height = std::max(1, target.height >> level);
        const MTextureLevelSize size = desc.levelSizes[size_t(level)];
        if (size.width > width || size.height > height) continue;
        // A description as large as the level writes every byte of it: the
        // lock need not clear them first.
        LevelLayout layout;
        const bool whole = layoutOf(desc, level, layout) && levelSource(desc, level) &&
                           layout.groupBytes == size_t(platform::rowPitch(target.format, width)) &&
                           layout.groups == platform::pitchRows(target.format, height);
        platform::LockedRect locked;
        if (!device.lockTexture(texture, level, nullptr, whole, locked)) continue;
        copyPixelsByDepth(locked, platform::pitchRows(target.format, height), desc, level);
        device.unlockTexture(texture, level);
    }
}

bool lockTextureDiscard(platform::Device& device, MWinD3DTexture* record, const platform::Rect* rect, int& pitch,
                        uint8_t*& bits) {
    if (!record || !record->texture) return false;
    platform::LockedRect locked;
    if (!device.lockTexture(record->texture, 0, rect, true, locked)) return false;
    pitch = locked.pitch;
    bits = locked.bits;
    return true;
}
