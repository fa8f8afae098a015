#pragma once
// A device that draws nothing: it keeps every state it is given and records
// each call, so renderer logic can be tested without comparing pixels. Locks
// work on CPU buffers; readSurface gives the colour of the last clear or fill.
//
// Threads: as the Device interface says; the record is guarded by a mutex, so
// textures may be made and filled from loader threads.

#include <array>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "platform/device/device.h"
#include "platform/device/texture_staging.h"

namespace platform {

class RecordingDevice final : public Device {
public:
    // What a draw saw: the call and every state it was drawn with.
    struct Draw {
        PrimitiveType type = PrimitiveType::TriangleList;
        int primitives = 0;
        int stride = 0;
        VertexFormat format = VertexFormat::Coloured;
        std::vector<uint8_t> vertices;
        std::array<Texture*, kSamplerStages> textures{};
        int vertexShader = -1;  // table index, -1 for none
        int pixelShader = -1;
        Surface* target = nullptr;
        Surface* depth = nullptr;
        Viewport viewport;
        std::array<uint32_t, size_t(RenderState::Count)> renderStates{};
        std::array<std::array<uint32_t, size_t(SamplerState::Count)>, kSamplerStages> samplers{};
        std::array<float, kVertexConstantRegisters * 4> vertexConstants{};
        std::array<float, kPixelConstantRegisters * 4> pixelConstants{};
        bool inScene = false;

        uint32_t state(RenderState s) const { return renderStates[size_t(s)]; }
        float vertexFloat(int index) const;  // index-th float of the vertex data
    };

    explicit RecordingDevice(const PresentParams& params = {});
    ~RecordingDevice() override;

    // One line per call, such as "setRenderState AlphaBlendEnable 1" or
    // "drawPrimitiveUP TriangleFan 2 28".
    std::vector<std::string> calls();
    std::vector<Draw> draws();
    void clearRecord();
    // The creations of textures and depth surfaces that are to fail next.
    void failCreations(int count);
    int liveTextures();
    int liveDepthStencils();
    int resetCount();
    // The mode currentDisplayMode reports (by default the back buffer's size, refresh 0).
    void setDisplayMode(const DisplayMode& mode);
    const PresentParams& params() const { return params_; }
    std::string nameOf(const Surface* surface);
    std::string nameOf(const Texture* texture);

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

    void beginScene() override;
    void endScene() override;
    void drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride) override;
    void prepareProgram(VertexFormat format, VertexShader* vertexShader, PixelShader* pixelShader) override;

    DeviceStatus testCooperativeLevel() override;
    bool reset(const PresentParams& params) override;
    DeviceStatus present(const Rect* source, const Rect* destination) override;
    DisplayMode currentDisplayMode() override;
    std::vector<uint32_t> readSurface(Surface* surface, const Rect& rect) override;

private:
    class RecSurface;
    class RecTexture;

    void log(std::string line);
    void setDefaults();
    bool takeFailure();

    std::mutex mutex_;
    PresentParams params_;
    std::vector<std::string> calls_;
    std::vector<Draw> draws_;
    std::vector<std::unique_ptr<RecTexture>> textures_;
    std::vector<std::unique_ptr<RecSurface>> depthSurfaces_;
    std::vector<std::unique_ptr<VertexShader>> vertexShaders_;
    std::vector<std::unique_ptr<PixelShader>> pixelShaders_;
    std::unique_ptr<RecSurface> backBuffer_;
    int nextId_ = 1;
    int failures_ = 0;
    int resets_ = 0;
    bool hasDisplayMode_ = false;
    DisplayMode displayMode_;

    Surface* target_ = nullptr;
    Surface* depth_ = nullptr;
    Viewport viewport_;
    Rect scissor_;
    std::array<uint32_t, size_t(RenderState::Count)> renderStates_{};
    std::array<std::array<uint32_t, size_t(SamplerState::Count)>, kSamplerStages> samplers_{};
    std::array<Texture*, kSamplerStages> boundTextures_{};
    VertexFormat format_ = VertexFormat::Coloured;
    VertexShader* vertexShader_ = nullptr;
    PixelShader* pixelShader_ = nullptr;
    std::array<float, kVertexConstantRegisters * 4> vertexConstants_{};
    std::array<float, kPixelConstantRegisters * 4> pixelConstants_{};
    bool inScene_ = false;
};

const char* renderStateName(RenderState state);
const char* samplerStateName(SamplerState state);

}  // namespace platform
