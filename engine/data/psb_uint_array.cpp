#include "engine/data/psb_uint_array.h"

#include <cstddef>

#include "engine/data/psb_fatal.h"

namespace {

constexpr uint8_t kFirstArrayType = 13;
constexpr uint8_t kLastArrayType = 16;

bool isWidthByte(uint8_t b) { return b >= kFirstArrayType && b <= kLastArrayType; }

}  // namespace

uint64_t psbReadUnsigned(const uint8_t* p, uint32_t bytes) {
    uint64_t value = 0;
    for (uint32_t i = 0; i < bytes; ++i) value |= uint64_t(p[i]) << (8 * i);
    return value;
}

void PSBUIntArray::init(const uint8_t* p, const uint8_t* end) {
    const size_t available = end > p ? size_t(end - p) : 0;
    if (available < 1 || !isWidthByte(p[0])) psbBroken("packed array expected");
    const uint32_t countBytes = p[0] - 12u;
    if (available < 2 + countBytes) psbBroken("packed array head runs past the end");
    const uint8_t widthByte = p[1 + countBytes];
    if (!isWidthByte(widthByte)) psbBroken("a packed array's element width is out of range");
    const uint64_t elements = psbReadUnsigned(p + 1, countBytes);
    const uint64_t encoded = 2 + countBytes + elements * (widthByte - 12u);
    if (encoded > available || encoded > UINT32_MAX) psbBroken("packed array runs past the end");
    size = uint32_t(encoded);
    count = uint32_t(elements);
    width = widthByte - 12u;
    data = p + 2 + countBytes;
}

void PSBUIntArray::failAt(uint32_t i) const {
    if (width < 1 || width > 4) psbFatal("psb: internal error: access to uninitialized array structure.\n");
    psbBroken(i >= count ? "index past the end of a packed array" : "bad packed array");
}
