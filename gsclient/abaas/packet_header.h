#pragma once
// The two 16-byte packet headers, each described once as a table of fields;
// multi-byte fields are big-endian. Both the codec and the test peer's
// counterpart in C++ (the fuzzer's seeds) read and write through these.

#include <cstddef>
#include <cstdint>

namespace am::abaas {

struct HeaderField {
    std::size_t offset;
    std::size_t width;
};

inline constexpr std::uint8_t kPacketMagic = 0x01;

namespace request_header {
inline constexpr HeaderField kMagic0{0, 1};
inline constexpr HeaderField kMagic1{1, 1};
inline constexpr HeaderField kMajor{2, 1};
inline constexpr HeaderField kMinor{3, 1};
inline constexpr HeaderField kGameId{4, 4};
inline constexpr HeaderField kCrc{8, 4};
inline constexpr HeaderField kRandom{12, 4};
}  // namespace request_header

namespace reply_header {
inline constexpr HeaderField kMagic0{0, 1};
inline constexpr HeaderField kMagic1{1, 1};
inline constexpr HeaderField kStatus{2, 2};
inline constexpr HeaderField kCrc{4, 4};
inline constexpr HeaderField kPlainLength{8, 4};
inline constexpr HeaderField kUnused{12, 4};
}  // namespace reply_header

inline std::uint32_t readField(const std::uint8_t* header, HeaderField field) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < field.width; ++i) value = value << 8 | header[field.offset + i];
    return value;
}

inline void writeField(std::uint8_t* header, HeaderField field, std::uint32_t value) {
    for (std::size_t i = field.width; i-- > 0;) {
        header[field.offset + i] = static_cast<std::uint8_t>(value);
        value >>= 8;
    }
}

}  // namespace am::abaas
