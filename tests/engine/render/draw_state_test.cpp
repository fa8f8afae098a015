// MWinD3DWin's draw state and primitives over a recording device: the
// vertices each primitive builds, the states and constants each draw sees,
// and the caches that keep repeated draws from touching the device.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "engine/base/win_app_settings.h"
#include "engine/render/win_d3d_win.h"
#include "tests/engine/render/fake_device_factory.h"

namespace {

using platform::PixelFormat;
using platform::RecordingDevice;
using platform::RenderState;

class DrawStateTest : public testing::Test {
protected:
    void SetUp() override {
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = 448;
        s.windowHeight = s.clientHeight = 576;
        s.screenWidth = 224;
        s.screenHeight = 288;
        s.d3dPureDevice = true;
        win = std::make_unique<MWinD3DWin>(factory, nullptr, false, 0, 0);
        ASSERT_TRUE(win->initialize());
        device = factory.last;
        texture = win->createTexture(64, 64, PixelFormat::A8R8G8B8, false, 1);
        device->clearRecord();
    }

    void TearDown() override { win.reset(); }

    RecordingDevice::Draw lastDraw() {
        const auto draws = device->draws();
        EXPECT_FALSE(draws.empty());
        return draws.empty() ? RecordingDevice::Draw{} : draws.back();
    }

    static D3DColouredVertex vertexAt(const RecordingDevice::Draw& d, int i) {
        D3DColouredVertex v;
        std::memcpy(&v, d.vertices.data() + size_t(i) * sizeof v, sizeof v);
        return v;
    }

    int callsStartingWith(const std::string& prefix) {
        const auto calls = device->calls();
        return int(std::count_if(calls.begin(), calls.end(), [&](const std::string& c) { return c.rfind(prefix, 0) == 0; }));
    }

    FakeDeviceFactory factory;
    std::unique_ptr<MWinD3DWin> win;
    RecordingDevice* device = nullptr;
    MWinD3DTexture* texture = nullptr;
};

TEST_F(DrawStateTest, QuadBatchBuildsTwoTrianglesAQuad) {
    MQuadBatch::Quad quads[2] = {
        {16, 16, 32, 0, {{10, 20, 0xFF000001}, {30, 20, 0xFF000002}, {30, 40, 0xFF000003}, {10, 40, 0xFF000004}}},
        {64, 64, 0, 0, {{0, 0, 0x11111111}, {1, 0, 0x22222222}, {1, 1, 0x33333333}, {0, 1, 0x44444444}}},
    };
    const MQuadBatch batch{texture, 0x01, 2, quads};
    win->drawQuadBatch(batch, 0xFFFFFFFF);
    const RecordingDevice::Draw d = lastDraw();
    EXPECT_EQ(d.type, platform::PrimitiveType::TriangleList);
    EXPECT_EQ(d.primitives, 4);
    EXPECT_EQ(d.stride, 24);
    EXPECT_EQ(d.textures[0], texture->texture);
    EXPECT_EQ(d.state(RenderState::DestBlend), uint32_t(platform::Blend::One));  // add
    struct Expected {
        float x, y;
        uint32_t colour;
        float u, v;
    };
    // Top-left, top-right, bottom-left; top-right, bottom-left, bottom-right;
    // positions moved by the pixel offset (-0.5, +0.5).
    const Expected first[6] = {{9.5f, 20.5f, 0xFF000001, 0.5f, 0.0f},  {29.5f, 20.5f, 0xFF000002, 0.75f, 0.0f},
                               {9.5f, 40.5f, 0xFF000004, 0.5f, 0.25f}, {29.5f, 20.5f, 0xFF000002, 0.75f, 0.0f},
                               {9.5f, 40.5f, 0xFF000004, 0.5f, 0.25f}, {29.5f, 40.5f, 0xFF000003, 0.75f, 0.25f}};
    for (int i = 0; i < 6; ++i) {
        const D3DColouredVertex v = vertexAt(d, i);
        EXPECT_FLOAT_EQ(v.x, first[i].x) << i;
        EXPECT_FLOAT_EQ(v.y, first[i].y) << i;
        EXPECT_EQ(v.z, 0.0f) << i;
        EXPECT_EQ(v.colour, first[i].colour) << i;
        EXPECT_FLOAT_EQ(v.u, first[i].u) << i;
        EXPECT_FLOAT_EQ(v.v, first[i].v) << i;
    }
    // The whole texture: u and v run 0..1 exactly.
    EXPECT_EQ(vertexAt(d, 11).u, 1.0f);
    EXPECT_EQ(vertexAt(d, 11).v, 1.0f);
    EXPECT_EQ(vertexAt(d, 11).colour, 0x33333333u);
}

TEST_F(DrawStateTest, EmptyBatchStillBindsSetsStateAndDraws) {
    const MQuadBatch batch{texture, 0x03, 0, nullptr};
    win->drawQuadBatch(batch, 0);
    const RecordingDevice::Draw d = lastDraw();
    EXPECT_EQ(d.primitives, 0);
    EXPECT_EQ(d.textures[0], texture->texture);
    EXPECT_EQ(d.pixelShader, 2);
    EXPECT_EQ(d.state(RenderState::SrcBlend), uint32_t(platform::Blend::DestColor));
}

TEST_F(DrawStateTest, ColourQuadsBetweenTexturedQuadsSwitchShadersOnceAndKeepTheBlending) {
    D3DColouredVertex v[4] = {{0, 0, 0, 0xFFFFFFFF, 0, 0}, {8, 0, 0, 0xFFFFFFFF, 1, 0},
                              {8, 8, 0, 0xFFFFFFFF, 1, 1}, {0, 8, 0, 0xFFFFFFFF, 0, 1}};
    win->drawTexturedQuad(v, texture, 0, 0.0f, 0, 0);
    device->clearRecord();
    for (int i = 0; i < 3; ++i) {
        win->drawColorQuad(v);
        win->drawTexturedQuad(v, texture, 0, 0.0f, 0, 0);
    }
    EXPECT_EQ(callsStartingWith("setPixelShader"), 6);  // one each way per pair
    EXPECT_EQ(callsStartingWith("setRenderState"), 0);  // the same blend row throughout
    EXPECT_EQ(device->draws().size(), 6u);
}

TEST_F(DrawStateTest, ColourQuadClearsTexelCoordinatesAndDrawsVertexColour) {
    D3DColouredVertex v[4] = {{0, 0, 5, 0xFFFF0000, 0.3f, 0.4f}, {8, 0, 5, 0xFFFF0000, 1, 1},
                              {8, 8, 5, 0xFFFF0000, 1, 1}, {0, 8, 5, 0xFFFF0000, 1, 1}};
    win->drawColorQuad(v);
    for (const D3DColouredVertex& vertex : v) {
        EXPECT_EQ(vertex.u, 0.0f);
        EXPECT_EQ(vertex.v, 0.0f);
        EXPECT_EQ(vertex.z, 5.0f);
    }
    EXPECT_EQ(v[0].x, -0.5f);
    EXPECT_EQ(v[0].y, 0.5f);
    const RecordingDevice::Draw d = lastDraw();
    EXPECT_EQ(d.pixelShader, 279);
    EXPECT_EQ(d.textures[0], nullptr);
    EXPECT_EQ(d.type, platform::PrimitiveType::TriangleFan);

    // With a hatch texture the pattern is anchored on the screen.
    win->setHatch(texture, 10, 20);
    win->drawColorQuad(v);
    const RecordingDevice::Draw hatched = lastDraw();
    EXPECT_EQ(hatched.pixelShader, 278);
    EXPECT_EQ(hatched.textures[0], texture->texture);
    EXPECT_EQ(hatched.pixelConstants[0], 10.0f - 112.0f);
    EXPECT_EQ(hatched.pixelConstants[1], 20.0f - 144.0f);
    EXPECT_EQ(hatched.pixelConstants[4], 64.0f);
    EXPECT_EQ(hatched.pixelConstants[5], 64.0f);
}

TEST_F(DrawStateTest, TexturedStripGivesBackThePositionsWithZeroDepth) {
    D3DColouredVertex v[5] = {{1, 2, 3, 0, 0, 0}, {4, 5, 6, 0, 0, 0}, {7, 8, 9, 0, 0, 0},
                              {1, 1, 1, 0, 0, 0}, {2, 2, 2, 0, 0, 0}};
    win->setStripSource(texture, 1, 0x80FF0000);
    win->drawTexturedStrip(v, 3, 0x00, 0);
    EXPECT_EQ(v[0].x, 1.0f);
    EXPECT_EQ(v[0].y, 2.0f);
    EXPECT_EQ(v[0].z, 0.0f);
    EXPECT_EQ(v[4].z, 0.0f);
    const RecordingDevice::Draw d = lastDraw();
    EXPECT_EQ(d.type, platform::PrimitiveType::TriangleStrip);
    EXPECT_EQ(d.primitives, 3);
    EXPECT_EQ(vertexAt(d, 0).x, 0.5f);
    EXPECT_EQ(vertexAt(d, 0).y, 2.5f);
    EXPECT_EQ(d.textures[0], texture->texture);
    EXPECT_EQ(d.pixelShader, 3);  // colour mode 1
    EXPECT_FLOAT_EQ(d.pixelConstants[0], 1.0f);
    EXPECT_FLOAT_EQ(d.pixelConstants[3], 128.0f / 255.0f);
}

TEST_F(DrawStateTest, FilterColourIsWrittenOnlyForColourModesAndOnlyWhenItChanges) {
    win->setTexture(texture);
    device->clearRecord();
    win->setDrawState(0, 0, 0xFF112233, 0);
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 0);
    win->setDrawState(0, 2, 0xFF112233, 0);
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 1);
    win->setDrawState(0, 2, 0xFF112233, 0);
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 1);
    win->setDrawState(0, 2, 0x80112233, 0);
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 2);
    // Back to colour mode 0 with yet another colour: still no write.
    win->setDrawState(0, 0, 0x00445566, 0);
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 2);
}

TEST_F(DrawStateTest, RepeatedDrawStatesCostNoDeviceCalls) {
    win->setTexture(texture);
    win->setDrawState(1, 0, 0, 0);
    device->clearRecord();
    win->setTexture(texture);
    win->setDrawState(1, 0, 0, 0);
    EXPECT_TRUE(device->calls().empty());
    // A sheet's mode 7 falls back to the alpha row.
    win->setDrawState(7, 0, 0, 0);
    EXPECT_EQ(device->renderState(RenderState::DestBlend), uint32_t(platform::Blend::InvSrcAlpha));
    EXPECT_EQ(device->renderState(RenderState::SrcBlend), uint32_t(platform::Blend::SrcAlpha));
    EXPECT_EQ(device->renderState(RenderState::SrcBlendAlpha), uint32_t(platform::Blend::One));
}

TEST_F(DrawStateTest, MosaicGrabsTheWholeViewInWholeCells) {
    D3DColouredVertex v[4] = {};
    win->drawTexturedQuad(v, texture, 0x11C, 10, 0, 0);
    const auto draws = device->draws();
    ASSERT_EQ(draws.size(), 2u);
    MWinD3DTexture* destination = win->destinationTexture();
    ASSERT_NE(destination, nullptr);
    EXPECT_EQ(destination->width, 224);
    EXPECT_EQ(destination->height, 288);
    // The copy: the capture texture into the destination, screen-space.
    const RecordingDevice::Draw& copy = draws[0];
    EXPECT_EQ(copy.format, platform::VertexFormat::ScreenSpace);
    EXPECT_EQ(copy.target, destination->surface);
    EXPECT_EQ(copy.textures[0], win->captureTexture()->texture);
    EXPECT_EQ(copy.state(RenderState::AlphaBlendEnable), 0u);
    EXPECT_EQ(copy.vertexShader, -1);
    // The effect draw: vertex shader b = 1, shader 120 + 13 + 19 x 2.
    const RecordingDevice::Draw& d = draws[1];
    EXPECT_EQ(d.vertexShader, 1);
    EXPECT_EQ(d.pixelShader, 171);
    EXPECT_EQ(d.textures[0], texture->texture);
    EXPECT_EQ(d.textures[2], destination->texture);
    EXPECT_EQ(d.state(RenderState::SrcBlend), uint32_t(platform::Blend::One));
    EXPECT_EQ(d.state(RenderState::DestBlend), uint32_t(platform::Blend::Zero));
    EXPECT_EQ(d.state(RenderState::DestBlendAlpha), uint32_t(platform::Blend::One));
    EXPECT_FLOAT_EQ(d.pixelConstants[8], 224.0f / 29);
    EXPECT_FLOAT_EQ(d.pixelConstants[9], 288.0f / 29);
    EXPECT_FLOAT_EQ(d.pixelConstants[10], 15.0f / 224);
    EXPECT_FLOAT_EQ(d.pixelConstants[11], 15.0f / 288);
    EXPECT_FLOAT_EQ(d.vertexConstants[20], 0.5f + 0.5f / 224);
    EXPECT_FLOAT_EQ(d.vertexConstants[21], 0.5f + 0.5f / 288);
    EXPECT_FLOAT_EQ(d.vertexConstants[22], 0.5f);
    EXPECT_FLOAT_EQ(d.vertexConstants[23], -0.5f);
}

TEST_F(DrawStateTest, VerticalBlurGrabsTheDrawRegionWithItsMargin) {
    win->drawRegion().include(-10, -10);
    win->drawRegion().include(10, 10);
    win->setTexture(texture);
    win->setDrawState(0x10D, 0, 0, 7);
    EXPECT_TRUE(win->drawRegion().isEmpty());
    MWinD3DTexture* destination = win->destinationTexture();
    ASSERT_NE(destination, nullptr);
    // (102, 134)-(122, 154) on the 224 x 288 view, 2 more above and below.
    EXPECT_EQ(destination->width, 20);
    EXPECT_EQ(destination->height, 24);
    const RecordingDevice::Draw copy = lastDraw();
    EXPECT_FLOAT_EQ(copy.vertexFloat(5), 102.0f / 224);  // u of the first corner
    EXPECT_FLOAT_EQ(copy.vertexFloat(6), 132.0f / 288);
    EXPECT_EQ(device->pixelShader()->index(), 136);
    float c2[4];
    // The constant was written after the copy: read it off a draw.
    D3DColouredVertex v[4] = {};
    win->drawTexturedQuad(v, texture, 0x10D, 7, 0, 0);
    std::memcpy(c2, lastDraw().pixelConstants.data() + 8, sizeof c2);
    EXPECT_EQ(c2[0], 0.0f);
    EXPECT_FLOAT_EQ(c2[1], 1.0f / 288);  // the whole view this time: the box was used up
    // A region that misses the view grabs nothing and binds nothing.
    win->drawRegion().include(1000, 1000);
    win->drawRegion().include(1010, 1010);
    EXPECT_FALSE(win->grabDestination(0x100, 0));
    EXPECT_FALSE(win->grabDestination(0x05, 0));
    EXPECT_EQ(device->texture(2), nullptr);
}

TEST_F(DrawStateTest, BlitDrawsWithTheNeutralStateAndCopyBlending) {
    MWinD3DTexture* target = win->createTexture(8, 8, PixelFormat::A8R8G8B8, true, 1);
    win->setTexture(texture);
    win->setDrawState(0x14, 1, 0xFF00FF00, 0);
    device->clearRecord();
    ASSERT_TRUE(win->blitTexture(target->surface, nullptr, nullptr, nullptr));
    const RecordingDevice::Draw d = lastDraw();
    EXPECT_EQ(d.pixelShader, 0);
    EXPECT_EQ(d.state(RenderState::SrcBlend), uint32_t(platform::Blend::One));
    EXPECT_EQ(d.state(RenderState::DestBlend), uint32_t(platform::Blend::Zero));
    EXPECT_EQ(d.state(RenderState::DestBlendAlpha), uint32_t(platform::Blend::Zero));
    EXPECT_EQ(device->renderState(RenderState::DestBlend), uint32_t(platform::Blend::InvSrcAlpha));
    // Blending changed behind the cache: the next draw state sets its row again.
    win->setDrawState(1, 0, 0, 0);
    EXPECT_EQ(device->renderState(RenderState::DestBlend), uint32_t(platform::Blend::One));
}

TEST_F(DrawStateTest, RenderTargetMaskCompositeLocksTheStateAndSwapsTargets) {
    win->maskComposite().mode = 1;
    win->beginMaskComposite(0);
    MWinD3DTexture* a = win->maskComposite().targets[0];
    MWinD3DTexture* b = win->maskComposite().targets[1];
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(a->format, PixelFormat::R5G6B5);
    EXPECT_EQ(a->width, 224);
    EXPECT_TRUE(win->maskComposite().stateLocked);
    win->nextMaskLayer(0);
    EXPECT_EQ(device->renderTarget(), a->surface);
    EXPECT_EQ(device->pixelShader()->index(), 272);
    // Locked: a primitive's draw state leaves the composite's shader alone.
    win->setDrawState(3, 0, 0, 0);
    EXPECT_EQ(device->pixelShader()->index(), 272);
    win->maskComposite().parameterFlag = true;
    win->nextMaskLayer(0);
    EXPECT_EQ(win->maskComposite().targets[0], b);
    EXPECT_EQ(device->renderTarget(), b->surface);
    EXPECT_EQ(device->texture(1), a->texture);
    EXPECT_EQ(device->pixelShader()->index(), 275);
    EXPECT_EQ(device->vertexShader()->index(), 4);
    // A second composite of the same size keeps its targets.
    win->beginMaskComposite(0);
    EXPECT_EQ(win->maskComposite().targets[0], b);
}

TEST_F(DrawStateTest, ResetRenderStatesLeavesNoShaderOrTexture) {
    win->setTexture(texture);
    win->setDrawState(0x04, 2, 0xFF000000, 0);
    win->resetRenderStates();
    EXPECT_EQ(device->pixelShader(), nullptr);
    EXPECT_EQ(device->texture(0), nullptr);
    EXPECT_EQ(device->vertexShader()->index(), 0);
    EXPECT_EQ(device->samplerState(0, platform::SamplerState::MinFilter), uint32_t(platform::TextureFilter::Point));
    EXPECT_EQ(device->renderState(RenderState::SrcBlend), uint32_t(platform::Blend::SrcAlpha));
    EXPECT_EQ(device->renderState(RenderState::DestBlend), uint32_t(platform::Blend::InvSrcAlpha));
    // The caches were told: the same draw state goes to the device again.
    device->clearRecord();
    win->setTexture(texture);
    win->setDrawState(0x04, 2, 0xFF000000, 0);
    EXPECT_EQ(device->pixelShader()->index(), 8);
    EXPECT_EQ(device->renderState(RenderState::SrcBlend), uint32_t(platform::Blend::InvDestColor));
    EXPECT_EQ(callsStartingWith("setPixelShaderConstants 0"), 1);
}

TEST_F(DrawStateTest, AResetDropsTheCompositeTargetsUntilTheNextComposite) {
    win->maskComposite().mode = 1;
    win->beginMaskComposite(0);
    win->nextMaskLayer(0);
    const uint32_t before = win->videoMemoryBytes();
    ASSERT_TRUE(win->resetDevice());
    EXPECT_EQ(win->videoMemoryBytes(), before - 2u * 224 * 288 * 4);
    EXPECT_EQ(win->maskComposite().targets[0], nullptr);
    EXPECT_FALSE(win->maskComposite().stateLocked);
    win->beginMaskComposite(0);
    EXPECT_NE(win->maskComposite().targets[1], nullptr);
    EXPECT_EQ(win->videoMemoryBytes(), before);
}

}  // namespace
