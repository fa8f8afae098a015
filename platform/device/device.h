#pragma once
// The drawing device the renderer stands on: textures with formats, levels and
// locks; render targets and depth-stencil surfaces; clear, viewport and
// scissor; render states (blend, alpha test, stencil, depth, cull) and sampler
// states for three stages; vertex and pixel shaders chosen by table index with
// their constant registers; drawing from user memory; present.
//
// Conventions every implementation keeps:
// - Every target, the back buffer included, is top-down: row 0 is the top.
//   Viewport, scissor and lock rectangles are in pixels from the top left.
// - Pixel centres sit on whole coordinates, so a screen-space quad from
//   (-0.5, -0.5) to (w - 0.5, h - 0.5) covers exactly w x h pixels.
// - Clip space has y up (as the renderer's matrices make it); depth in clip
//   space runs 0..w.
// - Colours are 32-bit ARGB words (alpha in the top byte).
//
// Threads: createTexture, lockTexture, unlockTexture and releaseTexture may be
// called from any thread (loaders build textures in the background); a texture
// is locked by one thread at a time and is not drawn with while locked.
// Everything else is called on the thread that created the device.

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/window/window.h"

namespace platform {

// Numbered as the engine's texture records and image data number formats.
enum class PixelFormat : uint32_t {
    Unknown = 0,
    A8R8G8B8 = 21,
    X8R8G8B8 = 22,
    R5G6B5 = 23,
    A1R5G5B5 = 25,
    A4R4G4B4 = 26,
    A8 = 28,
    L8 = 50,
    A8L8 = 51,
    D16Lockable = 70,
    D15S1 = 73,
    D24S8 = 75,
    D16 = 80,
    DXT1 = 0x31545844,
    DXT3 = 0x33545844,
    DXT5 = 0x35545844,
};

bool isBlockCompressed(PixelFormat format);
// Bytes of one row of a level (of one row of 4 x 4 blocks when compressed).
int rowPitch(PixelFormat format, int width);
// Rows of pixels (or of blocks) of a level.
int pitchRows(PixelFormat format, int height);

enum class TextureUsage { Managed, Dynamic, RenderTarget };

struct TextureDesc {
    int width = 0;
    int height = 0;
    int levels = 1;
    PixelFormat format = PixelFormat::A8R8G8B8;
    TextureUsage usage = TextureUsage::Managed;
};

// A colour target (a render-target texture's level 0 or the back buffer) or a
// depth-stencil surface. Owned by the device or by its texture.
class Surface {
public:
    Surface(int width, int height, PixelFormat format) : width_(width), height_(height), format_(format) {}
    virtual ~Surface() = default;
    int width() const { return width_; }
    int height() const { return height_; }
    PixelFormat format() const { return format_; }

protected:
    void resize(int width, int height) { width_ = width; height_ = height; }

private:
    int width_;
    int height_;
    PixelFormat format_;
};

class Texture {
public:
    explicit Texture(const TextureDesc& desc) : desc_(desc) {}
    virtual ~Texture() = default;
    const TextureDesc& desc() const { return desc_; }
    // Level 0 as a colour target; null unless the texture is a render target.
    virtual Surface* surface() = 0;

private:
    TextureDesc desc_;
};

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool operator==(const Rect&) const = default;
};

struct Viewport {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    float minZ = 0.0f;
    float maxZ = 1.0f;
    bool operator==(const Viewport&) const = default;
};

struct LockedRect {
    int pitch = 0;
    uint8_t* bits = nullptr;
};

enum class PrimitiveType { TriangleList, TriangleStrip, TriangleFan };

// The three vertex layouts of the renderer (floats, colour as an ARGB word):
// ScreenSpace 28 bytes: x, y, z, 1/w, colour, u, v; pixel coordinates of the
//   render target, drawn without a vertex shader;
// Coloured 24 bytes: x, y, z, colour, u, v;
// TwoTexture 32 bytes: x, y, z, colour, u0, v0, u1, v1.
enum class VertexFormat { ScreenSpace, Coloured, TwoTexture };
int vertexStride(VertexFormat format);
int primitiveVertexCount(PrimitiveType type, int primitives);

enum class BlendOp : uint32_t { Add, Subtract, RevSubtract, Min, Max };
enum class Blend : uint32_t {
    Zero, One, SrcColor, InvSrcColor, SrcAlpha, InvSrcAlpha,
    DestAlpha, InvDestAlpha, DestColor, InvDestColor,
};
enum class CompareFunc : uint32_t { Never, Less, Equal, LessEqual, Greater, NotEqual, GreaterEqual, Always };
enum class StencilOp : uint32_t { Keep, Zero, Replace, IncrSat, DecrSat, Invert, Incr, Decr };
// Which triangles are dropped, by their winding as seen on the top-down picture.
enum class CullMode : uint32_t { None, Clockwise, CounterClockwise };

// Render states; each holds a 32-bit value: a flag (0 or 1), a count, or one
// of the enums above.
enum class RenderState {
    AlphaBlendEnable, SeparateAlphaBlendEnable,
    BlendOp, SrcBlend, DestBlend, BlendOpAlpha, SrcBlendAlpha, DestBlendAlpha,
    AlphaTestEnable, AlphaRef, AlphaFunc,
    StencilEnable, StencilFunc, StencilRef, StencilMask, StencilWriteMask,
    StencilFail, StencilZFail, StencilPass,
    ZEnable, ZWriteEnable, ZFunc,
    CullMode, ScissorTestEnable, ColorWriteEnable,
    Count,
};
// The value each render state has on a new or reset device.
uint32_t defaultRenderState(RenderState state);

enum class TextureFilter : uint32_t { None, Point, Linear };
enum class AddressMode : uint32_t { Wrap, Mirror, Clamp };
enum class SamplerState { MinFilter, MagFilter, MipFilter, AddressU, AddressV, Count };
uint32_t defaultSamplerState(SamplerState state);
constexpr int kSamplerStages = 3;

enum ClearFlags : uint32_t { kClearTarget = 1, kClearDepth = 2, kClearStencil = 4 };

// Shader table sizes: the renderer picks shaders by index into these.
constexpr int kVertexShaderCount = 7;
constexpr int kPixelShaderCount = 280;
constexpr int kVertexConstantRegisters = 8;
constexpr int kPixelConstantRegisters = 4;

class VertexShader {
public:
    explicit VertexShader(int index) : index_(index) {}
    virtual ~VertexShader() = default;
    int index() const { return index_; }

private:
    int index_;
};

class PixelShader {
public:
    explicit PixelShader(int index) : index_(index) {}
    virtual ~PixelShader() = default;
    int index() const { return index_; }

private:
    int index_;
};

struct PresentParams {
    int backBufferWidth = 0;
    int backBufferHeight = 0;
    PixelFormat backBufferFormat = PixelFormat::Unknown;
    bool windowed = true;
    int refreshRate = 0;
    bool intervalOne = true;  // wait for the vertical blank
    bool autoDepthStencil = false;
    PixelFormat depthStencilFormat = PixelFormat::D24S8;
};

struct DisplayMode {
    int width = 0;
    int height = 0;
    int refreshRate = 0;
    PixelFormat format = PixelFormat::X8R8G8B8;
    bool operator==(const DisplayMode&) const = default;
};

struct DeviceCaps {
    uint32_t vertexShaderVersion = 0;  // 0xFFFE0100 and above: version 1.0 or later
    bool dynamicTextures = false;
    bool powerOfTwoTexturesOnly = true;
    bool intervalOne = false;
};

enum class DeviceStatus { Ok, Lost, NotReset };

// Work a device does once and keeps: programs linked, and combinations of
// program and states met at a draw for the first time (a software
// rasteriser generates machine code for each such combination at that draw).
struct DeviceCounters {
    uint64_t programsLinked = 0;
    uint64_t drawStatesMet = 0;
    // Whole copies onto the back buffer that were noted instead of drawn.
    uint64_t backBufferCopiesKept = 0;
    // Whole copies onto a target texture made as a texel copy, not drawn.
    uint64_t wholeCopiesBlitted = 0;
};

class Device {
public:
    virtual ~Device() = default;

    // Resources.
    virtual Texture* createTexture(const TextureDesc& desc) = 0;
    virtual void releaseTexture(Texture* texture) = 0;
    // rect null: the whole level. discard: the old contents are not wanted.
    virtual bool lockTexture(Texture* texture, int level, const Rect* rect, bool discard,
                             LockedRect& out) = 0;
    virtual void unlockTexture(Texture* texture, int level) = 0;
    virtual Surface* createDepthStencil(int width, int height, PixelFormat format) = 0;
    virtual void releaseDepthStencil(Surface* surface) = 0;
    virtual VertexShader* createVertexShader(int index) = 0;
    virtual PixelShader* createPixelShader(int index) = 0;
    virtual void releaseShader(VertexShader* shader) = 0;
    virtual void releaseShader(PixelShader* shader) = 0;

    // Targets. Setting a render target resets the viewport and the scissor
    // rectangle to the whole target.
    virtual Surface* backBuffer() = 0;
    virtual void setRenderTarget(Surface* surface) = 0;
    virtual Surface* renderTarget() = 0;
    virtual void setDepthStencil(Surface* surface) = 0;  // null: none
    virtual Surface* depthStencil() = 0;
    virtual void setViewport(const Viewport& viewport) = 0;
    virtual Viewport viewport() = 0;
    virtual void setScissorRect(const Rect& rect) = 0;
    virtual Rect scissorRect() = 0;
    // Clears the viewport of the current targets, cut to the scissor
    // rectangle while the scissor test is on.
    virtual void clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) = 0;
    // Fills a whole colour surface, whatever the states.
    virtual void colorFill(Surface* surface, uint32_t colour) = 0;

    // States.
    virtual void setRenderState(RenderState state, uint32_t value) = 0;
    virtual uint32_t renderState(RenderState state) = 0;
    virtual void setSamplerState(int stage, SamplerState state, uint32_t value) = 0;
    virtual uint32_t samplerState(int stage, SamplerState state) = 0;
    virtual void setTexture(int stage, Texture* texture) = 0;  // null: unbind
    virtual Texture* texture(int stage) = 0;
    virtual void setVertexFormat(VertexFormat format) = 0;
    virtual void setVertexShader(VertexShader* shader) = 0;  // null: position passed through
    virtual VertexShader* vertexShader() = 0;
    virtual void setPixelShader(PixelShader* shader) = 0;  // null: texel times vertex colour
    virtual PixelShader* pixelShader() = 0;
    virtual void setVertexShaderConstants(int startRegister, const float* values, int registers) = 0;
    virtual void setPixelShaderConstants(int startRegister, const float* values, int registers) = 0;

    // Drawing from user memory with the current vertex format.
    virtual void beginScene() = 0;
    virtual void endScene() = 0;
    virtual void drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices,
                                 int stride) = 0;
    // Compiles and links now the program that drawing with this vertex
    // format, vertex shader (null: position passed through) and pixel shader
    // (null: texel times vertex colour) uses, so that the first such draw
    // doesn't; a driver may still do work of its own at that draw.
    virtual void prepareProgram(VertexFormat format, VertexShader* vertexShader, PixelShader* pixelShader) = 0;
    // Since the device was made; devices that keep no such work count none.
    virtual DeviceCounters counters() { return {}; }

    // Frames.
    virtual DeviceStatus testCooperativeLevel() = 0;
    // Re-creates the back buffer (and the automatic depth-stencil surface) and
    // sets every state to its default; switches the window in or out of full
    // screen as the parameters ask.
    virtual bool reset(const PresentParams& params) = 0;
    // Copies the back buffer (or its source rectangle) to the window (or its
    // destination rectangle) and shows it.
    virtual DeviceStatus present(const Rect* source, const Rect* destination) = 0;
    virtual DisplayMode currentDisplayMode() = 0;
    // Reads a colour surface back as ARGB words, rows top-down.
    virtual std::vector<uint32_t> readSurface(Surface* surface, const Rect& rect) = 0;
};

enum class DeviceType : uint32_t { Hardware = 1, Reference = 2 };
enum DeviceBehaviour : uint32_t {
    kBehaviourFpuPreserve = 0x2,
    kBehaviourMultithreaded = 0x4,
    kBehaviourPureDevice = 0x10,
    kBehaviourSoftwareVertexProcessing = 0x20,
    kBehaviourHardwareVertexProcessing = 0x40,
};

// Where devices come from: the adapters, their capabilities and modes.
class DeviceFactory {
public:
    virtual ~DeviceFactory() = default;
    virtual int adapterCount() = 0;
    virtual bool capabilities(int adapter, DeviceCaps& out) = 0;
    virtual std::vector<DisplayMode> displayModes(int adapter) = 0;
    // Null when the adapter can't make a device of that type and behaviour.
    virtual std::unique_ptr<Device> createDevice(int adapter, DeviceType type, uint32_t behaviour,
                                                 WindowHandle window, const PresentParams& params) = 0;
};

}  // namespace platform
