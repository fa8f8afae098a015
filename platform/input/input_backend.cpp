#include "platform/input/input_backend.h"

#include "platform/input/sdl_input_backend.h"

namespace platform {

namespace {
InputBackend* installed = nullptr;
}

JoyState JoyState::resting() {
    JoyState state;
    state.x = state.y = state.z = kJoyAxisCentre;
    for (uint32_t& pov : state.pov) pov = kJoyPovCentred;
    return state;
}

ProductGuid ProductGuid::fromUsb(uint16_t vendor, uint16_t product) {
    ProductGuid guid;
    guid.data1 = uint32_t(product) << 16 | vendor;
    const uint8_t tail[8] = {0, 0, 'P', 'I', 'D', 'V', 'I', 'D'};
    for (int i = 0; i < 8; ++i) guid.data4[i] = tail[i];
    return guid;
}

InputBackend& currentInputBackend() {
    if (installed) return *installed;
    static SdlInputBackend sdl;
    return sdl;
}

void setInputBackend(InputBackend* backend) { installed = backend; }

}  // namespace platform
