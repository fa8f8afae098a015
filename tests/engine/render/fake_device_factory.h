#pragma once
// A device factory for tests: it records every creation it is asked for,
// fails the rows it is told to, and otherwise makes recording devices.

#include <vector>

#include "platform/device/recording/recording_device.h"

struct FakeDeviceFactory : platform::DeviceFactory {
    struct Try {
        platform::DeviceType type;
        uint32_t behaviour;
    };

    int adapters = 1;
    platform::DeviceCaps caps{0xFFFE0200, true, true, true};
    std::vector<platform::DisplayMode> modes{{1920, 1080, 60}, {1280, 720, 60}};
    int failFirst = 0;  // creations that fail before one succeeds
    bool failAll = false;
    std::vector<Try> tries;
    platform::RecordingDevice* last = nullptr;

    int adapterCount() override { return adapters; }
    bool capabilities(int adapter, platform::DeviceCaps& out) override {
        out = caps;
        return adapter >= 0 && adapter < adapters;
    }
    std::vector<platform::DisplayMode> displayModes(int) override { return modes; }
    std::unique_ptr<platform::Device> createDevice(int, platform::DeviceType type, uint32_t behaviour,
                                                   platform::WindowHandle,
                                                   const platform::PresentParams& params) override {
        tries.push_back({type, behaviour});
        if (failAll || int(tries.size()) <= failFirst) return nullptr;
        auto device = std::make_unique<platform::RecordingDevice>(params);
        last = device.get();
        return device;
    }
};
