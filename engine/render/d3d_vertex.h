#pragma once
// The vertex layouts the draw primitives hand the device, byte for byte.

#include <cstdint>

// Vertex format 1: position in the display's coordinates, ARGB colour, one
// texture coordinate pair.
struct D3DColouredVertex {
    float x, y, z;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(D3DColouredVertex) == 24);

// Vertex format 2: as above with a second coordinate pair.
struct D3DTwoTextureVertex {
    float x, y, z;
    uint32_t colour;
    float u0, v0;
    float u1, v1;
};
static_assert(sizeof(D3DTwoTextureVertex) == 32);

// Vertex format 0: pixel coordinates of the target with reciprocal w, drawn
// without the display's transform (copies between targets).
struct D3DScreenVertex {
    float x, y, z, rhw;
    uint32_t colour;
    float u, v;
};
static_assert(sizeof(D3DScreenVertex) == 28);
