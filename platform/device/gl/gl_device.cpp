#include "platform/device/gl/gl_device.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "platform/device/gl/gl_shader_sources.h"

namespace platform::gl {

namespace {

GLenum glCompare(uint32_t f) {
    static const GLenum map[] = {GL_NEVER, GL_LESS, GL_EQUAL, GL_LEQUAL, GL_GREATER, GL_NOTEQUAL, GL_GEQUAL, GL_ALWAYS};
    return f < std::size(map) ? map[f] : GL_ALWAYS;
}

GLenum glBlendOp(uint32_t op) {
    static const GLenum map[] = {GL_FUNC_ADD, GL_FUNC_SUBTRACT, GL_FUNC_REVERSE_SUBTRACT, GL_MIN, GL_MAX};
    return op < std::size(map) ? map[op] : GL_FUNC_ADD;
}

GLenum glBlend(uint32_t b) {
    static const GLenum map[] = {GL_ZERO,      GL_ONE,           GL_SRC_COLOR, GL_ONE_MINUS_SRC_COLOR,
                                 GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA, GL_DST_ALPHA, GL_ONE_MINUS_DST_ALPHA,
                                 GL_DST_COLOR, GL_ONE_MINUS_DST_COLOR};
    return b < std::size(map) ? map[b] : GL_ONE;
}

GLenum glStencilOpOf(uint32_t op) {
    static const GLenum map[] = {GL_KEEP, GL_ZERO, GL_REPLACE, GL_INCR, GL_DECR, GL_INVERT, GL_INCR_WRAP, GL_DECR_WRAP};
    return op < std::size(map) ? map[op] : GL_KEEP;
}

GLenum glWrap(uint32_t mode) {
    switch (AddressMode(mode)) {
    case AddressMode::Mirror: return GL_MIRRORED_REPEAT;
    case AddressMode::Clamp: return GL_CLAMP_TO_EDGE;
    default: return GL_REPEAT;
    }
}

GLenum glMinFilter(uint32_t filter, uint32_t mip) {
    const bool linear = TextureFilter(filter) == TextureFilter::Linear;
    switch (TextureFilter(mip)) {
    case TextureFilter::Point: return linear ? GL_LINEAR_MIPMAP_NEAREST : GL_NEAREST_MIPMAP_NEAREST;
    case TextureFilter::Linear: return linear ? GL_LINEAR_MIPMAP_LINEAR : GL_NEAREST_MIPMAP_LINEAR;
    default: return linear ? GL_LINEAR : GL_NEAREST;
    }
}

GLenum glPrimitive(PrimitiveType type) {
    switch (type) {
    case PrimitiveType::TriangleStrip: return GL_TRIANGLE_STRIP;
    case PrimitiveType::TriangleFan: return GL_TRIANGLE_FAN;
    default: return GL_TRIANGLES;
    }
}

// What of a texture the rasteriser's code depends on: the format, whether
// each side is a power of two, and whether it has levels below the first.
uint64_t textureClass(PixelFormat format, int width, int height, int levels) {
    const auto pot = [](int n) { return uint64_t(n > 0 && (n & (n - 1)) == 0); };
    return uint64_t(format) << 8 | pot(width) << 2 | pot(height) << 1 | uint64_t(levels > 1) | 1u << 3;
}

uint64_t textureClass(const GlTexture& t) {
    const TextureDesc& d = t.desc();
    return textureClass(d.format, d.width, d.height, d.levels);
}

// The alpha bits of the window's framebuffer (bound now); unknown counts as some.
GLint windowAlphaBits() {
    GLint bits = -1;
    for (GLenum buffer : {GL_BACK_LEFT, GL_FRONT_LEFT}) {
        glGetFramebufferAttachmentParameteriv(GL_DRAW_FRAMEBUFFER, buffer, GL_FRAMEBUFFER_ATTACHMENT_ALPHA_SIZE, &bits);
        if (glGetError() == GL_NO_ERROR) return bits;
    }
    return -1;
}

bool opaqueFormat(PixelFormat f) { return f == PixelFormat::X8R8G8B8 || f == PixelFormat::R5G6B5; }

// Room for a frame's vertices before the stream buffer is orphaned.
constexpr GLsizeiptr kStreamBytes = GLsizeiptr(4) << 20;

void setClearColour(uint32_t argb) {
    glClearColor(float((argb >> 16) & 0xFF) / 255.0f, float((argb >> 8) & 0xFF) / 255.0f,
                 float(argb & 0xFF) / 255.0f, float(argb >> 24) / 255.0f);
}

}  // namespace

GlDevice::GlDevice(SDL_Window* window, SDL_GLContext context, const PresentParams& params)
    : window_(window), context_(context), thread_(std::this_thread::get_id()), params_(params) {
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGenVertexArrays(1, &vertexArray_);
    glBindVertexArray(vertexArray_);
    glGenBuffers(1, &vertexBuffer_);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    streamSize_ = kStreamBytes;
    glBufferData(GL_ARRAY_BUFFER, streamSize_, nullptr, GL_STREAM_DRAW);
    glActiveTexture(GL_TEXTURE0);
    glGenSamplers(kSamplerStages, samplers_.data());
    for (int i = 0; i < kSamplerStages; ++i) glBindSampler(i, samplers_[i]);
    swapIntervalSet_ = SDL_GL_SetSwapInterval(params.intervalOne ? 1 : 0) == 0 && params.intervalOne;
    windowHasAlpha_ = windowAlphaBits() != 0;
    makeBackBuffer();
    setDefaultStates();
}

GlDevice::~GlDevice() {
    SDL_GL_MakeCurrent(window_, context_);
    textures_.clear();
    depthSurfaces_.clear();
    autoDepth_.reset();
    backBuffer_.reset();
    glDeleteTextures(1, &backBufferTexture_);
    for (auto& [key, p] : programs_) glDeleteProgram(p.id);
    for (auto& [index, s] : vertexStages_) glDeleteShader(s);
    for (auto& [index, s] : pixelStages_) glDeleteShader(s);
    glDeleteSamplers(kSamplerStages, samplers_.data());
    glDeleteBuffers(1, &vertexBuffer_);
    glDeleteVertexArrays(1, &vertexArray_);
    SDL_GL_DeleteContext(context_);
}

void GlDevice::makeBackBuffer() {
    const int w = std::max(params_.backBufferWidth, 1), h = std::max(params_.backBufferHeight, 1);
    pending_ = {};
    backBuffer_.reset();
    if (backBufferTexture_) {
        forgetUnitName(backBufferTexture_);
        glDeleteTextures(1, &backBufferTexture_);
    }
    glGenTextures(1, &backBufferTexture_);
    glBindTexture(GL_TEXTURE_2D, backBufferTexture_);
    setUnit(activeUnit_, backBufferTexture_, textureClass(PixelFormat::X8R8G8B8, w, h, 1));
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    // Set up as a target texture of its format is, so that the two can
    // trade storage.
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, glFormat(PixelFormat::X8R8G8B8).swizzle);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    backBuffer_ = std::make_unique<GlColourSurface>(w, h, PixelFormat::X8R8G8B8, backBufferTexture_);
    drawFramebuffer_ = kUnknownName;
    if (autoDepth_) {
        forgetDepth(autoDepth_->renderbuffer());
        autoDepth_.reset();
    }
    if (params_.autoDepthStencil) autoDepth_ = std::make_unique<GlDepthSurface>(w, h, params_.depthStencilFormat);
}

void GlDevice::forgetDepth(GLuint renderbuffer) {
    auto detach = [&](GlColourSurface* s) {
        bindFramebuffer(s->framebuffer());
        s->detachDepth(renderbuffer);
    };
    if (backBuffer_) detach(backBuffer_.get());
    std::lock_guard lock(mutex_);
    for (auto& t : textures_)
        if (auto* s = static_cast<GlColourSurface*>(t->surface())) detach(s);
}

void GlDevice::setDefaultStates() {
    for (size_t i = 0; i < renderStates_.size(); ++i) renderStates_[i] = defaultRenderState(RenderState(i));
    renderStates_[size_t(RenderState::ZEnable)] = params_.autoDepthStencil;
    for (size_t i = 0; i < renderStates_.size(); ++i) applyRenderState(RenderState(i));
    for (int stage = 0; stage < kSamplerStages; ++stage) {
        for (size_t i = 0; i < samplerStates_[stage].size(); ++i)
            samplerStates_[stage][i] = defaultSamplerState(SamplerState(i));
        applySampler(stage);
    }
    bound_ = {};
    target_ = backBuffer_.get();
    depth_ = autoDepth_.get();
    viewport_ = {};
    setViewport({0, 0, target_->width(), target_->height()});
    scissor_ = {0, 0, target_->width(), target_->height()};
    applyScissor();
    vertexShader_ = nullptr;
    pixelShader_ = nullptr;
    format_ = VertexFormat::Coloured;
    drawStateChanged_ = true;
}

void GlDevice::collectReleased() {
    if (!releasePending_.exchange(false)) return;
    std::lock_guard lock(mutex_);
    for (GlTexture* t : released_) {
        for (auto& b : bound_)
            if (b == t) b = nullptr;
        // GL unbinds a deleted texture, and the name comes back for the
        // next texture made: a unit remembered as holding it would skip
        // binding that one.
        forgetUnitName(t->name());
        if (pending_.source == t) settleBackBuffer();
        if (t->surface()) {
            if (target_ == t->surface()) {
                target_ = backBuffer_.get();
                drawStateChanged_ = true;
            }
            if (drawFramebuffer_ == static_cast<GlColourSurface*>(t->surface())->framebuffer())
                drawFramebuffer_ = kUnknownName;
        }
        textures_.erase(std::remove_if(textures_.begin(), textures_.end(), [&](auto& p) { return p.get() == t; }),
                        textures_.end());
    }
    released_.clear();
}

Texture* GlDevice::createTexture(const TextureDesc& desc) {
    if (desc.width <= 0 || desc.height <= 0 || desc.levels <= 0) return nullptr;
    if (desc.usage == TextureUsage::RenderTarget && isBlockCompressed(desc.format)) return nullptr;
    auto texture = std::make_unique<GlTexture>(desc);
    GlTexture* t = texture.get();
    if (onDeviceThread()) realize(t);
    std::lock_guard lock(mutex_);
    textures_.push_back(std::move(texture));
    return t;
}

void GlDevice::releaseTexture(Texture* texture) {
    if (!texture) return;
    {
        std::lock_guard lock(mutex_);
        released_.push_back(static_cast<GlTexture*>(texture));
        releasePending_ = true;
    }
    if (onDeviceThread()) collectReleased();
}

bool GlDevice::lockTexture(Texture* texture, int level, const Rect* rect, bool discard, LockedRect& out) {
    if (!texture || texture->desc().usage == TextureUsage::RenderTarget) return false;
    return static_cast<GlTexture*>(texture)->staging().lock(level, rect, out, discard);
}

void GlDevice::unlockTexture(Texture* texture, int level) {
    if (!texture) return;
    auto* t = static_cast<GlTexture*>(texture);
    t->staging().unlock(level);
    // A managed texture's pixels go up now rather than at its first draw, so
    // that its CPU copy is freed at once, even for one not drawn for a while.
    if (texture->desc().usage == TextureUsage::Managed && onDeviceThread()) realize(t);
}

Surface* GlDevice::createDepthStencil(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) return nullptr;
    depthSurfaces_.push_back(std::make_unique<GlDepthSurface>(width, height, format));
    return depthSurfaces_.back().get();
}

void GlDevice::releaseDepthStencil(Surface* surface) {
    auto* s = static_cast<GlDepthSurface*>(surface);
    if (!s) return;
    if (depth_ == s) {
        depth_ = nullptr;
        drawStateChanged_ = true;
    }
    forgetDepth(s->renderbuffer());
    depthSurfaces_.erase(std::remove_if(depthSurfaces_.begin(), depthSurfaces_.end(),
                                        [&](auto& p) { return p.get() == s; }),
                         depthSurfaces_.end());
}

GLuint GlDevice::compileStage(GLenum kind, int index) {
    auto& cache = kind == GL_VERTEX_SHADER ? vertexStages_ : pixelStages_;
    if (auto it = cache.find(index); it != cache.end()) return it->second;
    const std::string source = kind == GL_VERTEX_SHADER ? vertexShaderSource(index) : pixelShaderSource(index);
    GLuint shader = 0;
    if (!source.empty()) {
        shader = glCreateShader(kind);
        const char* text = source.c_str();
        glShaderSource(shader, 1, &text, nullptr);
        glCompileShader(shader);
        GLint ok = 0;
        glGetShaderiv(shader, GL_COMPILE_STATUS, &ok);
        if (!ok) {
            char log[1024] = {};
            glGetShaderInfoLog(shader, sizeof log, nullptr, log);
            fprintf(stderr, "shader %d does not compile: %s\n", index, log);
            glDeleteShader(shader);
            shader = 0;
        }
    }
    // A failed stage is not cached, so the next use tries again.
    if (shader) cache[index] = shader;
    return shader;
}

GlDevice::Program* GlDevice::program(int vertexStage, int pixelStage) {
    const auto key = std::make_pair(vertexStage, pixelStage);
    if (auto it = programs_.find(key); it != programs_.end()) return &it->second;
    const GLuint vs = compileStage(GL_VERTEX_SHADER, vertexStage);
    const GLuint fs = compileStage(GL_FRAGMENT_SHADER, pixelStage);
    if (!vs || !fs) return nullptr;
    Program p;
    p.id = glCreateProgram();
    glAttachShader(p.id, vs);
    glAttachShader(p.id, fs);
    glLinkProgram(p.id);
    GLint ok = 0;
    glGetProgramiv(p.id, GL_LINK_STATUS, &ok);
    if (!ok) {
        glDeleteProgram(p.id);
        return nullptr;
    }
    ++counters_.programsLinked;
    glUseProgram(p.id);
    usedProgram_ = p.id;
    for (int i = 0; i < kSamplerStages; ++i) {
        const char name[] = {'s', char('0' + i), 0};
        const GLint location = glGetUniformLocation(p.id, name);
        glUniform1i(location, i);
        if (location >= 0) p.samplerMask |= 1u << i;
    }
    p.vertexConstants = glGetUniformLocation(p.id, "vc");
    p.pixelConstants = glGetUniformLocation(p.id, "pc");
    p.viewport = glGetUniformLocation(p.id, "uViewport");
    p.hasTex0 = glGetUniformLocation(p.id, "uHasTex0");
    p.alphaFunc = glGetUniformLocation(p.id, "uAlphaFunc");
    p.alphaRef = glGetUniformLocation(p.id, "uAlphaRef");
    return &(programs_[key] = p);
}

GlDevice::Program* GlDevice::useProgram(int vertexStage, int pixelStage) {
    const auto key = std::make_pair(vertexStage, pixelStage);
    if (!lastProgram_ || key != programKey_) {
        Program* p = program(vertexStage, pixelStage);
        if (!p) return nullptr;
        lastProgram_ = p;
        programKey_ = key;
        drawStateChanged_ = true;
    }
    if (usedProgram_ != lastProgram_->id) {
        glUseProgram(lastProgram_->id);
        usedProgram_ = lastProgram_->id;
    }
    return lastProgram_;
}

int GlDevice::vertexStage() const {
    if (format_ == VertexFormat::ScreenSpace) return kScreenSpaceVertexStage;
    return vertexShader_ ? vertexShader_->index() : kPassThroughVertexStage;
}

VertexShader* GlDevice::createVertexShader(int index) {
    if (index < 0 || index >= kVertexShaderCount || !compileStage(GL_VERTEX_SHADER, index)) return nullptr;
    vertexShaders_.push_back(std::make_unique<VertexShader>(index));
    return vertexShaders_.back().get();
}

PixelShader* GlDevice::createPixelShader(int index) {
    if (index < 0 || index >= kPixelShaderCount || !compileStage(GL_FRAGMENT_SHADER, index)) return nullptr;
    pixelShaders_.push_back(std::make_unique<PixelShader>(index));
    return pixelShaders_.back().get();
}

void GlDevice::releaseShader(VertexShader* shader) {
    if (vertexShader_ == shader) vertexShader_ = nullptr;
    std::erase_if(vertexShaders_, [&](auto& p) { return p.get() == shader; });
}

void GlDevice::releaseShader(PixelShader* shader) {
    if (pixelShader_ == shader) pixelShader_ = nullptr;
    std::erase_if(pixelShaders_, [&](auto& p) { return p.get() == shader; });
}

Surface* GlDevice::backBuffer() { return backBuffer_.get(); }

void GlDevice::setRenderTarget(Surface* surface) {
    if (!surface) return;
    target_ = static_cast<GlColourSurface*>(surface);
    drawStateChanged_ = true;
    setViewport({0, 0, surface->width(), surface->height()});
    setScissorRect({0, 0, surface->width(), surface->height()});
}

Surface* GlDevice::renderTarget() { return target_; }

void GlDevice::setDepthStencil(Surface* surface) {
    depth_ = static_cast<GlDepthSurface*>(surface);
    drawStateChanged_ = true;
}

Surface* GlDevice::depthStencil() { return depth_; }

void GlDevice::setViewport(const Viewport& v) {
    if (v == viewport_) return;
    viewport_ = v;
    glViewport(v.x, v.y, v.width, v.height);
    glDepthRange(v.minZ, v.maxZ);
}

Viewport GlDevice::viewport() { return viewport_; }

void GlDevice::setScissorRect(const Rect& rect) {
    scissor_ = rect;
    applyScissor();
}

Rect GlDevice::scissorRect() { return scissor_; }

void GlDevice::applyScissor() {
    if (renderStates_[size_t(RenderState::ScissorTestEnable)]) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(scissor_.left, scissor_.top, std::max(scissor_.width(), 0), std::max(scissor_.height(), 0));
    } else {
        glDisable(GL_SCISSOR_TEST);
    }
}

void GlDevice::bindFramebuffer(GLuint framebuffer) {
    if (framebuffer == drawFramebuffer_) return;
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    drawFramebuffer_ = framebuffer;
}

void GlDevice::bindTarget() {
    bindFramebuffer(target_->framebuffer());
    target_->attachDepth(depth_ ? depth_->renderbuffer() : 0);
}

void GlDevice::clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
    collectReleased();
    // The viewport, cut to the scissor rectangle while the scissor test is on.
    Rect area{viewport_.x, viewport_.y, viewport_.x + viewport_.width, viewport_.y + viewport_.height};
    if (renderStates_[size_t(RenderState::ScissorTestEnable)]) {
        area = {std::max(area.left, scissor_.left), std::max(area.top, scissor_.top),
                std::min(area.right, scissor_.right), std::min(area.bottom, scissor_.bottom)};
    }
    if (flags & kClearTarget) {
        const bool whole = area.left <= 0 && area.top <= 0 && area.right >= target_->width() &&
                           area.bottom >= target_->height();
        beforeWrite(target_, whole);
        if (whole && target_ == backBuffer_.get()) {
            pending_ = {PendingColour::Kind::Clear, colour, nullptr};
            flags &= ~kClearTarget;
            if (!(flags & (kClearDepth | kClearStencil))) return;
        }
    }
    bindTarget();
    glEnable(GL_SCISSOR_TEST);
    glScissor(area.left, area.top, std::max(area.width(), 0), std::max(area.height(), 0));
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glDepthMask(GL_TRUE);
    glStencilMask(0xFF);
    setClearColour(colour);
    glClearDepth(z);
    glClearStencil(GLint(stencil));
    GLbitfield bits = 0;
    if (flags & kClearTarget) bits |= GL_COLOR_BUFFER_BIT;
    if (flags & kClearDepth) bits |= GL_DEPTH_BUFFER_BIT;
    if (flags & kClearStencil) bits |= GL_STENCIL_BUFFER_BIT;
    glClear(bits);
    applyRenderState(RenderState::ColorWriteEnable);
    applyRenderState(RenderState::ZWriteEnable);
    applyStencil();
    applyScissor();
}

void GlDevice::colorFill(Surface* surface, uint32_t colour) {
    auto* s = static_cast<GlColourSurface*>(surface);
    if (!s) return;
    beforeWrite(s, true);
    bindFramebuffer(s->framebuffer());
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    setClearColour(colour);
    glClear(GL_COLOR_BUFFER_BIT);
    applyRenderState(RenderState::ColorWriteEnable);
    applyScissor();
}

void GlDevice::setRenderState(RenderState state, uint32_t value) {
    if (renderStates_[size_t(state)] == value) return;
    renderStates_[size_t(state)] = value;
    drawStateChanged_ = true;
    applyRenderState(state);
}

uint32_t GlDevice::renderState(RenderState state) { return renderStates_[size_t(state)]; }

void GlDevice::applyBlend() {
    auto rs = [&](RenderState s) { return renderStates_[size_t(s)]; };
    const bool separate = rs(RenderState::SeparateAlphaBlendEnable);
    const uint32_t op = rs(RenderState::BlendOp), src = rs(RenderState::SrcBlend), dst = rs(RenderState::DestBlend);
    const uint32_t opA = separate ? rs(RenderState::BlendOpAlpha) : op;
    const uint32_t srcA = separate ? rs(RenderState::SrcBlendAlpha) : src;
    const uint32_t dstA = separate ? rs(RenderState::DestBlendAlpha) : dst;
    glBlendEquationSeparate(glBlendOp(op), glBlendOp(opA));
    glBlendFuncSeparate(glBlend(src), glBlend(dst), glBlend(srcA), glBlend(dstA));
}

void GlDevice::applyStencil() {
    auto rs = [&](RenderState s) { return renderStates_[size_t(s)]; };
    if (rs(RenderState::StencilEnable)) glEnable(GL_STENCIL_TEST); else glDisable(GL_STENCIL_TEST);
    glStencilFunc(glCompare(rs(RenderState::StencilFunc)), GLint(rs(RenderState::StencilRef)),
                  rs(RenderState::StencilMask));
    glStencilOp(glStencilOpOf(rs(RenderState::StencilFail)), glStencilOpOf(rs(RenderState::StencilZFail)),
                glStencilOpOf(rs(RenderState::StencilPass)));
    glStencilMask(rs(RenderState::StencilWriteMask));
}

void GlDevice::applyRenderState(RenderState state) {
    const uint32_t v = renderStates_[size_t(state)];
    switch (state) {
    case RenderState::AlphaBlendEnable:
        if (v) glEnable(GL_BLEND); else glDisable(GL_BLEND);
        break;
    case RenderState::SeparateAlphaBlendEnable:
    case RenderState::BlendOp:
    case RenderState::SrcBlend:
    case RenderState::DestBlend:
    case RenderState::BlendOpAlpha:
    case RenderState::SrcBlendAlpha:
    case RenderState::DestBlendAlpha: applyBlend(); break;
    case RenderState::StencilEnable:
    case RenderState::StencilFunc:
    case RenderState::StencilRef:
    case RenderState::StencilMask:
    case RenderState::StencilWriteMask:
    case RenderState::StencilFail:
    case RenderState::StencilZFail:
    case RenderState::StencilPass: applyStencil(); break;
    case RenderState::ZEnable:
        if (v) glEnable(GL_DEPTH_TEST); else glDisable(GL_DEPTH_TEST);
        break;
    case RenderState::ZWriteEnable: glDepthMask(v ? GL_TRUE : GL_FALSE); break;
    case RenderState::ZFunc: glDepthFunc(glCompare(v)); break;
    case RenderState::CullMode:
        // Targets are top-down, so a triangle clockwise on the picture is
        // counter-clockwise in GL's window coordinates: GL's front face.
        if (CullMode(v) == CullMode::None) {
            glDisable(GL_CULL_FACE);
        } else {
            glEnable(GL_CULL_FACE);
            glFrontFace(GL_CCW);
            glCullFace(CullMode(v) == CullMode::Clockwise ? GL_FRONT : GL_BACK);
        }
        break;
    case RenderState::ScissorTestEnable: applyScissor(); break;
    case RenderState::ColorWriteEnable: glColorMask(v & 1, (v >> 1) & 1, (v >> 2) & 1, (v >> 3) & 1); break;
    default: break;  // the alpha test is applied by the pixel stage at each draw
    }
}

void GlDevice::setSamplerState(int stage, SamplerState state, uint32_t value) {
    if (stage < 0 || stage >= kSamplerStages || samplerStates_[stage][size_t(state)] == value) return;
    samplerStates_[stage][size_t(state)] = value;
    drawStateChanged_ = true;
    applySampler(stage);
}

uint32_t GlDevice::samplerState(int stage, SamplerState state) {
    return stage >= 0 && stage < kSamplerStages ? samplerStates_[stage][size_t(state)] : 0;
}

void GlDevice::applySampler(int stage) {
    const auto& s = samplerStates_[stage];
    const GLuint sampler = samplers_[stage];
    glSamplerParameteri(sampler, GL_TEXTURE_MIN_FILTER,
                        glMinFilter(s[size_t(SamplerState::MinFilter)], s[size_t(SamplerState::MipFilter)]));
    glSamplerParameteri(sampler, GL_TEXTURE_MAG_FILTER,
                        TextureFilter(s[size_t(SamplerState::MagFilter)]) == TextureFilter::Linear ? GL_LINEAR
                                                                                                  : GL_NEAREST);
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_S, glWrap(s[size_t(SamplerState::AddressU)]));
    glSamplerParameteri(sampler, GL_TEXTURE_WRAP_T, glWrap(s[size_t(SamplerState::AddressV)]));
}

void GlDevice::setTexture(int stage, Texture* texture) {
    if (stage >= 0 && stage < kSamplerStages) bound_[stage] = static_cast<GlTexture*>(texture);
}

Texture* GlDevice::texture(int stage) {
    return stage >= 0 && stage < kSamplerStages ? bound_[stage] : nullptr;
}

void GlDevice::setVertexFormat(VertexFormat format) {
    if (format != format_) drawStateChanged_ = true;
    format_ = format;
}
void GlDevice::setVertexShader(VertexShader* shader) { vertexShader_ = shader; }
VertexShader* GlDevice::vertexShader() { return vertexShader_; }
void GlDevice::setPixelShader(PixelShader* shader) { pixelShader_ = shader; }
PixelShader* GlDevice::pixelShader() { return pixelShader_; }

namespace {

// Writes the registers that fit; true when a value changed.
template <size_t N>
bool writeRegisters(std::array<float, N>& to, int start, const float* values, int registers) {
    if (start < 0 || !values) return false;
    const size_t first = size_t(start) * 4;
    if (first >= N) return false;
    const size_t count = std::min(size_t(std::max(registers, 0)) * 4, N - first);
    if (std::memcmp(&to[first], values, count * sizeof(float)) == 0) return false;
    std::memcpy(&to[first], values, count * sizeof(float));
    return true;
}

}  // namespace

void GlDevice::setVertexShaderConstants(int start, const float* values, int registers) {
    if (writeRegisters(vertexConstants_, start, values, registers)) ++vertexConstantsVersion_;
}

void GlDevice::setPixelShaderConstants(int start, const float* values, int registers) {
    if (writeRegisters(pixelConstants_, start, values, registers)) ++pixelConstantsVersion_;
}

void GlDevice::bindVertexFormat(int stride) {
    if (format_ == layoutFormat_ && stride == layoutStride_) return;
    layoutFormat_ = format_;
    layoutStride_ = stride;
    auto offset = [](size_t bytes) { return reinterpret_cast<const void*>(bytes); };
    const bool screen = format_ == VertexFormat::ScreenSpace;
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, screen ? 4 : 3, GL_FLOAT, GL_FALSE, stride, offset(0));
    glEnableVertexAttribArray(1);
    glVertexAttribPointer(1, GL_BGRA, GL_UNSIGNED_BYTE, GL_TRUE, stride, offset(screen ? 16 : 12));
    glEnableVertexAttribArray(2);
    glVertexAttribPointer(2, 2, GL_FLOAT, GL_FALSE, stride, offset(screen ? 20 : 16));
    if (format_ == VertexFormat::TwoTexture) {
        glEnableVertexAttribArray(3);
        glVertexAttribPointer(3, 2, GL_FLOAT, GL_FALSE, stride, offset(24));
    } else {
        glDisableVertexAttribArray(3);
        glVertexAttrib4f(3, 0.0f, 0.0f, 0.0f, 1.0f);
    }
}

GLint GlDevice::streamVertices(const void* vertices, GLsizeiptr bytes, int stride, bool solid) {
    // Draws start at a whole vertex, so the layout's offsets never change.
    GLsizeiptr at = (streamOffset_ + stride - 1) / stride * stride;
    if (at + bytes > streamSize_) {
        // The rasteriser may still read the old storage: orphaning gives new
        // storage, and nothing waits.
        while (bytes > streamSize_) streamSize_ *= 2;
        glBufferData(GL_ARRAY_BUFFER, streamSize_, nullptr, GL_STREAM_DRAW);
        at = 0;
    }
    // Written only once between orphanings, so no draw can still need it.
    void* to = glMapBufferRange(GL_ARRAY_BUFFER, at, bytes,
                                GL_MAP_WRITE_BIT | GL_MAP_INVALIDATE_RANGE_BIT | GL_MAP_UNSYNCHRONIZED_BIT);
    if (!to) return -1;
    std::memcpy(to, vertices, size_t(bytes));
    if (solid) {
        const size_t u = format_ == VertexFormat::ScreenSpace ? 20 : 16;
        for (GLsizeiptr v = 0; v < bytes; v += stride)
            std::memcpy(static_cast<char*>(to) + v + u, &kSolidMarkU, sizeof kSolidMarkU);
    }
    glUnmapBuffer(GL_ARRAY_BUFFER);
    streamOffset_ = at + bytes;
    return GLint(at / stride);
}

void GlDevice::realize(GlTexture* texture) {
    if (!texture->realize()) return;
    setUnit(activeUnit_, texture->name(), textureClass(*texture));
    if (texture->surface()) drawFramebuffer_ = kUnknownName;
}

void GlDevice::setUnit(int unit, GLuint name, uint64_t textureClass) {
    unitNames_[size_t(unit)] = name;
    if (unitClasses_[size_t(unit)] == textureClass) return;
    unitClasses_[size_t(unit)] = textureClass;
    drawStateChanged_ = true;
}

void GlDevice::bindUnit(int unit, const GlTexture* texture) {
    const GLuint name = texture ? texture->name() : 0;
    if (unitNames_[size_t(unit)] == name) return;
    if (activeUnit_ != unit) {
        glActiveTexture(GL_TEXTURE0 + GLenum(unit));
        activeUnit_ = unit;
    }
    glBindTexture(GL_TEXTURE_2D, name);
    setUnit(unit, name, texture ? textureClass(*texture) : 0);
}

void GlDevice::forgetUnitName(GLuint name) {
    if (!name) return;
    for (int unit = 0; unit < kSamplerStages; ++unit)
        if (unitNames_[size_t(unit)] == name) setUnit(unit, 0, 0);
}

void GlDevice::bindUnits(const Program& p, bool solid) {
    // Uploads first: an upload binds its texture to the active unit, which
    // would replace the texture bound there for an earlier stage.
    for (int i = 0; i < kSamplerStages; ++i)
        if ((p.samplerMask >> i & 1) && bound_[i]) realize(bound_[i]);
    for (int i = 0; i < kSamplerStages; ++i) {
        if (!(p.samplerMask >> i & 1)) continue;
        // Untextured draws of the built-in stage don't read unit 0: what it
        // holds stays for the next textured draw.
        if (i == 0 && !bound_[0] && (p.hasTex0 >= 0 || solid)) {
            // A fill's unused texel must still not come from the target it
            // draws into.
            if (solid && unitNames_[0] == target_->texture()) bindUnit(0, nullptr);
            continue;
        }
        bindUnit(i, bound_[i]);
    }
}

void GlDevice::sendUniforms(Program& p) {
    if (p.vertexConstantsSent != vertexConstantsVersion_) {
        glUniform4fv(p.vertexConstants, kVertexConstantRegisters, vertexConstants_.data());
        p.vertexConstantsSent = vertexConstantsVersion_;
    }
    if (p.pixelConstantsSent != pixelConstantsVersion_) {
        glUniform4fv(p.pixelConstants, kPixelConstantRegisters, pixelConstants_.data());
        p.pixelConstantsSent = pixelConstantsVersion_;
    }
    const std::array<GLint, 4> viewport{viewport_.x, viewport_.y, viewport_.width, viewport_.height};
    if (p.viewport >= 0 && p.viewportSent != viewport) {
        glUniform4f(p.viewport, float(viewport[0]), float(viewport[1]), float(viewport[2]), float(viewport[3]));
        p.viewportSent = viewport;
    }
    const GLint hasTex0 = bound_[0] != nullptr;
    if (p.hasTex0 >= 0 && p.hasTex0Sent != hasTex0) {
        glUniform1i(p.hasTex0, hasTex0);
        p.hasTex0Sent = hasTex0;
    }
    const bool alphaTest = renderStates_[size_t(RenderState::AlphaTestEnable)];
    const GLint alphaFunc =
        GLint(alphaTest ? renderStates_[size_t(RenderState::AlphaFunc)] : uint32_t(CompareFunc::Always));
    if (p.alphaFunc >= 0 && p.alphaFuncSent != alphaFunc) {
        glUniform1i(p.alphaFunc, alphaFunc);
        p.alphaFuncSent = alphaFunc;
    }
    const uint32_t alphaRef = renderStates_[size_t(RenderState::AlphaRef)] & 0xFF;
    if (p.alphaRef >= 0 && p.alphaRefSent != alphaRef) {
        glUniform1f(p.alphaRef, float(alphaRef));
        p.alphaRefSent = alphaRef;
    }
}

void GlDevice::drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride) {
    collectReleased();
    const int count = primitiveVertexCount(type, primitiveCount);
    if (count == 0 || !vertices || stride < vertexStride(format_)) return;
    if (isWholeCopy(type, primitiveCount, vertices, stride)) {
        if (target_ == backBuffer_.get()) {
            pending_ = {PendingColour::Kind::Copy, 0, bound_[0]};
            ++counters_.backBufferCopiesKept;
        } else {
            copyWhole(*bound_[0]);
            ++counters_.wholeCopiesBlitted;
        }
        return;
    }
    beforeWrite(target_, false);
    bool solid = false;
    const int vs = vertexStage();
    Program* p = useProgram(vs, drawnPixelStage(pixelShader_ ? pixelShader_->index() : kModulatePixelStage, solid));
    if (!p) return;
    bindUnits(*p, solid);
    bindTarget();
    sendUniforms(*p);
    const GLint first = streamVertices(vertices, GLsizeiptr(count) * stride, stride, solid);
    if (first < 0) return;
    bindVertexFormat(stride);
    if (drawStateChanged_) noteDrawState(*p);
    glDrawArrays(glPrimitive(type), first, count);
}

void GlDevice::noteDrawState(const Program& p) {
    drawStateChanged_ = false;
    auto rs = [&](RenderState s) { return uint64_t(renderStates_[size_t(s)]); };
    DrawStateKey key{};
    key[0] = uint64_t(uint32_t(programKey_.first)) << 32 | uint32_t(programKey_.second);
    key[1] = uint64_t(format_);
    if (rs(RenderState::AlphaBlendEnable)) {
        const bool separate = rs(RenderState::SeparateAlphaBlendEnable);
        key[2] = 1 | rs(RenderState::BlendOp) << 4 | rs(RenderState::SrcBlend) << 8 | rs(RenderState::DestBlend) << 12 |
                 rs(separate ? RenderState::BlendOpAlpha : RenderState::BlendOp) << 16 |
                 rs(separate ? RenderState::SrcBlendAlpha : RenderState::SrcBlend) << 20 |
                 rs(separate ? RenderState::DestBlendAlpha : RenderState::DestBlend) << 24;
    }
    key[3] = rs(RenderState::ColorWriteEnable);
    if (depth_ && rs(RenderState::ZEnable)) key[4] = 1 | rs(RenderState::ZFunc) << 4 | rs(RenderState::ZWriteEnable) << 8;
    if (depth_ && rs(RenderState::StencilEnable)) {
        key[5] = 1 | rs(RenderState::StencilFunc) << 4 | rs(RenderState::StencilFail) << 8 |
                 rs(RenderState::StencilZFail) << 12 | rs(RenderState::StencilPass) << 16;
        key[6] = rs(RenderState::StencilMask) << 32 | rs(RenderState::StencilWriteMask);
    }
    // Targets of one GL format share code, whatever format the device names.
    key[7] = uint64_t(glFormat(target_->format()).internalFormat) << 1 | uint64_t(depth_ != nullptr);
    for (int i = 0; i < kSamplerStages; ++i) {
        if (!(p.samplerMask >> i & 1)) continue;
        const auto& s = samplerStates_[size_t(i)];
        auto ss = [&](SamplerState state) { return uint64_t(s[size_t(state)]); };
        key[size_t(8 + 2 * i)] = unitClasses_[size_t(i)];
        key[size_t(9 + 2 * i)] = ss(SamplerState::MinFilter) | ss(SamplerState::MagFilter) << 4 |
                                 ss(SamplerState::MipFilter) << 8 | ss(SamplerState::AddressU) << 12 |
                                 ss(SamplerState::AddressV) << 16;
    }
    if (drawStates_.insert(key).second) ++counters_.drawStatesMet;
}

void GlDevice::prepareProgram(VertexFormat format, VertexShader* vertexShader, PixelShader* pixelShader) {
    const VertexFormat keptFormat = format_;
    VertexShader* keptVertexShader = vertexShader_;
    format_ = format;
    vertexShader_ = vertexShader;
    const int stage = vertexStage();
    format_ = keptFormat;
    vertexShader_ = keptVertexShader;
    bool solid = false;
    program(stage, drawnPixelStage(pixelShader ? pixelShader->index() : kModulatePixelStage, solid));
}

int GlDevice::drawnPixelStage(int pixelStage, bool& solid) {
    solid = pixelStage == kSolidPixelStage;
    return solid ? kSolidCarrierPixelStage : pixelStage;
}

bool GlDevice::reset(const PresentParams& params) {
    collectReleased();
    // Only the exclusive full screen is the device's: the desktop full
    // screen is the window's own and stays through a windowed reset.
    const bool wasFullscreen =
        (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) == SDL_WINDOW_FULLSCREEN;
    if (!params.windowed) {
        SDL_DisplayMode mode = {SDL_PIXELFORMAT_RGB888, params.backBufferWidth, params.backBufferHeight,
                                params.refreshRate, nullptr};
        if (SDL_SetWindowDisplayMode(window_, &mode) != 0) return false;
        if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN) != 0) return false;
    } else if (wasFullscreen && SDL_SetWindowFullscreen(window_, 0) != 0) {
        return false;
    }
    params_ = params;
    swapIntervalSet_ = SDL_GL_SetSwapInterval(params.intervalOne ? 1 : 0) == 0 && params.intervalOne;
    makeBackBuffer();
    setDefaultStates();
    return true;
}

DeviceStatus GlDevice::present(const Rect* source, const Rect* destination) {
    collectReleased();
    int windowW = 0, windowH = 0;
    SDL_GL_GetDrawableSize(window_, &windowW, &windowH);
    const Rect src = source ? *source : Rect{0, 0, backBuffer_->width(), backBuffer_->height()};
    const Rect dst = destination ? *destination : Rect{0, 0, windowW, windowH};
    glBindFramebuffer(GL_READ_FRAMEBUFFER, backBufferPicture()->framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    // Only what the picture leaves uncovered is cleared.
    if (dst.left > 0 || dst.top > 0 || dst.right < windowW || dst.bottom < windowH) {
        glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    // The window's framebuffer is bottom-up: this copy is the one flip.
    // Unscaled, it takes texels as they are.
    const bool scaled = src.width() != dst.width() || src.height() != dst.height();
    glBlitFramebuffer(src.left, src.top, src.right, src.bottom, dst.left, windowH - dst.top, dst.right,
                      windowH - dst.bottom, GL_COLOR_BUFFER_BIT, scaled ? GL_LINEAR : GL_NEAREST);
    // The back buffer's alpha is not a picture's (the format has none): a
    // window surface with alpha would show the picture translucent.
    if (windowHasAlpha_) {
        glColorMask(GL_FALSE, GL_FALSE, GL_FALSE, GL_TRUE);
        glClear(GL_COLOR_BUFFER_BIT);
    }
    drawFramebuffer_ = kUnknownName;
    SDL_GL_SwapWindow(window_);
    applyRenderState(RenderState::ColorWriteEnable);
    applyScissor();
    return DeviceStatus::Ok;
}

DisplayMode GlDevice::currentDisplayMode() {
    SDL_DisplayMode mode = {};
    const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
    if (SDL_GetCurrentDisplayMode(display, &mode) != 0) return {};
    // Presents that can't wait for the vertical blank report no refresh
    // rate, so nothing takes the display to pace the frames.
    return {mode.w, mode.h, swapIntervalSet_ ? mode.refresh_rate : 0, PixelFormat::X8R8G8B8};
}

std::vector<uint32_t> GlDevice::readSurface(Surface* surface, const Rect& rect) {
    auto* s = static_cast<GlColourSurface*>(surface);
    std::vector<uint32_t> pixels(size_t(std::max(rect.width(), 0)) * size_t(std::max(rect.height(), 0)));
    if (!s || pixels.empty()) return pixels;
    if (s == backBuffer_.get()) s = backBufferPicture();
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s->framebuffer());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(rect.left, rect.top, rect.width(), rect.height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 pixels.data());
    if (opaqueFormat(s->format()))
        for (uint32_t& p : pixels) p |= 0xFF000000u;
    return pixels;
}

}  // namespace platform::gl
