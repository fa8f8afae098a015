#pragma once
// decodePVRTC: PVRTC data (2 or 4 bits a pixel) into 32-bit pixels, 4 bytes
// each in the order red, green, blue, alpha. The device can't sample PVRTC,
// so the texture loader decodes it before upload.
//
// The format: 64-bit blocks of 8 x 4 (2 bits a pixel) or 4 x 4 pixels (4 bits
// a pixel) in Morton order; each block holds two colours and a modulation
// word. The two colour images are upscaled bilinearly, centred on the blocks
// and wrapping at the edges, and every pixel blends the two by its
// modulation value; 4-bit blocks may punch alpha through, 2-bit blocks may
// interpolate half their modulation values from the neighbours.
//
// Threads: any thread; no shared state.

#include <cstdint>

// mode 1: 2 bits a pixel; any other mode: 4 bits a pixel. The image is
// decoded at least 16 x 8 (2 bits) or 8 x 8 (4 bits) and its top-left width
// x height pixels reach output, rows width apart. Answers the bytes of data
// of the decoded size.
int32_t decodePVRTC(const uint8_t* data, int32_t mode, int32_t width, int32_t height, uint8_t* output);
