#pragma once
// The OpenGL objects behind the device's textures and surfaces. All GL calls
// here run on the device's thread; a texture made on another thread holds
// only its CPU side until the device realizes it.

#include <memory>
#include <utility>

#include "platform/device/device.h"
#include "platform/device/gl/gl_api.h"
#include "platform/device/texture_staging.h"

namespace platform::gl {

struct GlFormat {
    GLenum internalFormat = GL_RGBA8;
    GLenum format = GL_BGRA;
    GLenum type = GL_UNSIGNED_INT_8_8_8_8_REV;
    GLint swizzle[4] = {GL_RED, GL_GREEN, GL_BLUE, GL_ALPHA};
    bool compressed = false;
};
GlFormat glFormat(PixelFormat format);

// A colour target: a framebuffer object over a texture's level 0.
class GlColourSurface final : public Surface {
public:
    GlColourSurface(int width, int height, PixelFormat format, GLuint texture);
    ~GlColourSurface() override;
    GLuint framebuffer() const { return framebuffer_; }
    GLuint texture() const { return texture_; }
    // Attaches a depth-stencil renderbuffer (0: none) when it differs from the last.
    void attachDepth(GLuint renderbuffer);
    // Detaches it when attached (the framebuffer is bound).
    void detachDepth(GLuint renderbuffer) { if (depth_ == renderbuffer) attachDepth(0); }
    // Trades framebuffer and texture with a surface of the same size and
    // GL format, each keeping the depth its framebuffer has attached.
    void exchangeStorage(GlColourSurface& other);

private:
    GLuint framebuffer_ = 0;
    GLuint texture_ = 0;
    GLuint depth_ = 0;
};

class GlDepthSurface final : public Surface {
public:
    GlDepthSurface(int width, int height, PixelFormat format);
    ~GlDepthSurface() override;
    GLuint renderbuffer() const { return renderbuffer_; }

private:
    GLuint renderbuffer_ = 0;
};

class GlTexture final : public Texture {
public:
    explicit GlTexture(const TextureDesc& desc) : Texture(desc), staging_(desc) {}
    ~GlTexture() override;
    Surface* surface() override { return target_.get(); }
    TextureStaging& staging() { return staging_; }
    GLuint name() const { return name_; }
    // Takes another GL texture of its own size and format; the old name.
    GLuint exchangeName(GLuint name) { return std::exchange(name_, name); }
    // Makes the GL texture when missing and uploads what was written since;
    // true when that bound it to the active unit (and, for a new render
    // target, its framebuffer).
    bool realize();

private:
    void create();

    TextureStaging staging_;
    GLuint name_ = 0;
    std::unique_ptr<GlColourSurface> target_;
};

}  // namespace platform::gl
