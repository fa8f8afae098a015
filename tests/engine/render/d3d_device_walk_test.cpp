#include "engine/render/d3d_device_walk.h"

#include <gtest/gtest.h>

#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::DeviceType;

TEST(D3DDeviceWalk, TriesTheRowsOfItsTableAndNeverPassesTheEnd) {
    constexpr uint32_t kAlways = 0x6;
    struct Case {
        uint32_t vertexShaderVersion;
        bool pure;
        std::vector<FakeDeviceFactory::Try> expected;
    };
    const Case cases[] = {
        {0xFFFE0101, true,
         {{DeviceType::Hardware, 0x50 | kAlways}, {DeviceType::Hardware, 0x40 | kAlways},
          {DeviceType::Reference, 0x40 | kAlways}, {DeviceType::Reference, 0x20 | kAlways}}},
        {0xFFFE0100, false, {{DeviceType::Hardware, 0x40 | kAlways}, {DeviceType::Reference, 0x20 | kAlways}}},
        {0xFFFE0000, true,
         {{DeviceType::Hardware, 0x40 | kAlways}, {DeviceType::Reference, 0x40 | kAlways},
          {DeviceType::Reference, 0x20 | kAlways}}},
        {0xFFFE0000, false, {{DeviceType::Reference, 0x40 | kAlways}}},
    };
    for (const Case& c : cases) {
        FakeDeviceFactory factory;
        factory.failAll = true;
        factory.caps.vertexShaderVersion = c.vertexShaderVersion;
        EXPECT_EQ(createDeviceByFallback(factory, 0, factory.caps, c.pure, nullptr, {}), nullptr);
        ASSERT_EQ(factory.tries.size(), c.expected.size()) << std::hex << c.vertexShaderVersion << " " << c.pure;
        for (size_t i = 0; i < c.expected.size(); ++i) {
            EXPECT_EQ(factory.tries[i].type, c.expected[i].type) << i;
            EXPECT_EQ(factory.tries[i].behaviour, c.expected[i].behaviour) << i;
        }
    }
}

TEST(D3DDeviceWalk, StopsAtTheFirstDeviceMade) {
    FakeDeviceFactory factory;
    factory.failFirst = 2;
    auto device = createDeviceByFallback(factory, 0, factory.caps, true, nullptr, {});
    EXPECT_NE(device, nullptr);
    ASSERT_EQ(factory.tries.size(), 3u);
    EXPECT_EQ(factory.tries[2].type, DeviceType::Reference);
}

}  // namespace
