#pragma once
// Image objects made with our PSB writer, and a Direct3D window over a
// recording device whose texture levels the tests read back byte for byte.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/render/fake_device_factory.h"
#include "tools/psbwriter/psb_writer.h"

namespace psbimage {

using Bytes = std::vector<uint8_t>;

inline psbwriter::Value resource(Bytes bytes) { return psbwriter::Resource{std::move(bytes), false}; }

// An image object: "width", "height", "type", "pixel", and "spec" unless empty.
inline psbwriter::Object image(const std::string& type, int width, int height, Bytes pixel,
                               const std::string& spec = "") {
    psbwriter::Object o{{"width", width}, {"height", height}, {"type", type}, {"pixel", resource(std::move(pixel))}};
    if (!spec.empty()) o["spec"] = spec;
    return o;
}

// A document whose root is the given object.
inline std::unique_ptr<PSBObject> document(const psbwriter::Object& root) {
    return loadDocument(psbwriter::writePsb(root));
}

inline Bytes le16(std::initializer_list<uint16_t> values) {
    Bytes out;
    for (uint16_t v : values) {
        out.push_back(uint8_t(v));
        out.push_back(uint8_t(v >> 8));
    }
    return out;
}

inline Bytes repeat(const Bytes& unit, size_t times) {
    Bytes out;
    for (size_t i = 0; i < times; ++i) out.insert(out.end(), unit.begin(), unit.end());
    return out;
}

}  // namespace psbimage

// A Direct3D window on a recording device; M_SPEC is "win".
class PSBImageTest : public testing::Test {
protected:
    void SetUp() override {
        M_SPEC = "win";
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 64;
        s.windowHeight = s.clientHeight = 64;
        s.screenWidth = s.screenHeight = 64;
        s.d3dPureDevice = true;
        win = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
        ASSERT_TRUE(win->initialize());
        device = factory.last;
        baseTextures = device->liveTextures();
    }

    void TearDown() override {
        win.reset();
        M_SPEC.clear();
    }

    // Level `level` of the record's texture, rows packed (the lock's pitch
    // is the level's row width on the recording device).
    psbimage::Bytes levelBytes(const MWinD3DTexture* record, int level) {
        const platform::TextureDesc& d = record->texture->desc();
        const int h = std::max(1, d.height >> level);
        platform::LockedRect locked;
        EXPECT_TRUE(device->lockTexture(record->texture, level, nullptr, false, locked));
        psbimage::Bytes bytes(locked.bits, locked.bits + size_t(locked.pitch) * platform::pitchRows(d.format, h));
        device->unlockTexture(record->texture, level);
        return bytes;
    }

    FakeDeviceFactory factory;
    std::unique_ptr<MWinD3DWin> win;
    platform::RecordingDevice* device = nullptr;
    int baseTextures = 0;
};
