#pragma once
// The PSB header: where each field lies, as offsets from the document's first
// byte, and how long the header is in each version. The reader and our
// writer both go through this one table.

#include <cstddef>
#include <cstdint>

namespace psb_header {

constexpr size_t kVersionAt = 4;
constexpr size_t kFlagsAt = 6;
constexpr size_t kNameOffsetsAt = 8;
constexpr size_t kNamesAt = 12;
constexpr size_t kStringOffsetsAt = 16;
constexpr size_t kStringTextsAt = 20;
constexpr size_t kResourceOffsetsAt = 24;
constexpr size_t kResourceSizesAt = 28;
constexpr size_t kResourceDataAt = 32;
constexpr size_t kRootAt = 36;
constexpr size_t kExtraOffsetsAt = 44;
constexpr size_t kExtraSizesAt = 48;
constexpr size_t kExtraDataAt = 52;

constexpr size_t sizeFor(uint16_t version) {
    if (version >= 4) return 56;
    return version == 3 ? 44 : 40;
}

}  // namespace psb_header
