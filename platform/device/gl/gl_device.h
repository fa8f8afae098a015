#pragma once
// The device over an OpenGL 3.3 core context on an SDL window. Every target,
// the back buffer included, is a framebuffer object drawn top-down; the back
// buffer reaches the window, flipped, only in present.
//
// Each full-window pass costs the software rasteriser milliseconds, so a
// whole clear of the back buffer and a whole copy of a texture onto it are
// kept rather than drawn: present takes the picture from the copy's source,
// and when that source is about to be redrawn whole the back buffer takes
// over its storage instead of copying it.
//
// The software rasteriser pays for every state change, so the device keeps
// what GL has (texture units, framebuffer, program, uniforms, vertex layout)
// and sends only what differs; vertices go into one stream buffer written
// front to back and orphaned when full.
//
// Threads: the thread that made the device owns the GL context and makes
// every GL call. Textures made or released on other threads wait, CPU side
// only, until the device's thread realizes or deletes them (at their first
// use, and at every present).

#include <SDL.h>

#include <array>
#include <atomic>
#include <map>
#include <memory>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

#include "platform/device/device.h"
#include "platform/device/gl/gl_api.h"
#include "platform/device/gl/gl_resources.h"

namespace platform::gl {

class GlDevice final : public Device {
public:
    // Takes the context (made current on this thread) and owns it.
    GlDevice(SDL_Window* window, SDL_GLContext context, const PresentParams& params);
    ~GlDevice() override;

    Texture* createTexture(const TextureDesc& desc) override;
    void releaseTexture(Texture* texture) override;
    bool lockTexture(Texture* texture, int level, const Rect* rect, bool discard, LockedRect& out) override;
    void unlockTexture(Texture* texture, int level) override;
    Surface* createDepthStencil(int width, int height, PixelFormat format) override;
    void releaseDepthStencil(Surface* surface) override;
    VertexShader* createVertexShader(int index) override;
    PixelShader* createPixelShader(int index) override;
    void releaseShader(VertexShader* shader) override;
    void releaseShader(PixelShader* shader) override;

    Surface* backBuffer() override;
    void setRenderTarget(Surface* surface) override;
    Surface* renderTarget() override;
    void setDepthStencil(Surface* surface) override;
    Surface* depthStencil() override;
    void setViewport(const Viewport& viewport) override;
    Viewport viewport() override;
    void setScissorRect(const Rect& rect) override;
    Rect scissorRect() override;
    void clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) override;
    void colorFill(Surface* surface, uint32_t colour) override;

    void setRenderState(RenderState state, uint32_t value) override;
    uint32_t renderState(RenderState state) override;
    void setSamplerState(int stage, SamplerState state, uint32_t value) override;
    uint32_t samplerState(int stage, SamplerState state) override;
    void setTexture(int stage, Texture* texture) override;
    Texture* texture(int stage) override;
    void setVertexFormat(VertexFormat format) override;
    void setVertexShader(VertexShader* shader) override;
    VertexShader* vertexShader() override;
    void setPixelShader(PixelShader* shader) override;
    PixelShader* pixelShader() override;
    void setVertexShaderConstants(int startRegister, const float* values, int registers) override;
    void setPixelShaderConstants(int startRegister, const float* values, int registers) override;

    void beginScene() override {}
    void endScene() override {}
    void drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride) override;
    void prepareProgram(VertexFormat format, VertexShader* vertexShader, PixelShader* pixelShader) override;
    DeviceCounters counters() override { return counters_; }

    DeviceStatus testCooperativeLevel() override { return DeviceStatus::Ok; }
    bool reset(const PresentParams& params) override;
    DeviceStatus present(const Rect* source, const Rect* destination) override;
    DisplayMode currentDisplayMode() override;
    std::vector<uint32_t> readSurface(Surface* surface, const Rect& rect) override;

private:
    static constexpr GLuint kUnknownName = ~0u;

    // A linked program and the uniform values it was last given.
    struct Program {
        GLuint id = 0;
        GLint vertexConstants = -1, pixelConstants = -1, viewport = -1;
        GLint hasTex0 = -1, alphaFunc = -1, alphaRef = -1;
        uint32_t samplerMask = 0;  // bit i: the program reads unit i
        uint64_t vertexConstantsSent = 0, pixelConstantsSent = 0;  // versions; 0 never sent
        std::array<GLint, 4> viewportSent{-1, -1, -1, -1};
        GLint hasTex0Sent = -1, alphaFuncSent = -1;
        uint32_t alphaRefSent = ~0u;
    };

    // What the rasteriser's code for a draw depends on: the program and
    // vertex layout, blending, colour mask, depth and stencil tests, the
    // target's format and depth surface, and for each unit the program
    // reads, the class of the texture GL has there and the sampling.
    using DrawStateKey = std::array<uint64_t, 8 + 2 * kSamplerStages>;

    bool onDeviceThread() const { return std::this_thread::get_id() == thread_; }
    void collectReleased();
    void makeBackBuffer();
    // Takes a depth surface about to go away off every colour target.
    void forgetDepth(GLuint renderbuffer);
    void setDefaultStates();
    void bindTarget();
    void bindFramebuffer(GLuint framebuffer);
    // Realizes a texture, noting the unit its upload left it bound to.
    void realize(GlTexture* texture);
    // Binds the texture (null: none) to the unit, noting its class.
    void bindUnit(int unit, const GlTexture* texture);
    void setUnit(int unit, GLuint name, uint64_t textureClass);
    // Forgets the units holding a texture GL is about to delete.
    void forgetUnitName(GLuint name);
    void bindUnits(const Program& p, bool solid);
    void sendUniforms(Program& p);
    // Copies the vertices into the stream buffer, a fill's marked for the
    // carrier; the index of the first.
    GLint streamVertices(const void* vertices, GLsizeiptr bytes, int stride, bool solid);
    void applyBlend();
    void applyStencil();
    void applyRenderState(RenderState state);
    void applySampler(int stage);
    void applyScissor();
    GLuint compileStage(GLenum kind, int index);
    Program* program(int vertexStage, int pixelStage);
    Program* useProgram(int vertexStage, int pixelStage);
    // The pixel stage that draws pixelStage; solid: drawn by the carrier.
    static int drawnPixelStage(int pixelStage, bool& solid);
    int vertexStage() const;
    void bindVertexFormat(int stride);
    // Counts the draw's combination of program and states when new.
    void noteDrawState(const Program& p);

    // The back buffer's colour as last set but not drawn yet (see
    // gl_device_back_buffer.cpp): a whole clear, or a whole copy of a
    // target texture of its size, which present and reads take from the
    // texture itself.
    struct PendingColour {
        enum class Kind { None, Clear, Copy } kind = Kind::None;
        uint32_t colour = 0;
        GlTexture* source = nullptr;
    };
    // Whether the draw copies a texture onto the whole back buffer, texel
    // for pixel, with nothing of the back buffer left showing.
    bool isWholeCopy(PrimitiveType type, int primitiveCount, const void* vertices, int stride) const;
    // Before a write to the surface (whole: every pixel of its colour
    // replaced): draws what the back buffer still owes when the write would
    // change or need it.
    void beforeWrite(const GlColourSurface* surface, bool whole);
    void settleBackBuffer();
    // A whole copy onto a target texture, texel for pixel.
    void copyWhole(GlTexture& source);
    // The surface the back buffer's picture is read from.
    GlColourSurface* backBufferPicture();

    SDL_Window* window_;
    SDL_GLContext context_;
    std::thread::id thread_;
    PresentParams params_;
    bool swapIntervalSet_ = false;
    bool windowHasAlpha_ = true;

    std::mutex mutex_;  // guards textures_ and released_
    std::vector<std::unique_ptr<GlTexture>> textures_;
    std::vector<GlTexture*> released_;
    std::atomic<bool> releasePending_{false};

    std::vector<std::unique_ptr<GlDepthSurface>> depthSurfaces_;
    std::vector<std::unique_ptr<VertexShader>> vertexShaders_;
    std::vector<std::unique_ptr<PixelShader>> pixelShaders_;
    std::map<std::pair<int, int>, Program> programs_;
    std::map<int, GLuint> vertexStages_;
    std::map<int, GLuint> pixelStages_;

    GLuint backBufferTexture_ = 0;
    std::unique_ptr<GlColourSurface> backBuffer_;
    std::unique_ptr<GlDepthSurface> autoDepth_;
    GLuint vertexArray_ = 0;
    GLuint vertexBuffer_ = 0;
    GLsizeiptr streamSize_ = 0;
    GLsizeiptr streamOffset_ = 0;
    std::array<GLuint, kSamplerStages> samplers_{};

    // What GL has now, so unchanged state is not sent again.
    std::array<GLuint, kSamplerStages> unitNames_{};
    std::array<uint64_t, kSamplerStages> unitClasses_{};
    int activeUnit_ = 0;
    GLuint drawFramebuffer_ = kUnknownName;
    GLuint usedProgram_ = 0;
    std::pair<int, int> programKey_{0, 0};
    Program* lastProgram_ = nullptr;
    VertexFormat layoutFormat_ = VertexFormat::Coloured;
    int layoutStride_ = 0;
    uint64_t vertexConstantsVersion_ = 1;
    uint64_t pixelConstantsVersion_ = 1;

    PendingColour pending_;
    GlColourSurface* target_ = nullptr;
    GlDepthSurface* depth_ = nullptr;
    Viewport viewport_;
    Rect scissor_;
    std::array<uint32_t, size_t(RenderState::Count)> renderStates_{};
    std::array<std::array<uint32_t, size_t(SamplerState::Count)>, kSamplerStages> samplerStates_{};
    std::array<GlTexture*, kSamplerStages> bound_{};
    VertexFormat format_ = VertexFormat::Coloured;
    VertexShader* vertexShader_ = nullptr;
    PixelShader* pixelShader_ = nullptr;
    std::array<float, kVertexConstantRegisters * 4> vertexConstants_{};
    std::array<float, kPixelConstantRegisters * 4> pixelConstants_{};

    DeviceCounters counters_;
    std::set<DrawStateKey> drawStates_;
    // Set by any change a draw's state key reads, so unchanged draws skip it.
    bool drawStateChanged_ = true;
};

}  // namespace platform::gl
