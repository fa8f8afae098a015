#pragma once
// decodeETC1: ETC1 blocks (8 bytes a 4 x 4 block, blocks in row order) into
// 32-bit A8R8G8B8 pixels, alpha always 255. The device can't sample ETC1, so
// the texture loader decodes it before upload.
//
// Threads: any thread; no shared state.

#include <cstdint>

// output holds width x height pixels, rows width apart. data holds the
// blocks that cover the image, ceil(width / 4) x ceil(height / 4) of them;
// an image whose size is not a multiple of 4 is decoded whole blocks at a
// time aside and only its visible part reaches output. Answers the bytes of
// data consumed.
int32_t decodeETC1(const uint8_t* data, int32_t width, int32_t height, uint32_t* output);
