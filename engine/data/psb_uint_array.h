#pragma once
// A view of a packed unsigned array inside a PSB document (type bytes 13 to
// 16): a count of 1 to 4 bytes, a width byte, then count elements of 1 to 4
// bytes each, little-endian. Offset tables, key tables and the name
// dictionary are stored this way.

#include <cstdint>

struct PSBUIntArray {
    uint32_t size = 0;   // encoded size in bytes, type byte included
    uint32_t count = 0;
    uint32_t width = 0;  // bytes per element; 0 until init
    const uint8_t* data = nullptr;

    // Parses the array whose type byte is at `p`; the whole array must lie
    // before `end`, else the document is broken (fatal).
    void init(const uint8_t* p, const uint8_t* end);

    // Element i; an index at or past the count is fatal.
    uint32_t at(uint32_t i) const;
};

// An unsigned little-endian number of `bytes` bytes (0 to 8).
uint64_t psbReadUnsigned(const uint8_t* p, uint32_t bytes);
