#include "platform/device/gl/gl_device.h"

#include <algorithm>
#include <cstdio>

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

bool opaqueFormat(PixelFormat f) { return f == PixelFormat::X8R8G8B8 || f == PixelFormat::R5G6B5; }

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
    glGenSamplers(kSamplerStages, samplers_.data());
    for (int i = 0; i < kSamplerStages; ++i) glBindSampler(i, samplers_[i]);
    swapIntervalSet_ = SDL_GL_SetSwapInterval(params.intervalOne ? 1 : 0) == 0 && params.intervalOne;
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
    backBuffer_.reset();
    if (backBufferTexture_) glDeleteTextures(1, &backBufferTexture_);
    glGenTextures(1, &backBufferTexture_);
    glBindTexture(GL_TEXTURE_2D, backBufferTexture_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, 0);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGBA8, w, h, 0, GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV, nullptr);
    backBuffer_ = std::make_unique<GlColourSurface>(w, h, PixelFormat::X8R8G8B8, backBufferTexture_);
    if (autoDepth_) {
        forgetDepth(autoDepth_->renderbuffer());
        autoDepth_.reset();
    }
    if (params_.autoDepthStencil) autoDepth_ = std::make_unique<GlDepthSurface>(w, h, params_.depthStencilFormat);
}

void GlDevice::forgetDepth(GLuint renderbuffer) {
    auto detach = [&](GlColourSurface* s) {
        glBindFramebuffer(GL_FRAMEBUFFER, s->framebuffer());
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
    setViewport({0, 0, target_->width(), target_->height()});
    scissor_ = {0, 0, target_->width(), target_->height()};
    applyScissor();
    vertexShader_ = nullptr;
    pixelShader_ = nullptr;
    format_ = VertexFormat::Coloured;
}

void GlDevice::collectReleased() {
    std::lock_guard lock(mutex_);
    for (GlTexture* t : released_) {
        for (auto& b : bound_)
            if (b == t) b = nullptr;
        if (t->surface() && target_ == t->surface()) target_ = backBuffer_.get();
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
    if (onDeviceThread()) t->realize();
    std::lock_guard lock(mutex_);
    textures_.push_back(std::move(texture));
    return t;
}

void GlDevice::releaseTexture(Texture* texture) {
    if (!texture) return;
    {
        std::lock_guard lock(mutex_);
        released_.push_back(static_cast<GlTexture*>(texture));
    }
    if (onDeviceThread()) collectReleased();
}

bool GlDevice::lockTexture(Texture* texture, int level, const Rect* rect, bool, LockedRect& out) {
    if (!texture || texture->desc().usage == TextureUsage::RenderTarget) return false;
    return static_cast<GlTexture*>(texture)->staging().lock(level, rect, out);
}

void GlDevice::unlockTexture(Texture* texture, int level) {
    if (texture) static_cast<GlTexture*>(texture)->staging().unlock(level);
}

Surface* GlDevice::createDepthStencil(int width, int height, PixelFormat format) {
    if (width <= 0 || height <= 0) return nullptr;
    depthSurfaces_.push_back(std::make_unique<GlDepthSurface>(width, height, format));
    return depthSurfaces_.back().get();
}

void GlDevice::releaseDepthStencil(Surface* surface) {
    auto* s = static_cast<GlDepthSurface*>(surface);
    if (!s) return;
    if (depth_ == s) depth_ = nullptr;
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
    glUseProgram(p.id);
    for (int i = 0; i < kSamplerStages; ++i) {
        const char name[] = {'s', char('0' + i), 0};
        glUniform1i(glGetUniformLocation(p.id, name), i);
    }
    p.vertexConstants = glGetUniformLocation(p.id, "vc");
    p.pixelConstants = glGetUniformLocation(p.id, "pc");
    p.viewport = glGetUniformLocation(p.id, "uViewport");
    p.hasTex0 = glGetUniformLocation(p.id, "uHasTex0");
    p.alphaFunc = glGetUniformLocation(p.id, "uAlphaFunc");
    p.alphaRef = glGetUniformLocation(p.id, "uAlphaRef");
    return &(programs_[key] = p);
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
    setViewport({0, 0, surface->width(), surface->height()});
}

Surface* GlDevice::renderTarget() { return target_; }

void GlDevice::setDepthStencil(Surface* surface) { depth_ = static_cast<GlDepthSurface*>(surface); }

Surface* GlDevice::depthStencil() { return depth_; }

void GlDevice::setViewport(const Viewport& v) {
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

void GlDevice::bindTarget() {
    glBindFramebuffer(GL_FRAMEBUFFER, target_->framebuffer());
    target_->attachDepth(depth_ ? depth_->renderbuffer() : 0);
}

void GlDevice::clear(uint32_t flags, uint32_t colour, float z, uint32_t stencil) {
    collectReleased();
    bindTarget();
    glEnable(GL_SCISSOR_TEST);
    glScissor(viewport_.x, viewport_.y, viewport_.width, viewport_.height);
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
    glBindFramebuffer(GL_FRAMEBUFFER, s->framebuffer());
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    setClearColour(colour);
    glClear(GL_COLOR_BUFFER_BIT);
    applyRenderState(RenderState::ColorWriteEnable);
    applyScissor();
}

void GlDevice::setRenderState(RenderState state, uint32_t value) {
    renderStates_[size_t(state)] = value;
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
    if (stage < 0 || stage >= kSamplerStages) return;
    samplerStates_[stage][size_t(state)] = value;
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

void GlDevice::setVertexFormat(VertexFormat format) { format_ = format; }
void GlDevice::setVertexShader(VertexShader* shader) { vertexShader_ = shader; }
VertexShader* GlDevice::vertexShader() { return vertexShader_; }
void GlDevice::setPixelShader(PixelShader* shader) { pixelShader_ = shader; }
PixelShader* GlDevice::pixelShader() { return pixelShader_; }

void GlDevice::setVertexShaderConstants(int start, const float* values, int registers) {
    for (int i = 0; i < registers * 4; ++i)
        if (start >= 0 && start * 4 + i < int(vertexConstants_.size())) vertexConstants_[start * 4 + i] = values[i];
}

void GlDevice::setPixelShaderConstants(int start, const float* values, int registers) {
    for (int i = 0; i < registers * 4; ++i)
        if (start >= 0 && start * 4 + i < int(pixelConstants_.size())) pixelConstants_[start * 4 + i] = values[i];
}

void GlDevice::bindVertexFormat(int stride) {
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

void GlDevice::drawPrimitiveUP(PrimitiveType type, int primitiveCount, const void* vertices, int stride) {
    collectReleased();
    const int count = primitiveVertexCount(type, primitiveCount);
    if (count == 0 || !vertices || stride < vertexStride(format_)) return;
    const int vertexStage = format_ == VertexFormat::ScreenSpace ? kScreenSpaceVertexStage
                            : vertexShader_                      ? vertexShader_->index()
                                                                 : kPassThroughVertexStage;
    Program* p = program(vertexStage, pixelShader_ ? pixelShader_->index() : kModulatePixelStage);
    if (!p) return;
    // Uploads first: an upload binds its texture to the active unit, which
    // would replace the texture bound there for an earlier stage.
    for (GlTexture* t : bound_)
        if (t) t->realize();
    for (int i = 0; i < kSamplerStages; ++i) {
        glActiveTexture(GL_TEXTURE0 + i);
        glBindTexture(GL_TEXTURE_2D, bound_[i] ? bound_[i]->name() : 0);
    }
    bindTarget();
    glUseProgram(p->id);
    glUniform4fv(p->vertexConstants, kVertexConstantRegisters, vertexConstants_.data());
    glUniform4fv(p->pixelConstants, kPixelConstantRegisters, pixelConstants_.data());
    glUniform4f(p->viewport, float(viewport_.x), float(viewport_.y), float(viewport_.width), float(viewport_.height));
    glUniform1i(p->hasTex0, bound_[0] != nullptr);
    const bool alphaTest = renderStates_[size_t(RenderState::AlphaTestEnable)];
    glUniform1i(p->alphaFunc, GLint(alphaTest ? renderStates_[size_t(RenderState::AlphaFunc)]
                                              : uint32_t(CompareFunc::Always)));
    glUniform1f(p->alphaRef, float(renderStates_[size_t(RenderState::AlphaRef)] & 0xFF));
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer_);
    glBufferData(GL_ARRAY_BUFFER, GLsizeiptr(count) * stride, vertices, GL_STREAM_DRAW);
    bindVertexFormat(stride);
    glDrawArrays(glPrimitive(type), 0, count);
}

bool GlDevice::reset(const PresentParams& params) {
    collectReleased();
    const bool wasFullscreen = SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN;
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
    glBindFramebuffer(GL_READ_FRAMEBUFFER, backBuffer_->framebuffer());
    glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
    glDisable(GL_SCISSOR_TEST);
    glColorMask(GL_TRUE, GL_TRUE, GL_TRUE, GL_TRUE);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    // The window's framebuffer is bottom-up: this copy is the one flip.
    glBlitFramebuffer(src.left, src.top, src.right, src.bottom, dst.left, windowH - dst.top, dst.right,
                      windowH - dst.bottom, GL_COLOR_BUFFER_BIT, GL_LINEAR);
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
    glBindFramebuffer(GL_READ_FRAMEBUFFER, s->framebuffer());
    glReadBuffer(GL_COLOR_ATTACHMENT0);
    glReadPixels(rect.left, rect.top, rect.width(), rect.height(), GL_BGRA, GL_UNSIGNED_INT_8_8_8_8_REV,
                 pixels.data());
    if (opaqueFormat(s->format()))
        for (uint32_t& p : pixels) p |= 0xFF000000u;
    return pixels;
}

}  // namespace platform::gl
