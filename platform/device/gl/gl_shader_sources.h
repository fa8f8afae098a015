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
// The table's solid fill (vertex colour alone), and the ordinary stage that
// also draws it: a fill between two sprites then changes no program and no
// uniform, each of which the software rasteriser pays dearly for. The
// device marks a fill's vertices with a first texture coordinate no
// texture is ever drawn with; the carrier takes the texel as white there.
constexpr int kSolidPixelStage = 279;
constexpr int kSolidCarrierPixelStage = 0;
constexpr float kSolidMarkU = -1.0e30f;

// Whole sources; empty when the table has no such entry.
std::string vertexShaderSource(int index);
std::string pixelShaderSource(int index);

}  // namespace platform::gl
