#include "game/stages/field_layers_provisional.h"

#include <cstddef>

std::array<ObjPoint, 4> fieldLayerShift{};
std::array<ObjPoint, 4> fieldLayerOffset{};
FieldLayerTint fieldLayerSharedTint{255, 255, 255};

ObjPoint fieldLayerShiftOf(int32_t slot) {
    if (slot < 1 || slot > 4) return {0.0f, 0.0f};
    return fieldLayerShift[size_t(slot - 1)];
}

ObjPoint fieldLayerOffsetOf(int32_t slot) {
    if (slot < 1 || slot > 4) return {0.0f, 0.0f};
    return fieldLayerOffset[size_t(slot - 1)];
}
