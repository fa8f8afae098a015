#include "platform/device/gl/gl_resources.h"

namespace platform::gl {

GlFormat glFormat(PixelFormat format) {
    GlFormat f;
    switch (format) {
    case PixelFormat::X8R8G8B8:
        f.swizzle[3] = GL_ONE;
        break;
    case PixelFormat::R5G6B5:
        f = {GL_RGB565, GL_RGB, GL_UNSIGNED_SHORT_5_6_5, {GL_RED, GL_GREEN, GL_BLUE, GL_ONE}, false};
        break;
    case PixelFormat::A1R5G5B5:
        f = {GL_RGB5_A1, GL_BGRA, GL_UNSIGNED_SHORT_1_5_5_5_REV, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, false};
        break;
    case PixelFormat::A4R4G4B4:
        f = {GL_RGBA4, GL_BGRA, GL_UNSIGNED_SHORT_4_4_4_4_REV, {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA}, false};
        break;
    case PixelFormat::A8:
        f = {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {GL_ZERO, GL_ZERO, GL_ZERO, GL_RED}, false};
        break;
    case PixelFormat::L8:
        f = {GL_R8, GL_RED, GL_UNSIGNED_BYTE, {GL_RED, GL_RED, GL_RED, GL_ONE}, false};
        break;
    case PixelFormat::A8L8:
        f = {GL_RG8, GL_RG, GL_UNSIGNED_BYTE, {GL_RED, GL_RED, GL_RED, GL_GREEN}, false};
        break;
    case PixelFormat::DXT1: f.internalFormat = GL_COMPRESSED_RGBA_S3TC_DXT1_EXT; f.compressed = true; break;
    case PixelFormat::DXT3: f.internalFormat = GL_COMPRESSED_RGBA_S3TC_DXT3_EXT; f.compressed = true; break;
    case PixelFormat::DXT5: f.internalFormat = GL_COMPRESSED_RGBA_S3TC_DXT5_EXT; f.compressed = true; break;
    default: break;
    }
    return f;
}

GlColourSurface::GlColourSurface(int width, int height, PixelFormat format, GLuint texture)
    : Surface(width, height, format), texture_(texture) {
    glGenFramebuffers(1, &framebuffer_);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer_);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, texture, 0);
}

GlColourSurface::~GlColourSurface() { glDeleteFramebuffers(1, &framebuffer_); }

void GlColourSurface::attachDepth(GLuint renderbuffer) {
    if (renderbuffer == depth_) return;
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_STENCIL_ATTACHMENT, GL_RENDERBUFFER, renderbuffer);
    depth_ = renderbuffer;
}

void GlColourSurface::exchangeStorage(GlColourSurface& other) {
    std::swap(framebuffer_, other.framebuffer_);
    std::swap(texture_, other.texture_);
    std::swap(depth_, other.depth_);
}

GlDepthSurface::GlDepthSurface(int width, int height, PixelFormat format) : Surface(width, height, format) {
    // Every depth format becomes depth 24 with stencil 8: the renderer's
    // formats all fit in it, and stencil compositing needs the stencil.
    glGenRenderbuffers(1, &renderbuffer_);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer_);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH24_STENCIL8, width, height);
}

GlDepthSurface::~GlDepthSurface() { glDeleteRenderbuffers(1, &renderbuffer_); }

GlTexture::~GlTexture() {
    target_.reset();
    if (name_) glDeleteTextures(1, &name_);
}

void GlTexture::create() {
    const TextureDesc& d = desc();
    const GlFormat f = glFormat(d.format);
    glGenTextures(1, &name_);
    glBindTexture(GL_TEXTURE_2D, name_);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_BASE_LEVEL, 0);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAX_LEVEL, d.levels - 1);
    glTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_SWIZZLE_RGBA, f.swizzle);
    for (int level = 0; level < d.levels; ++level) {
        const int w = staging_.levelWidth(level), h = staging_.levelHeight(level);
        if (f.compressed) {
            const int bytes = rowPitch(d.format, w) * pitchRows(d.format, h);
            glCompressedTexImage2D(GL_TEXTURE_2D, level, f.internalFormat, w, h, 0, bytes, nullptr);
        } else {
            glTexImage2D(GL_TEXTURE_2D, level, f.internalFormat, w, h, 0, f.format, f.type, nullptr);
        }
    }
    if (d.usage == TextureUsage::RenderTarget)
        target_ = std::make_unique<GlColourSurface>(d.width, d.height, d.format, name_);
}

bool GlTexture::realize() {
    const bool created = !name_;
    if (created) create();
    if (!staging_.hasDirty()) return created;
    const TextureDesc& d = desc();
    const GlFormat f = glFormat(d.format);
    const int bytesPerPixel = f.compressed ? 0 : rowPitch(d.format, 1);
    glBindTexture(GL_TEXTURE_2D, name_);
    staging_.takeDirty([&](int level, const Rect& r, const uint8_t* bits, int pitch) {
        if (f.compressed) {
            // Block data goes up a whole level at a time.
            const int w = staging_.levelWidth(level), h = staging_.levelHeight(level);
            glCompressedTexSubImage2D(GL_TEXTURE_2D, level, 0, 0, w, h, f.internalFormat,
                                      pitch * pitchRows(d.format, h), bits);
            return;
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, pitch / bytesPerPixel);
        glTexSubImage2D(GL_TEXTURE_2D, level, r.left, r.top, r.width(), r.height(), f.format, f.type,
                        bits + size_t(r.top) * pitch + size_t(r.left) * bytesPerPixel);
        glPixelStorei(GL_UNPACK_ROW_LENGTH, 0);
    });
    // Dynamic textures are rewritten a band at a time: their buffers stay.
    if (d.usage == TextureUsage::Managed) staging_.dropBuffers();
    return true;
}

}  // namespace platform::gl
