#pragma once
// The identity of the PSB value a shared curve was built from: its document
// and its place in that document, ordered as a pair.
//
// Threads: a plain value.

#include <compare>
#include <cstdint>

#include "engine/data/psb_value.h"

struct MMotionCurveKey {
    uintptr_t document = 0;
    uintptr_t value = 0;

    static MMotionCurveKey of(const PSBValue& v) {
        return {reinterpret_cast<uintptr_t>(v.document()), reinterpret_cast<uintptr_t>(v.pointer())};
    }
    auto operator<=>(const MMotionCurveKey&) const = default;
};
