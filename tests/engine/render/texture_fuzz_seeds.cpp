// Writes the texture fuzzer's seed corpus, made with our PSB writer: for
// each platform spec an image document holding an image of every pixel type
// (the indexed ones with a palette), one with mip levels and a truncated
// size, and one with its alpha in its right half; a motion document whose
// source has a texture; and a font document with glyphs and a source image.
// Run with the corpus folder as its argument.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/motion_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

using psbwriter::List;
using psbwriter::Object;
using psbwriter::Resource;

constexpr const char* kTextureSeedTypes[] = {"L8",   "A8",         "A8L8",       "RGBA8", "RGBX8",  "RGBA5650",
                                             "RGBA5551", "RGBA4444", "DXT1", "DXT3",  "DXT5",   "PVRTC_4BPP",
                                             "PVRTC_2BPP", "ETC1", "RGB5A3", "CI8", "CI4"};

std::vector<uint8_t> noise(size_t bytes, uint32_t seed) {
    std::vector<uint8_t> out(bytes);
    for (size_t i = 0; i < bytes; ++i) {
        seed = seed * 1103515245u + 12345u;
        out[i] = uint8_t(seed >> 16);
    }
    return out;
}

// 16 x 16 with four bytes a pixel: enough for every type at that size.
Object seedImage(const std::string& type, const std::string& spec, uint32_t seed) {
    Object image = psbwriter::imageObject(type, 16, 16, noise(16 * 16 * 4, seed), spec);
    if (type == "CI8" || type == "CI4") image["pal"] = Resource{noise(256 * 4, seed + 1)};
    return image;
}

Object imageDocument(const std::string& spec) {
    List textures;
    uint32_t seed = 1;
    for (const char* type : kTextureSeedTypes) textures.push_back(Object{{"image", seedImage(type, spec, seed++)}});
    Object levels = seedImage("RGBA8", spec, 99);
    levels["mipMapLevel"] = 3;
    levels["mipMap"] = List{psbwriter::imageObject("RGBA8", 8, 8, noise(8 * 8 * 4, 5), spec),
                            psbwriter::imageObject("RGBA8", 4, 4, noise(4 * 4 * 4, 6), spec)};
    levels["truncated_width"] = 12;
    levels["truncated_height"] = 9;
    textures.push_back(Object{{"image", levels}});
    Object halves = seedImage("RGBA8", spec, 7);
    halves["ast"] = true;
    textures.push_back(Object{{"image", halves}});
    return Object{{"id", "image"}, {"spec", spec}, {"imageList", List{Object{{"texture", textures}}}}};
}

psbwriter::Value motionDocument() {
    namespace mb = psbwriter::motion;
    mb::Document d{.label = "seed"};
    d.sources["src"].texture = seedImage("ETC1", "", 3);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 4, .height = 4};
    d.objects["o"].motions["m"] = mb::Timeline{.lastTime = 1};
    return mb::motionDocument(d);
}

Object glyph(int id, float x) {
    return {{"id", id}, {"x", x},    {"y", 0.0f}, {"width", 7.0f}, {"height", 9.0f},
            {"w", 8.0f}, {"h", 10.0f}, {"a", 6.0f}, {"b", 1.0f},     {"d", 3.0f}};
}

Object fontDocument() {
    return {{"id", "font"},
            {"spec", "win"},
            {"version", 1.08f},
            {"label", "seed"},
            {"maxWidth", 8.0f},
            {"maxHeight", 10.0f},
            {"code", Object{{"A", glyph(0, 0.0f)}, {"z", glyph(0, 8.0f)}, {"\xE3\x81\x82", glyph(1, 0.0f)}}},
            {"source", List{seedImage("A8", "", 11), seedImage("RGBA4444", "", 12)}}};
}

void writeSeed(const std::filesystem::path& file, const psbwriter::Value& root) {
    const std::vector<uint8_t> bytes = psbwriter::writePsb(root);
    std::ofstream(file, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: texture_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const char* spec : {"win", "common", "revo", "x360", "ps3", "psp"}) {
        writeSeed(folder / (std::string("image_") + spec + ".psb"), imageDocument(spec));
    }
    writeSeed(folder / "motion.psb", motionDocument());
    writeSeed(folder / "font.psb", fontDocument());
    return 0;
}
