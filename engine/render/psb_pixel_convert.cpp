#include "engine/render/psb_pixel_convert.h"

#include <algorithm>
#include <cstring>

namespace {

void putArgb(uint8_t* p, uint32_t argb) {
    p[0] = uint8_t(argb);
    p[1] = uint8_t(argb >> 8);
    p[2] = uint8_t(argb >> 16);
    p[3] = uint8_t(argb >> 24);
}

uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

int tilesAcross(int size, int tile) { return (size + tile - 1) / tile; }

// Calls put(x, y, i) for pixel i of each tile in row order, skipping the
// pixels of edge tiles that lie beyond the image.
template <typename Put>
void forEachTiledPixel(int width, int height, int tileWidth, int tileHeight, Put put) {
    size_t i = 0;
    for (int ty = 0; ty < tilesAcross(height, tileHeight); ++ty) {
        for (int tx = 0; tx < tilesAcross(width, tileWidth); ++tx) {
            for (int py = 0; py < tileHeight; ++py) {
                for (int px = 0; px < tileWidth; ++px, ++i) {
                    const int x = tx * tileWidth + px, y = ty * tileHeight + py;
                    if (x < width && y < height) put(x, y, i);
                }
            }
        }
    }
}

uint16_t bigEndian16(const uint8_t* p) { return uint16_t(p[0] << 8 | p[1]); }

template <typename IndexAt>
bool convertIndexed(const uint8_t* palette, size_t paletteEntries, uint8_t* destination, size_t stride, int width,
                    int height, int tileWidth, int tileHeight, IndexAt indexAt) {
    bool inRange = true;
    forEachTiledPixel(width, height, tileWidth, tileHeight, [&](int x, int y, size_t i) {
        const size_t index = indexAt(i);
        uint8_t* out = destination + size_t(y) * stride + size_t(x) * 4;
        if (index >= paletteEntries) {
            inRange = false;
            putArgb(out, 0);
            return;
        }
        putArgb(out, rgb5a3ToArgb(bigEndian16(palette + index * 2)));
    });
    return inRange;
}

}  // namespace

uint32_t expandBits(uint32_t value, int bits, int shift) {
    const uint32_t field = (value >> shift) & ((1u << bits) - 1);
    if (bits == 8) return field;
    if (bits > 8) return field >> (bits - 8);
    if (bits >= 4) return (field << (8 - bits)) | (field >> (2 * bits - 8));
    return field * 255 / ((1u << bits) - 1);
}

uint32_t scaleByteToBits(uint32_t value, int bits) {
    if (bits < 8) return value >> (8 - bits);
    if (bits <= 16) return ((value >> (16 - bits)) | (value << (bits - 8))) & 0xFFFF;
    const uint64_t wide = (uint64_t(value) << bits) - value;
    return uint32_t((wide + 127) / 255);
}

uint32_t packBits(uint32_t value, int bits, int shift) {
    const uint32_t field = bits == 8 ? value : scaleByteToBits(value, bits);
    return (field << shift) & 0xFFFF;
}

void swapRedBlue(const uint8_t* source, uint8_t* destination, size_t pixels) {
    for (size_t i = 0; i < pixels * 4; i += 4) {
        const uint8_t r = source[i], g = source[i + 1], b = source[i + 2], a = source[i + 3];
        destination[i] = b;
        destination[i + 1] = g;
        destination[i + 2] = r;
        destination[i + 3] = a;
    }
}

void reversePixelBytes(const uint8_t* source, uint8_t* destination, size_t pixels) {
    for (size_t i = 0; i < pixels * 4; i += 4) {
        const uint8_t b0 = source[i], b1 = source[i + 1], b2 = source[i + 2], b3 = source[i + 3];
        destination[i] = b3;
        destination[i + 1] = b2;
        destination[i + 2] = b1;
        destination[i + 3] = b0;
    }
}

uint32_t rgb5a3ToArgb(uint16_t v) {
    const auto five = [](uint32_t f) { return (f << 3) | (f >> 2); };
    if (v & 0x8000) return argb(255, five((v >> 10) & 31), five((v >> 5) & 31), five(v & 31));
    return argb(((v >> 12) & 7) * 255 / 7, ((v >> 8) & 15) * 17, ((v >> 4) & 15) * 17, (v & 15) * 17);
}

size_t tiledBytes(int width, int height, int tileWidth, int tileHeight, int bitsPerPixel) {
    const size_t tiles = size_t(tilesAcross(width, tileWidth)) * size_t(tilesAcross(height, tileHeight));
    return tiles * size_t(tileWidth * tileHeight * bitsPerPixel / 8);
}

void convertRGBA8Tiled(const uint8_t* source, uint8_t* destination, size_t stride, int width, int height) {
    forEachTiledPixel(width, height, 4, 4, [&](int x, int y, size_t i) {
        const uint8_t* tile = source + i / 16 * 64;
        const size_t k = i % 16;
        putArgb(destination + size_t(y) * stride + size_t(x) * 4,
                argb(tile[2 * k], tile[2 * k + 1], tile[32 + 2 * k], tile[32 + 2 * k + 1]));
    });
}

void convertRGB5A3Tiled(const uint8_t* source, uint8_t* destination, size_t stride, int width, int height) {
    forEachTiledPixel(width, height, 4, 4, [&](int x, int y, size_t i) {
        putArgb(destination + size_t(y) * stride + size_t(x) * 4, rgb5a3ToArgb(bigEndian16(source + i * 2)));
    });
}

bool convertCI8Tiled(const uint8_t* source, const uint8_t* palette, size_t paletteEntries, uint8_t* destination,
                     size_t stride, int width, int height) {
    return convertIndexed(palette, paletteEntries, destination, stride, width, height, 8, 4,
                          [source](size_t i) { return size_t(source[i]); });
}

bool convertCI4Tiled(const uint8_t* source, const uint8_t* palette, size_t paletteEntries, uint8_t* destination,
                     size_t stride, int width, int height) {
    return convertIndexed(palette, paletteEntries, destination, stride, width, height, 8, 8, [source](size_t i) {
        const uint8_t pair = source[i / 2];
        return size_t(i % 2 == 0 ? pair >> 4 : pair & 15);
    });
}

size_t swizzledBytes(size_t rowBytes, int height) {
    return (rowBytes + 15) / 16 * 16 * size_t(tilesAcross(height, 8)) * 8;
}

void unswizzleBlocks(const uint8_t* source, uint8_t* destination, size_t rowBytes, int height) {
    const size_t blocksAcross = (rowBytes + 15) / 16;
    for (int y = 0; y < height; ++y) {
        const size_t blockRow = size_t(y / 8), rowInBlock = size_t(y % 8);
        for (size_t bx = 0; bx < blocksAcross; ++bx) {
            const uint8_t* block = source + ((blockRow * blocksAcross + bx) * 8 + rowInBlock) * 16;
            const size_t x = bx * 16;
            std::memcpy(destination + size_t(y) * rowBytes + x, block, std::min<size_t>(16, rowBytes - x));
        }
    }
}
