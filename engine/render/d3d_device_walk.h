#pragma once
// Device creation with fall-backs: rows of {device type, behaviour} tried in
// order, pure devices first, the reference rasteriser last.

#include <memory>
#include <vector>

#include "platform/device/device.h"

struct D3DDeviceRow {
    platform::DeviceType type;  // the end row has type 0
    uint32_t behaviour;
};

// The table for the adapter: A for vertex shader 1.0 or later, else B.
const D3DDeviceRow* deviceFallbackTable(const platform::DeviceCaps& caps);

// Walks the table: without the pure-device setting every other row (the pure
// one first) is skipped. Each row reached is tried with the multithreaded and
// FPU-preserving flags added; the first device made ends the walk.
std::unique_ptr<platform::Device> createDeviceByFallback(platform::DeviceFactory& factory, int adapter,
                                                         const platform::DeviceCaps& caps, bool pureDevice,
                                                         platform::WindowHandle window,
                                                         const platform::PresentParams& params);
