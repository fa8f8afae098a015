#include "tools/psbwriter/image_object.h"

namespace psbwriter {

Object imageObject(const std::string& type, int width, int height, std::vector<uint8_t> pixel,
                   const std::string& spec) {
    Object image{{"width", width}, {"height", height}, {"type", type}, {"pixel", Resource{std::move(pixel), false}}};
    if (!spec.empty()) image["spec"] = spec;
    return image;
}

Object rgbaImage(int width, int height, const std::vector<uint32_t>& pixels) {
    std::vector<uint8_t> bytes;
    bytes.reserve(pixels.size() * 4);
    for (uint32_t p : pixels) {
        for (int shift = 24; shift >= 0; shift -= 8) bytes.push_back(uint8_t(p >> shift));
    }
    return imageObject("RGBA8", width, height, std::move(bytes));
}

}  // namespace psbwriter
