#pragma once
// Image objects as the engine's PSB texture loader reads them: "width",
// "height", "type" (the pixel type, e.g. "RGBA8"), "pixel" (the bytes of
// level 0) and, unless empty, "spec" (the platform layout).

#include <cstdint>
#include <string>
#include <vector>

#include "tools/psbwriter/psb_tree.h"

namespace psbwriter {

Object imageObject(const std::string& type, int width, int height, std::vector<uint8_t> pixel,
                   const std::string& spec = "");

// An "RGBA8" image from 0xRRGGBBAA words, row by row (stored R, G, B, A).
Object rgbaImage(int width, int height, const std::vector<uint32_t>& pixels);

}  // namespace psbwriter
