#include "platform/device/gl/gl_shader_sources.h"

#include "platform/device/device.h"
#include "platform/device/gl/gl_pixel_shader_families.h"

namespace platform::gl {

namespace {

// Every vertex stage computes a clip position the way the renderer's matrices
// expect (y up, depth 0..w, pixel centres on whole coordinates); main turns it
// into OpenGL's: y negated so row 0 of every target is the top, depth to
// -w..w, and the picture moved half a pixel so the centres line up.
const char* const kVertexPrologue = R"(#version 330 core
layout(location = 0) in vec4 aPosition;
layout(location = 1) in vec4 aColour;
layout(location = 2) in vec2 aTex0;
layout(location = 3) in vec2 aTex1;
uniform vec4 vc[8];
uniform vec4 uViewport;  // x, y, width, height in pixels
out vec4 vColour;
out vec2 vTex0;
out vec2 vTex1;
out vec2 vTex2;
vec4 transform();
void main() {
    vTex1 = vec2(0.0);
    vTex2 = vec2(0.0);
    vec4 p = transform();
    gl_Position = vec4(p.x + p.w / uViewport.z, -p.y + p.w / uViewport.w, 2.0 * p.z - p.w, p.w);
}
vec4 matrixPosition() {
    vec4 p = vec4(aPosition.xyz, 1.0);
    return vec4(dot(vc[0], p), dot(vc[1], p), dot(vc[2], p), dot(vc[3], p));
}
)";

const char* const kPixelPrologue = R"(#version 330 core
in vec4 vColour;
in vec2 vTex0;
in vec2 vTex1;
in vec2 vTex2;
uniform vec4 pc[4];
uniform sampler2D s0;
uniform sampler2D s1;
uniform sampler2D s2;
uniform int uHasTex0;
uniform int uAlphaFunc;  // CompareFunc; Always when the alpha test is off
uniform float uAlphaRef;
out vec4 fragColour;
vec4 shade();
bool alphaPasses(float a) {
    float v = floor(a * 255.0 + 0.5);
    switch (uAlphaFunc) {
    case 0: return false;
    case 1: return v < uAlphaRef;
    case 2: return v == uAlphaRef;
    case 3: return v <= uAlphaRef;
    case 4: return v > uAlphaRef;
    case 5: return v != uAlphaRef;
    case 6: return v >= uAlphaRef;
    default: return true;
    }
}
void main() {
    vec4 c = clamp(shade(), 0.0, 1.0);
    // Discarding here, not blending to nothing, keeps the pixel out of the
    // stencil and depth buffers as the alpha test does.
    if (!alphaPasses(c.a)) discard;
    fragColour = c;
}
)";

std::string vertexBody(int index) {
    if (index == kScreenSpaceVertexStage) {
        return R"(vec4 transform() {
    vColour = aColour;
    vTex0 = aTex0;
    float w = 1.0 / aPosition.w;
    vec2 ndc = vec2((aPosition.x - uViewport.x) * 2.0 / uViewport.z - 1.0,
                    1.0 - (aPosition.y - uViewport.y) * 2.0 / uViewport.w);
    return vec4(ndc * w, aPosition.z * w, w);
}
)";
    }
    if (index == kPassThroughVertexStage || index == 6) {
        return R"(vec4 transform() {
    vColour = aColour;
    vTex0 = aTex0;
    return vec4(aPosition.xyz, 1.0);
}
)";
    }
    if (index < 0 || index >= kVertexShaderCount) return {};
    const int a = index / 2, b = index % 2;
    std::string body = "vec4 transform() {\n    vColour = aColour;\n    vTex0 = aTex0;\n"
                       "    vec4 p = matrixPosition();\n    vec2 screen = p.xy / p.w;\n";
    if (a == 1) body += "    vTex1 = aTex1;\n";
    if (a == 2) body += "    vTex1 = screen * vec2(0.5, -0.5) + vc[4].xy;\n";
    if (b == 1) body += "    vTex2 = screen * vc[5].zw + vc[5].xy;\n";
    return body + "    return p;\n}\n";
}

std::string pixelBody(int index) {
    if (index == kModulatePixelStage) {
        return "vec4 shade() {\n    return uHasTex0 != 0 ? texture(s0, vTex0) * vColour : vColour;\n}\n";
    }
    return pixelShaderBody(index);
}

}  // namespace

std::string vertexShaderSource(int index) {
    std::string body = vertexBody(index);
    return body.empty() ? body : kVertexPrologue + body;
}

std::string pixelShaderSource(int index) {
    std::string body = pixelBody(index);
    return body.empty() ? body : kPixelPrologue + body;
}

}  // namespace platform::gl
