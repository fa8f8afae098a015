#pragma once
// The bodies (a `vec4 shade()` each) of the 280 pixel shaders of the
// renderer's table, generated from one template per family: 120 ordinary
// shaders (0..119), 152 effect shaders (120..271) and 8 special ones
// (272..279). Constant registers: pc[0] c0, pc[1] c1, pc[2] c2; samplers
// s0 the drawn texture, s1 the mask layer or second texture, s2 the picture
// beneath.

#include <string>

namespace platform::gl {

// Empty outside 0..279.
std::string pixelShaderBody(int index);

}  // namespace platform::gl
