#pragma once
// What each of the 38 type bytes of a PSB value is, and how long a value of a
// fixed-size kind is encoded (type byte included).

#include <cstdint>

enum class PSBKind : uint8_t {
    None,  // type byte 0 and anything above 37
    Null,
    Bool,
    Int,     // up to 4 payload bytes
    Long,    // 5 to 8 payload bytes
    Array,   // packed unsigned array; never a value of its own
    Key,     // name index
    String,
    Resource,
    Float,
    Double,
    List,
    Object,
    ExtraResource,
};

// The public types that PSBValue::getType answers.
enum PSBType : int {
    kPSBNull = 0,
    kPSBBool = 1,
    kPSBInteger = 2,
    kPSBFloat = 3,
    kPSBString = 4,
    kPSBResource = 5,
    kPSBList = 6,
    kPSBObject = 7,
};

constexpr uint8_t kPSBTypeCount = 38;

PSBKind psbKindOf(uint8_t type);

// 0 for the kinds whose length depends on their contents (lists, objects)
// and for the invalid type bytes.
uint32_t psbEncodedLength(uint8_t type);

// Number of payload bytes of an integer, index or packed-array count.
uint32_t psbPayloadBytes(uint8_t type);
