#include "platform/device/recording/recording_device.h"

#include <algorithm>
#include <cstring>

namespace platform {

namespace {

const char* primitiveName(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::TriangleList: return "TriangleList";
    case PrimitiveType::TriangleStrip: return "TriangleStrip";
    case PrimitiveType::TriangleFan: return "TriangleFan";
    }
    return "?";
}

const char* formatName(VertexFormat format) {
    switch (format) {
    case VertexFormat::ScreenSpace: return "ScreenSpace";
    case VertexFormat::Coloured: return "Coloured";
    case VertexFormat::TwoTexture: return "TwoTexture";
    }
    return "?";
}

std::string hex(uint32_t v) {
    char text[16];
    snprintf(text, sizeof text, "%08X", v);
    return text;
}

template <typename T>
void eraseOwned(std::vector<std::unique_ptr<T>>& list, const void* item) {
    list.erase(std::remove_if(list.begin(), list.end(), [&](const auto& p) { return p.get() == item; }),
               list.end());
}

}  // namespace

const char* renderStateName(RenderState state) {
    static const char* const names[] = {
        "AlphaBlendEnable", "SeparateAlphaBlendEnable", "BlendOp", "SrcBlend", "DestBlend",
        "BlendOpAlpha", "SrcBlendAlpha", "DestBlendAlpha", "AlphaTestEnable", "AlphaRef",
        "AlphaFunc", "StencilEnable", "StencilFunc", "StencilRef", "StencilMask",
        "StencilWriteMask", "StencilFail", "StencilZFail", "StencilPass", "ZEnable",
        "ZWriteEnable", "ZFunc", "CullMode", "ScissorTestEnable", "ColorWriteEnable",
    };
    static_assert(std::size(names) == size_t(RenderState::Count));
    return names[size_t(state)];
}

const char* samplerStateName(SamplerState state) {
    static const char* const names[] = {"MinFilter", "MagFilter", "MipFilter", "AddressU", "AddressV"};
    static_assert(std::size(names) == size_t(SamplerState::Count));
    return names[size_t(state)];
}

class RecordingDevice::RecSurface final : public Surface {
public:
    RecSurface(std::string name, int width, int height, PixelFormat format)
        : Surface(width, height, format), name(std::move(name)) {}
    void setSize(int width, int height) { resize(width, height); }
    std::string name;
    uint32_t fill = 0;
};

class RecordingDevice::RecTexture final : public Texture {
public:
    RecTexture(int id, const TextureDesc& desc) : Texture(desc), id(id), staging(desc) {
        if (desc.usage == TextureUsage::RenderTarget)
            target = std::make_unique<RecSurface>("tex#" + std::to_string(id), desc.width, desc.height, desc.format);
    }
    Surface* surface() override { return target.get(); }
    int id;
    TextureStaging staging;
    std::unique_ptr<RecSurface> target;
};

float RecordingDevice::Draw::vertexFloat(int index) const {
    float v = 0;
    if (size_t(index + 1) * 4 <= vertices.size()) std::memcpy(&v, vertices.data() + index * 4, 4);
    return v;
}

RecordingDevice::RecordingDevice(const PresentParams& params) : params_(params) {
    backBuffer_ = std::make_unique<RecSurface>("backbuffer", std::max(params.backBufferWidth, 1),
                                               std::max(params.backBufferHeight, 1), PixelFormat::X8R8G8B8);
    setDefaults();
}

RecordingDevice::~RecordingDevice() = default;

void RecordingDevice::setDefaults() {
    for (size_t i = 0; i < renderStates_.size(); ++i) renderStates_[i] = defaultRenderState(RenderState(i));
    renderStates_[size_t(RenderState::ZEnable)] = params_.autoDepthStencil;
    for (auto& stage : samplers_)
        for (size_t i = 0; i < stage.size(); ++i) stage[i] = defaultSamplerState(SamplerState(i));
    boundTextures_ = {};
    target_ = backBuffer_.get();
    depth_ = nullptr;
    viewport_ = {0, 0, backBuffer_->width(), backBuffer_->height()};
    scissor_ = {0, 0, backBuffer_->width(), backBuffer_->height()};
    vertexShader_ = nullptr;
    pixelShader_ = nullptr;
    format_ = VertexFormat::Coloured;
}

void RecordingDevice::log(std::string line) { calls_.push_back(std::move(line)); }

std::vector<std::string> RecordingDevice::calls() {
    std::lock_guard lock(mutex_);
    return calls_;
}

std::vector<RecordingDevice::Draw> RecordingDevice::draws() {
    std::lock_guard lock(mutex_);
    return draws_;
}

void RecordingDevice::clearRecord() {
    std::lock_guard lock(mutex_);
    calls_.clear();
    draws_.clear();
}

void RecordingDevice::failCreations(int count) {
    std::lock_guard lock(mutex_);
    failures_ = count;
}

bool RecordingDevice::takeFailure() {
    if (failures_ <= 0) return false;
    --failures_;
    return true;
}

int RecordingDevice::liveTextures() {
    std::lock_guard lock(mutex_);
    return int(textures_.size());
}

int RecordingDevice::liveDepthStencils() {
    std::lock_guard lock(mutex_);
    return int(depthSurfaces_.size());
}

int RecordingDevice::resetCount() {
    std::lock_guard lock(mutex_);
    return resets_;
}

std::string RecordingDevice::nameOf(const Surface* surface) {
    if (!surface) return "null";
    return static_cast<const RecSurface*>(surface)->name;
}

std::string RecordingDevice::nameOf(const Texture* texture) {
    if (!texture) return "null";
    return "tex#" + std::to_string(static_cast<const RecTexture*>(texture)->id);
}

Texture* RecordingDevice::createTexture(const TextureDesc& desc) {
    std::lock_guard lock(mutex_);
    if (desc.width <= 0 || desc.height <= 0 || takeFailure()) {
        log("createTexture failed");
        return nullptr;
    }
    textures_.push_back(std::make_unique<RecTexture>(nextId_++, desc));
    log("createTexture " + nameOf(textures_.back().get()) + " " + std::to_string(desc.width) + "x" +
        std::to_string(desc.height) + " levels " + std::to_string(desc.levels) + " format " +
        std::to_string(uint32_t(desc.format)) + " usage " + std::to_string(int(desc.usage)));
    return textures_.back().get();
}

void RecordingDevice::releaseTexture(Texture* texture) {
    std::lock_guard lock(mutex_);
    if (!texture) return;
    log("releaseTexture " + nameOf(texture));
    for (auto& bound : boundTextures_)
        if (bound == texture) bound = nullptr;
    if (target_ && target_ == texture->surface()) target_ = backBuffer_.get();
    eraseOwned(textures_, texture);
}

bool RecordingDevice::lockTexture(Texture* texture, int level, const Rect* rect, bool discard, LockedRect& out) {
    if (!texture || texture->desc().usage == TextureUsage::RenderTarget) return false;
    const bool ok = static_cast<RecTexture*>(texture)->staging.lock(level, rect, out, discard);
    std::lock_guard lock(mutex_);
    log("lockTexture " + nameOf(texture) + " level " + std::to_string(level) + (discard ? " discard" : "") +
        (ok ? "" : " failed"));
    return ok;
}

void RecordingDevice::unlockTexture(Texture* texture, int level) {
    if (!texture) return;
    static_cast<RecTexture*>(texture)->staging.unlock(level);
    std::lock_guard lock(mutex_);
    log("unlockTexture " + nameOf(texture) + " level " + std::to_string(level));
}

Surface* RecordingDevice::createDepthStencil(int width, int height, PixelFormat format) {
    std::lock_guard lock(mutex_);
    if (width <= 0 || height <= 0 || takeFailure()) {
        log("createDepthStencil failed");
        return nullptr;
    }
    const std::string name = "depth#" + std::to_string(nextId_++);
    depthSurfaces_.push_back(std::make_unique<RecSurface>(name, width, height, format));
    log("createDepthStencil " + name + " " + std::to_string(width) + "x" + std::to_string(height));
    return depthSurfaces_.back().get();
}

void RecordingDevice::releaseDepthStencil(Surface* surface) {
    std::lock_guard lock(mutex_);
    if (!surface) return;
    log("releaseDepthStencil " + nameOf(surface));
    if (depth_ == surface) depth_ = nullptr;
    eraseOwned(depthSurfaces_, surface);
}

VertexShader* RecordingDevice::createVertexShader(int index) {
    std::lock_guard lock(mutex_);
    log("createVertexShader " + std::to_string(index));
    if (index < 0 || index >= kVertexShaderCount) return nullptr;
    vertexShaders_.push_back(std::make_unique<VertexShader>(index));
    return vertexShaders_.back().get();
}

PixelShader* RecordingDevice::createPixelShader(int index) {
    std::lock_guard lock(mutex_);
    log("createPixelShader " + std::to_string(index));
    if (index < 0 || index >= kPixelShaderCount) return nullptr;
    pixelShaders_.push_back(std::make_unique<PixelShader>(index));
    return pixelShaders_.back().get();
}

void RecordingDevice::releaseShader(VertexShader* shader) {
    std::lock_guard lock(mutex_);
    if (vertexShader_ == shader) vertexShader_ = nullptr;
    eraseOwned(vertexShaders_, shader);
}

void RecordingDevice::releaseShader(PixelShader* shader) {
    std::lock_guard lock(mutex_);
    if (pixelShader_ == shader) pixelShader_ = nullptr;
    eraseOwned(pixelShaders_, shader);
}

Surface* RecordingDevice::backBuffer() { return backBuffer_.get(); }

void RecordingDevice::setRenderTarget(Surface* surface) {
    std::lock_guard lock(mutex_);
    log("setRenderTarget " + nameOf(surface));
    if (!surface) return;
    target_ = surface;
    viewport_ = {0, 0, surface->width(), surface->height()};
    scissor_ = {0, 0, surface->width(), surface->height()};
}

Surface* RecordingDevice::renderTarget() { return target_; }

void RecordingDevice::setDepthStencil(Surface* surface) {
    std::lock_guard lock(mutex_);
    log("setDepthStencil " + nameOf(surface));
    depth_ = surface;
}

Surface* RecordingDevice::depthStencil() { return depth_; }

void RecordingDevice::setViewport(const Viewport& v) {
    std::lock_guard lock(mutex_);
    log("setViewport " + std::to_string(v.x) + " " + std::to_string(v.y) + " " + std::to_string(v.width) + " " +
        std::to_string(v.height));
    viewport_ = v;
}

Viewport RecordingDevice::viewport() { return viewport_; }

void RecordingDevice::setScissorRect(const Rect& r) {
    std::lock_guard lock(mutex_);
    log("setScissorRect " + std::to_string(r.left) + " " + std::to_string(r.top) + " " + std::to_string(r.right) +
        " " + std::to_string(r.bottom));
    scissor_ = r;
}

Rect RecordingDevice::scissorRect() { return scissor_; }

void RecordingDevice::clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
    std::lock_guard lock(mutex_);
    log("clear " + std::to_string(flags) + " " + hex(colour) + " " + std::to_string(z) + " " +
        std::to_string(stencil) + " on " + nameOf(target_));
    if ((flags & kClearTarget) && target_) static_cast<RecSurface*>(target_)->fill = colour;
}

void RecordingDevice::colorFill(Surface* surface, uint32_t colour) {
    std::lock_guard lock(mutex_);
    log("colorFill " + nameOf(surface) + " " + hex(colour));
    if (surface) static_cast<RecSurface*>(surface)->fill = colour;
}

void RecordingDevice::setRenderState(RenderState state, uint32_t value) {
    std::lock_guard lock(mutex_);
    log(std::string("setRenderState ") + renderStateName(state) + " " + std::to_string(value));
    renderStates_[size_t(state)] = value;
}

uint32_t RecordingDevice::renderState(RenderState state) { return renderStates_[size_t(state)]; }

void RecordingDevice::setSamplerState(int stage, SamplerState state, uint32_t value) {
    std::lock_guard lock(mutex_);
    log("setSamplerState " + std::to_string(stage) + " " + samplerStateName(state) + " " + std::to_string(value));
    if (stage >= 0 && stage < kSamplerStages) samplers_[stage][size_t(state)] = value;
}

uint32_t RecordingDevice::samplerState(int stage, SamplerState state) {
    return stage >= 0 && stage < kSamplerStages ? samplers_[stage][size_t(state)] : 0;
}

void RecordingDevice::setTexture(int stage, Texture* texture) {
    std::lock_guard lock(mutex_);
    log("setTexture " + std::to_string(stage) + " " + nameOf(texture));
    if (stage >= 0 && stage < kSamplerStages) boundTextures_[stage] = texture;
}

Texture* RecordingDevice::texture(int stage) {
    return stage >= 0 && stage < kSamplerStages ? boundTextures_[stage] : nullptr;
}

void RecordingDevice::setVertexFormat(VertexFormat format) {
    std::lock_guard lock(mutex_);
    log(std::string("setVertexFormat ") + formatName(format));
    format_ = format;
}

void RecordingDevice::setVertexShader(VertexShader* shader) {
    std::lock_guard lock(mutex_);
    log("setVertexShader " + (shader ? std::to_string(shader->index()) : std::string("null")));
    vertexShader_ = shader;
}

VertexShader* RecordingDevice::vertexShader() { return vertexShader_; }

void RecordingDevice::setPixelShader(PixelShader* shader) {
    std::lock_guard lock(mutex_);
    log("setPixelShader " + (shader ? std::to_string(shader->index()) : std::string("null")));
    pixelShader_ = shader;
}

PixelShader* RecordingDevice::pixelShader() { return pixelShader_; }

void RecordingDevice::setVertexShaderConstants(int start, const float* values, int registers) {
    std::lock_guard lock(mutex_);
    log("setVertexShaderConstants " + std::to_string(start) + " " + std::to_string(registers));
    for (int i = 0; i < registers * 4 && start * 4 + i < int(vertexConstants_.size()); ++i)
        if (start >= 0) vertexConstants_[start * 4 + i] = values[i];
}

void RecordingDevice::setPixelShaderConstants(int start, const float* values, int registers) {
    std::lock_guard lock(mutex_);
    log("setPixelShaderConstants " + std::to_string(start) + " " + std::to_string(registers));
    for (int i = 0; i < registers * 4 && start * 4 + i < int(pixelConstants_.size()); ++i)
        if (start >= 0) pixelConstants_[start * 4 + i] = values[i];
}

void RecordingDevice::beginScene() {
    std::lock_guard lock(mutex_);
    log("beginScene");
    inScene_ = true;
}

void RecordingDevice::endScene() {
    std::lock_guard lock(mutex_);
    log("endScene");
    inScene_ = false;
}

void RecordingDevice::prepareProgram(VertexFormat format, VertexShader* vertexShader, PixelShader* pixelShader) {
    std::lock_guard lock(mutex_);
    log("prepareProgram " + std::to_string(int(format)) + " " +
        (vertexShader ? std::to_string(vertexShader->index()) : std::string("null")) + " " +
        (pixelShader ? std::to_string(pixelShader->index()) : std::string("null")));
}

void RecordingDevice::drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride) {
    std::lock_guard lock(mutex_);
    log(std::string("drawPrimitiveUP ") + primitiveName(type) + " " + std::to_string(primitiveCount) + " " +
        std::to_string(stride));
    Draw d;
    d.type = type;
    d.primitives = primitiveCount;
    d.stride = stride;
    d.format = format_;
    const size_t bytes = size_t(primitiveVertexCount(type, primitiveCount)) * size_t(std::max(stride, 0));
    const auto* first = static_cast<const uint8_t*>(vertices);
    if (first) d.vertices.assign(first, first + bytes);
    d.textures = boundTextures_;
    d.vertexShader = vertexShader_ ? vertexShader_->index() : -1;
    d.pixelShader = pixelShader_ ? pixelShader_->index() : -1;
    d.target = target_;
    d.depth = depth_;
    d.viewport = viewport_;
    d.renderStates = renderStates_;
    d.samplers = samplers_;
    d.vertexConstants = vertexConstants_;
    d.pixelConstants = pixelConstants_;
    d.inScene = inScene_;
    draws_.push_back(std::move(d));
}

DeviceStatus RecordingDevice::testCooperativeLevel() { return DeviceStatus::Ok; }

bool RecordingDevice::reset(const PresentParams& params) {
    std::lock_guard lock(mutex_);
    log("reset " + std::to_string(params.backBufferWidth) + "x" + std::to_string(params.backBufferHeight) +
        (params.windowed ? " windowed" : " fullscreen"));
    params_ = params;
    ++resets_;
    backBuffer_->setSize(std::max(params.backBufferWidth, 1), std::max(params.backBufferHeight, 1));
    setDefaults();
    return true;
}

DeviceStatus RecordingDevice::present(const Rect* source, const Rect* destination) {
    std::lock_guard lock(mutex_);
    auto text = [](const Rect* r) {
        if (!r) return std::string("whole");
        return std::to_string(r->left) + "," + std::to_string(r->top) + "," + std::to_string(r->right) + "," +
               std::to_string(r->bottom);
    };
    log("present " + text(source) + " " + text(destination));
    return DeviceStatus::Ok;
}

void RecordingDevice::setDisplayMode(const DisplayMode& mode) {
    hasDisplayMode_ = true;
    displayMode_ = mode;
}

DisplayMode RecordingDevice::currentDisplayMode() {
    if (hasDisplayMode_) return displayMode_;
    return {params_.backBufferWidth, params_.backBufferHeight, params_.refreshRate, PixelFormat::X8R8G8B8};
}

std::vector<uint32_t> RecordingDevice::readSurface(Surface* surface, const Rect& rect) {
    const uint32_t fill = surface ? static_cast<RecSurface*>(surface)->fill : 0;
    return std::vector<uint32_t>(size_t(std::max(rect.width(), 0)) * size_t(std::max(rect.height(), 0)), fill);
}

}  // namespace platform
