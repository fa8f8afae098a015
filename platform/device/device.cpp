#include "platform/device/device.h"

namespace platform {

bool isBlockCompressed(PixelFormat format) {
    return format == PixelFormat::DXT1 || format == PixelFormat::DXT3 || format == PixelFormat::DXT5;
}

int rowPitch(PixelFormat format, int width) {
    switch (format) {
    case PixelFormat::DXT1: return (width + 3) / 4 * 8;
    case PixelFormat::DXT3:
    case PixelFormat::DXT5: return (width + 3) / 4 * 16;
    case PixelFormat::A8:
    case PixelFormat::L8: return width;
    case PixelFormat::R5G6B5:
    case PixelFormat::A1R5G5B5:
    case PixelFormat::A4R4G4B4:
    case PixelFormat::A8L8:
    case PixelFormat::D16:
    case PixelFormat::D16Lockable:
    case PixelFormat::D15S1: return width * 2;
    default: return width * 4;
    }
}

int pitchRows(PixelFormat format, int height) {
    return isBlockCompressed(format) ? (height + 3) / 4 : height;
}

int vertexStride(VertexFormat format) {
    switch (format) {
    case VertexFormat::ScreenSpace: return 28;
    case VertexFormat::Coloured: return 24;
    case VertexFormat::TwoTexture: return 32;
    }
    return 0;
}

int primitiveVertexCount(PrimitiveType type, int primitives) {
    if (primitives <= 0) return 0;
    return type == PrimitiveType::TriangleList ? primitives * 3 : primitives + 2;
}

uint32_t defaultRenderState(RenderState state) {
    switch (state) {
    case RenderState::SrcBlend:
    case RenderState::SrcBlendAlpha: return uint32_t(Blend::One);
    case RenderState::DestBlend:
    case RenderState::DestBlendAlpha: return uint32_t(Blend::Zero);
    case RenderState::AlphaFunc:
    case RenderState::StencilFunc: return uint32_t(CompareFunc::Always);
    case RenderState::StencilMask:
    case RenderState::StencilWriteMask: return 0xFFFFFFFFu;
    case RenderState::ZWriteEnable: return 1;
    case RenderState::ZFunc: return uint32_t(CompareFunc::LessEqual);
    case RenderState::CullMode: return uint32_t(CullMode::CounterClockwise);
    case RenderState::ColorWriteEnable: return 0xF;
    default: return 0;  // flags off, BlendOp::Add, StencilOp::Keep, references 0
    }
}

uint32_t defaultSamplerState(SamplerState state) {
    switch (state) {
    case SamplerState::MinFilter:
    case SamplerState::MagFilter: return uint32_t(TextureFilter::Point);
    case SamplerState::MipFilter: return uint32_t(TextureFilter::None);
    default: return uint32_t(AddressMode::Wrap);
    }
}

}  // namespace platform
