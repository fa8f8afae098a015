#pragma once
// GLSL for the renderer's shader tables, for the built-in vertex stages and
// for the pixel stage used when no pixel shader is set. Each source is a body
// that the common prologue (attributes, varyings, constant registers) and
// epilogue (clip-space conventions, alpha test) are wrapped around.

#include <string>

namespace platform::gl {

// Vertex stages besides the table: position passed through, and the
// screen-space stage of pre-transformed vertices.
constexpr int kPassThroughVertexStage = -1;
constexpr int kScreenSpaceVertexStage = -2;
// The pixel stage used with no pixel shader: texel times vertex colour.
constexpr int kModulatePixelStage = -1;

// Whole sources; empty when the table has no such entry.
std::string vertexShaderSource(int index);
std::string pixelShaderSource(int index);

}  // namespace platform::gl
