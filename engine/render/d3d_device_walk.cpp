#include "engine/render/d3d_device_walk.h"

using platform::DeviceType;

namespace {

constexpr uint32_t kHardwareVp = platform::kBehaviourHardwareVertexProcessing;
constexpr uint32_t kSoftwareVp = platform::kBehaviourSoftwareVertexProcessing;
constexpr uint32_t kPure = platform::kBehaviourPureDevice;

const D3DDeviceRow kTableA[] = {
    {DeviceType::Hardware, kPure | kHardwareVp},
    {DeviceType::Hardware, kHardwareVp},
    {DeviceType::Reference, kHardwareVp},
    {DeviceType::Reference, kSoftwareVp},
    {DeviceType(0), 0},
};

const D3DDeviceRow kTableB[] = {
    {DeviceType::Hardware, kHardwareVp},
    {DeviceType::Reference, kHardwareVp},
    {DeviceType::Reference, kSoftwareVp},
    {DeviceType(0), 0},
};

}  // namespace

const D3DDeviceRow* deviceFallbackTable(const platform::DeviceCaps& caps) {
    return caps.vertexShaderVersion >= 0xFFFE0100u ? kTableA : kTableB;
}

std::unique_ptr<platform::Device> createDeviceByFallback(platform::DeviceFactory& factory, int adapter,
                                                         const platform::DeviceCaps& caps, bool pureDevice,
                                                         platform::WindowHandle window,
                                                         const platform::PresentParams& params) {
    const uint32_t always = platform::kBehaviourMultithreaded | platform::kBehaviourFpuPreserve;
    const D3DDeviceRow* row = deviceFallbackTable(caps);
    // Each step moves one row, and one more without the pure-device setting;
    // the end row is never stepped over, so the walk can't run off the table.
    for (;;) {
        if (!pureDevice) {
            if (uint32_t(row->type) == 0) break;
            ++row;
        }
        if (uint32_t(row->type) == 0) break;
        if (auto device = factory.createDevice(adapter, row->type, row->behaviour | always, window, params))
            return device;
        ++row;
    }
    return nullptr;
}
