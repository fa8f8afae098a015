#pragma once
// A view of a packed unsigned array inside a PSB document (type bytes 13 to
// 16): a count of 1 to 4 bytes, a width byte, then count elements of 1 to 4
// bytes each, little-endian. Offset tables, key tables and the name
// dictionary are stored this way.

#include <cstddef>
#include <cstdint>
#include <type_traits>

struct PSBUIntArray {
    uint32_t size = 0;   // encoded size in bytes, type byte included
    uint32_t count = 0;
    uint32_t width = 0;  // bytes per element; 0 until init
    const uint8_t* data = nullptr;

    // Parses the array whose type byte is at `p`; the whole array must lie
    // before `end`, else the document is broken (fatal).
    void init(const uint8_t* p, const uint8_t* end);

    // Element i; an index at or past the count is fatal. Inline: name
    // lookups read several elements per key byte.
    uint32_t at(uint32_t i) const {
        if (i >= count || width - 1 > 3) [[unlikely]]
            failAt(i);
        const uint8_t* e = data + size_t(i) * width;
        switch (width) {
        case 1: return readElement<1>(e);
        case 2: return readElement<2>(e);
        case 3: return readElement<3>(e);
        default: return readElement<4>(e);
        }
    }

    // Element i at a width the caller has dispatched on (withWidth), for the
    // lookup loops: no width switch per read.
    template <uint32_t W>
    uint32_t at(uint32_t i) const {
        if (i >= count) [[unlikely]]
            failAt(i);
        return readElement<W>(data + size_t(i) * W);
    }

    // Calls f with std::integral_constant<uint32_t, width>; an array that was
    // never initialised is fatal.
    template <class F>
    decltype(auto) withWidth(F&& f) const {
        switch (width) {
        case 1: return f(std::integral_constant<uint32_t, 1>{});
        case 2: return f(std::integral_constant<uint32_t, 2>{});
        case 3: return f(std::integral_constant<uint32_t, 3>{});
        case 4: return f(std::integral_constant<uint32_t, 4>{});
        default: failAt(0);
        }
    }

private:
    [[noreturn]] void failAt(uint32_t i) const;

    template <uint32_t W>
    static uint32_t readElement(const uint8_t* e) {
        uint32_t value = e[0];
        if constexpr (W > 1) value |= uint32_t(e[1]) << 8;
        if constexpr (W > 2) value |= uint32_t(e[2]) << 16;
        if constexpr (W > 3) value |= uint32_t(e[3]) << 24;
        return value;
    }
};

// An unsigned little-endian number of `bytes` bytes (0 to 8).
uint64_t psbReadUnsigned(const uint8_t* p, uint32_t bytes);
