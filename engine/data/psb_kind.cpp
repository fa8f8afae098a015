#include "engine/data/psb_kind.h"

namespace {

using K = PSBKind;

constexpr PSBKind kKinds[kPSBTypeCount] = {
    K::None,   K::Null,   K::Bool,   K::Bool,          K::Int,           K::Int,
    K::Int,    K::Int,    K::Int,    K::Long,          K::Long,          K::Long,
    K::Long,   K::Array,  K::Array,  K::Array,         K::Array,         K::Key,
    K::Key,    K::Key,    K::Key,    K::String,        K::String,        K::String,
    K::String, K::Resource, K::Resource, K::Resource,  K::Resource,      K::Float,
    K::Float,  K::Double, K::List,   K::Object,        K::ExtraResource, K::ExtraResource,
    K::ExtraResource, K::ExtraResource,
};

constexpr uint8_t kLengths[kPSBTypeCount] = {
    0, 1, 1, 1, 1,           // invalid, null, true, false, zero
    2, 3, 4, 5,              // 1..4-byte integers
    6, 7, 8, 9,              // 5..8-byte integers
    2, 3, 4, 5,              // packed arrays (their head only)
    2, 3, 4, 5,              // name indices
    2, 3, 4, 5,              // string indices
    2, 3, 4, 5,              // resource indices
    1, 5, 9,                 // float zero, single, double
    0, 0,                    // list, object
    2, 3, 4, 5,              // extra-resource indices
};

}  // namespace

PSBKind psbKindOf(uint8_t type) { return type < kPSBTypeCount ? kKinds[type] : K::None; }

uint32_t psbEncodedLength(uint8_t type) { return type < kPSBTypeCount ? kLengths[type] : 0; }

uint32_t psbPayloadBytes(uint8_t type) {
    const uint32_t length = psbEncodedLength(type);
    return length ? length - 1 : 0;
}
