#include "platform/device/recording/recording_device.h"

#include <gtest/gtest.h>

#include <thread>

namespace platform {
namespace {

TEST(RecordingDevice, RecordsASequenceAndTheStatesEachDrawSaw) {
    PresentParams params;
    params.backBufferWidth = 64;
    params.backBufferHeight = 32;
    RecordingDevice d(params);
    Texture* target = d.createTexture({16, 16, 1, PixelFormat::A8R8G8B8, TextureUsage::RenderTarget});
    Texture* sprite = d.createTexture({8, 8, 1, PixelFormat::A8, TextureUsage::Managed});
    d.clearRecord();

    d.setRenderTarget(target->surface());
    d.clear(kClearTarget, 0xFF000000, 1.0f, 0);
    d.beginScene();
    d.setRenderState(RenderState::AlphaBlendEnable, 1);
    d.setRenderState(RenderState::SrcBlend, uint32_t(Blend::SrcAlpha));
    d.setSamplerState(0, SamplerState::MagFilter, uint32_t(TextureFilter::Linear));
    d.setTexture(0, sprite);
    d.setPixelShader(d.createPixelShader(32));
    const float colour[4] = {1.0f, 0.5f, 0.25f, 1.0f};
    d.setPixelShaderConstants(0, colour, 1);
    const float vertices[6 * 3] = {1, 2, 0, 0, 0, 0};
    d.setVertexFormat(VertexFormat::Coloured);
    d.drawPrimitiveUP(PrimitiveType::TriangleFan, 1, vertices, 24);
    d.endScene();
    d.setRenderTarget(d.backBuffer());

    const std::vector<std::string> expected = {
        "setRenderTarget tex#1",
        "clear 1 FF000000 1.000000 0 on tex#1",
        "beginScene",
        "setRenderState AlphaBlendEnable 1",
        "setRenderState SrcBlend 4",
        "setSamplerState 0 MagFilter 2",
        "setTexture 0 tex#2",
        "createPixelShader 32",
        "setPixelShader 32",
        "setPixelShaderConstants 0 1",
        "setVertexFormat Coloured",
        "drawPrimitiveUP TriangleFan 1 24",
        "endScene",
        "setRenderTarget backbuffer",
    };
    EXPECT_EQ(d.calls(), expected);
    const auto draws = d.draws();
    ASSERT_EQ(draws.size(), 1u);
    const auto& draw = draws[0];
    EXPECT_EQ(draw.target, target->surface());
    EXPECT_EQ(draw.textures[0], sprite);
    EXPECT_EQ(draw.pixelShader, 32);
    EXPECT_EQ(draw.vertexShader, -1);
    EXPECT_EQ(draw.state(RenderState::AlphaBlendEnable), 1u);
    EXPECT_EQ(draw.state(RenderState::DestBlend), uint32_t(Blend::Zero));
    EXPECT_EQ(draw.samplers[0][size_t(SamplerState::MagFilter)], uint32_t(TextureFilter::Linear));
    EXPECT_EQ(draw.pixelConstants[1], 0.5f);
    EXPECT_EQ(draw.vertices.size(), 3u * 24);
    EXPECT_EQ(draw.vertexFloat(1), 2.0f);
    EXPECT_TRUE(draw.inScene);
    EXPECT_EQ(draw.viewport, (Viewport{0, 0, 16, 16}));
    EXPECT_EQ(d.viewport(), (Viewport{0, 0, 64, 32}));
}

TEST(RecordingDevice, ReleasingUnbindsAndFailuresCanBeAskedFor) {
    RecordingDevice d;
    Texture* t = d.createTexture({4, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::RenderTarget});
    d.setTexture(1, t);
    d.setRenderTarget(t->surface());
    d.releaseTexture(t);
    EXPECT_EQ(d.texture(1), nullptr);
    EXPECT_EQ(d.renderTarget(), d.backBuffer());
    d.failCreations(1);
    EXPECT_EQ(d.createDepthStencil(4, 4, PixelFormat::D24S8), nullptr);
    EXPECT_NE(d.createDepthStencil(4, 4, PixelFormat::D24S8), nullptr);
    EXPECT_EQ(d.liveDepthStencils(), 1);
    EXPECT_EQ(d.liveTextures(), 0);
}

TEST(RecordingDevice, ResetRestoresDefaultStates) {
    RecordingDevice d;
    d.setRenderState(RenderState::CullMode, uint32_t(CullMode::None));
    d.setSamplerState(2, SamplerState::AddressU, uint32_t(AddressMode::Clamp));
    PresentParams params;
    params.backBufferWidth = 10;
    params.backBufferHeight = 20;
    ASSERT_TRUE(d.reset(params));
    EXPECT_EQ(d.renderState(RenderState::CullMode), uint32_t(CullMode::CounterClockwise));
    EXPECT_EQ(d.samplerState(2, SamplerState::AddressU), uint32_t(AddressMode::Wrap));
    EXPECT_EQ(d.backBuffer()->width(), 10);
    EXPECT_EQ(d.resetCount(), 1);
}

TEST(RecordingDevice, TexturesAreMadeAndFilledFromLoaderThreads) {
    RecordingDevice d;
    std::vector<std::thread> loaders;
    for (int i = 0; i < 4; ++i) {
        loaders.emplace_back([&] {
            Texture* t = d.createTexture({4, 4, 1, PixelFormat::A8R8G8B8, TextureUsage::Managed});
            LockedRect locked;
            ASSERT_TRUE(d.lockTexture(t, 0, nullptr, false, locked));
            locked.bits[0] = 1;
            d.unlockTexture(t, 0);
        });
    }
    for (auto& t : loaders) t.join();
    EXPECT_EQ(d.liveTextures(), 4);
}

}  // namespace
}  // namespace platform
