#pragma once
// The pixel converters of PSB images: bit-field widening and narrowing, byte
// orders, and the tiled and palette layouts of the console platforms. Every
// converter that writes 32-bit pixels writes them in the device's A8R8G8B8
// memory order: bytes B, G, R, A.
//
// The callers (psb_texture_pixels.h) check that the source holds what a
// converter reads: the sizes a converter needs are given beside it.
//
// Threads: any thread; no shared state.

#include <cstddef>
#include <cstdint>

// The bits-wide field of value at shift, widened to 8 bits.
uint32_t expandBits(uint32_t value, int bits, int shift);
// An 8-bit value narrowed (or, above 8 bits, widened) to bits bits.
uint32_t scaleByteToBits(uint32_t value, int bits);
// An 8-bit value as a bits-wide field at shift, within 16 bits.
uint32_t packBits(uint32_t value, int bits, int shift);

// Bytes (R, G, B, A) to (B, G, R, A); source and destination may be the same.
void swapRedBlue(const uint8_t* source, uint8_t* destination, size_t pixels);
// Each 4-byte pixel's bytes reversed; source and destination may be the same.
void reversePixelBytes(const uint8_t* source, uint8_t* destination, size_t pixels);

// A big-endian RGB5A3 value as an A8R8G8B8 word.
uint32_t rgb5a3ToArgb(uint16_t value);

// Tiles in row order, ceil(width / tile width) x ceil(height / tile height)
// of them; the source holds tiledBytes(...) bytes. destinationStride is the
// bytes between destination rows; pixels of a tile beyond the image are
// skipped.
size_t tiledBytes(int width, int height, int tileWidth, int tileHeight, int bitsPerPixel);
// 4 x 4 tiles of 64 bytes: 16 (A, R) pairs, then 16 (G, B) pairs.
void convertRGBA8Tiled(const uint8_t* source, uint8_t* destination, size_t destinationStride, int width,
                       int height);
// 4 x 4 tiles of big-endian RGB5A3 values.
void convertRGB5A3Tiled(const uint8_t* source, uint8_t* destination, size_t destinationStride, int width,
                        int height);
// 8 x 4 tiles of 8-bit indices into a palette of big-endian RGB5A3 values
// (paletteEntries of them). False when an index lies past the palette.
bool convertCI8Tiled(const uint8_t* source, const uint8_t* palette, size_t paletteEntries, uint8_t* destination,
                     size_t destinationStride, int width, int height);
// 8 x 8 tiles of 4-bit indices, the high nibble first; otherwise as CI8.
bool convertCI4Tiled(const uint8_t* source, const uint8_t* palette, size_t paletteEntries, uint8_t* destination,
                     size_t destinationStride, int width, int height);

// A handheld's swizzled layout: blocks of 16 bytes x 8 rows in row order,
// rowBytes rounded up to whole blocks and height to whole blocks of rows.
// Writes the plain rows, rowBytes apart. The source holds
// swizzledBytes(rowBytes, height) bytes.
size_t swizzledBytes(size_t rowBytes, int height);
void unswizzleBlocks(const uint8_t* source, uint8_t* destination, size_t rowBytes, int height);
