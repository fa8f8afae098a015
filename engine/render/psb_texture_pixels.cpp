#include "engine/render/psb_texture_pixels.h"

#include <algorithm>
#include <cstring>
#include <string_view>
#include <vector>

#include "engine/render/etc1_decode.h"
#include "engine/render/psb_pixel_convert.h"
#include "engine/render/pvrtc_decode.h"

namespace {

using platform::PixelFormat;

constexpr MPSBPixelType kTypes[] = {
    {"L8", PixelFormat::L8, 8, true},
    {"A8", PixelFormat::A8, 8, true},
    {"A8L8", PixelFormat::A8L8, 16, true},
    {"RGBA8", PixelFormat::A8R8G8B8, 32, true},
    {"RGBX8", PixelFormat::A8R8G8B8, 32, true},
    {"RGBA5650", PixelFormat::R5G6B5, 16, true},
    {"RGBA5551", PixelFormat::A1R5G5B5, 16, true},
    {"RGBA4444", PixelFormat::A4R4G4B4, 16, true},
    {"DXT1", PixelFormat::DXT1, 4, true},
    {"DXT3", PixelFormat::DXT3, 8, true},
    {"DXT5", PixelFormat::DXT5, 8, true},
    {"PVRTC_4BPP", PixelFormat::A8R8G8B8, 32, false},
    {"PVRTC_2BPP", PixelFormat::A8R8G8B8, 32, false},
    {"ETC1", PixelFormat::A8R8G8B8, 32, false},
    {"RGB5A3", PixelFormat::A8R8G8B8, 32, false},
    {"CI8", PixelFormat::A8R8G8B8, 32, false},
    {"CI4", PixelFormat::A8R8G8B8, 32, false},
};

// Where the pixels go and where they come from, for one level.
struct Job {
    uint8_t* out;
    const MPSBImageLayout& layout;
    const MPSBImageLevel& level;
    std::string& why;

    std::string_view type() const { return layout.type->name; }
    bool is(std::string_view name) const { return type() == name; }
    size_t pixels() const { return size_t(level.width) * size_t(level.height); }
    size_t stride() const { return size_t(level.width) * 4; }

    bool need(size_t bytes) const {
        if (level.pixelBytes >= bytes) return true;
        why = "pixel data of " + std::to_string(level.pixelBytes) + " bytes, " + std::to_string(bytes) +
              " needed for a " + std::to_string(level.width) + " x " + std::to_string(level.height) + " " +
              std::string(type()) + " level";
        return false;
    }
    bool unknown() const {
        why = "no layout known for type " + std::string(type()) + " under this spec";
        return false;
    }
    bool copied() const {
        const size_t bytes = psbDeviceLevelBytes(*layout.type, level.width, level.height);
        if (!need(bytes)) return false;
        std::memcpy(out, level.pixels, bytes);
        return true;
    }
    bool paletteHolds(size_t entries, size_t entryBytes) const {
        if (layout.paletteBytes >= entries * entryBytes && layout.palette) return true;
        why = "palette of " + std::to_string(layout.paletteBytes) + " bytes is short";
        return false;
    }
    bool indexOutOfRange() const {
        why = "palette index past the palette";
        return false;
    }
};

uint16_t littleEndian16(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }

// 16-bit stored values, each rebuilt as a 16-bit device value.
template <typename Repack>
bool repack16(const Job& job, Repack repack) {
    if (!job.need(job.pixels() * 2)) return false;
    for (size_t i = 0; i < job.pixels(); ++i) {
        const uint32_t v = repack(littleEndian16(job.level.pixels + i * 2));
        job.out[i * 2] = uint8_t(v);
        job.out[i * 2 + 1] = uint8_t(v >> 8);
    }
    return true;
}

bool etc1(const Job& job) {
    const int w = job.level.width, h = job.level.height;
    if (!job.need(size_t((w + 3) / 4) * size_t((h + 3) / 4) * 8)) return false;
    std::vector<uint32_t> decoded(job.pixels());
    decodeETC1(job.level.pixels, w, h, decoded.data());
    std::memcpy(job.out, decoded.data(), decoded.size() * 4);
    return true;
}

bool pvrtc(const Job& job) {
    const bool twoBit = job.is("PVRTC_2BPP");
    const int w = job.level.width, h = job.level.height;
    const int blockW = twoBit ? 8 : 4;
    const size_t blocksX = size_t((std::max(w, twoBit ? 16 : 8) + blockW - 1) / blockW);
    const size_t blocksY = size_t((std::max(h, 8) + 3) / 4);
    if (!job.need(blocksX * blocksY * 8)) return false;
    decodePVRTC(job.level.pixels, twoBit ? 1 : 0, w, h, job.out);
    swapRedBlue(job.out, job.out, job.pixels());
    return true;
}

// The alpha of each left-half pixel is the green of the pixel half the
// image's width to its right.
void alphaFromRightHalf(const Job& job) {
    const size_t half = size_t(job.level.width / 2);
    for (int y = 0; y < job.level.height; ++y) {
        uint8_t* row = job.out + size_t(y) * job.stride();
        for (size_t x = 0; x < half; ++x) row[x * 4 + 3] = row[(x + half) * 4 + 1];
    }
}

bool common(const Job& job) {
    if (job.is("RGBA8") || job.is("RGBX8")) {
        if (!job.need(job.pixels() * 4)) return false;
        swapRedBlue(job.level.pixels, job.out, job.pixels());
        return true;
    }
    if (job.is("RGBA4444")) {
        return repack16(job, [](uint32_t v) {
            return packBits(expandBits(v, 4, 0), 4, 12) | packBits(expandBits(v, 4, 12), 4, 8) |
                   packBits(expandBits(v, 4, 8), 4, 4) | packBits(expandBits(v, 4, 4), 4, 0);
        });
    }
    if (job.is("RGBA5551")) {
        return repack16(job, [](uint32_t v) {
            return packBits(expandBits(v, 1, 0), 1, 15) | packBits(expandBits(v, 5, 11), 5, 10) |
                   packBits(expandBits(v, 5, 6), 5, 5) | packBits(expandBits(v, 5, 1), 5, 0);
        });
    }
    if (job.is("RGBA5650") || job.is("L8") || job.is("A8") || job.is("A8L8") || job.is("DXT1") || job.is("DXT3") ||
        job.is("DXT5")) {
        return job.copied();
    }
    return job.unknown();
}

bool revo(const Job& job) {
    const int w = job.level.width, h = job.level.height;
    if (job.is("RGBA8")) {
        if (!job.need(tiledBytes(w, h, 4, 4, 32))) return false;
        convertRGBA8Tiled(job.level.pixels, job.out, job.stride(), w, h);
        return true;
    }
    if (job.is("RGB5A3")) {
        if (!job.need(tiledBytes(w, h, 4, 4, 16))) return false;
        convertRGB5A3Tiled(job.level.pixels, job.out, job.stride(), w, h);
        return true;
    }
    const bool ci8 = job.is("CI8");
    if (!ci8 && !job.is("CI4")) return job.unknown();
    if (!job.need(ci8 ? tiledBytes(w, h, 8, 4, 8) : tiledBytes(w, h, 8, 8, 4))) return false;
    const size_t entries = job.layout.palette ? job.layout.paletteBytes / 2 : 0;
    const bool ok = ci8 ? convertCI8Tiled(job.level.pixels, job.layout.palette, entries, job.out, job.stride(), w, h)
                        : convertCI4Tiled(job.level.pixels, job.layout.palette, entries, job.out, job.stride(), w, h);
    return ok || job.indexOutOfRange();
}

// Plain rows of 8- or 4-bit indices (rowBytes apart) into a palette of
// 4-byte entries, stored B, G, R, A or, with rgbaPalette, R, G, B, A.
bool expandIndexed(const Job& job, const uint8_t* indices, size_t rowBytes, bool fourBit, bool rgbaPalette) {
    const size_t entries = job.layout.palette ? job.layout.paletteBytes / 4 : 0;
    for (int y = 0; y < job.level.height; ++y) {
        for (int x = 0; x < job.level.width; ++x) {
            const uint8_t* row = indices + size_t(y) * rowBytes;
            const size_t index = fourBit ? (x % 2 == 0 ? row[x / 2] >> 4 : row[x / 2] & 15) : row[x];
            if (index >= entries) return job.indexOutOfRange();
            uint8_t* out = job.out + size_t(y) * job.stride() + size_t(x) * 4;
            if (rgbaPalette) {
                swapRedBlue(job.layout.palette + index * 4, out, 1);
            } else {
                std::memcpy(out, job.layout.palette + index * 4, 4);
            }
        }
    }
    return true;
}

size_t indexRowBytes(const Job& job) {
    return job.is("CI8") ? size_t(job.level.width) : size_t(job.level.width + 1) / 2;
}

bool win(const Job& job) {
    if (job.layout.type->deviceLayout) return job.copied();
    if (!job.is("CI8") && !job.is("CI4")) return job.unknown();
    const size_t rowBytes = indexRowBytes(job);
    if (!job.need(rowBytes * size_t(job.level.height))) return false;
    return expandIndexed(job, job.level.pixels, rowBytes, job.is("CI4"), false);
}

// Big-endian consoles: 32-bit pixels stored A, R, G, B.
bool bigEndian(const Job& job) {
    if (job.is("RGBA8") || job.is("RGBX8")) {
        if (!job.need(job.pixels() * 4)) return false;
        reversePixelBytes(job.level.pixels, job.out, job.pixels());
        return true;
    }
    if (job.is("L8") || job.is("A8") || job.is("A8L8")) return job.copied();
    return job.unknown();
}

bool psp(const Job& job) {
    const bool rgba = job.is("RGBA8");
    if (!rgba && !job.is("CI8") && !job.is("CI4")) return job.unknown();
    const size_t rowBytes = rgba ? job.stride() : indexRowBytes(job);
    if (!job.need(swizzledBytes(rowBytes, job.level.height))) return false;
    std::vector<uint8_t> plain(rowBytes * size_t(job.level.height));
    unswizzleBlocks(job.level.pixels, plain.data(), rowBytes, job.level.height);
    if (rgba) {
        swapRedBlue(plain.data(), job.out, job.pixels());
        return true;
    }
    return expandIndexed(job, plain.data(), rowBytes, job.is("CI4"), true);
}

bool decodeLevel(const Job& job) {
    // The compressed formats the device can't sample are the same bits on
    // every platform.
    if (job.is("ETC1")) return etc1(job);
    if (job.is("PVRTC_4BPP") || job.is("PVRTC_2BPP")) return pvrtc(job);
    switch (job.layout.family) {
    case MPSBSpecFamily::Win: return win(job);
    case MPSBSpecFamily::Common: return common(job);
    case MPSBSpecFamily::Revo: return revo(job);
    case MPSBSpecFamily::X360:
    case MPSBSpecFamily::Ps3: return bigEndian(job);
    case MPSBSpecFamily::Psp: return psp(job);
    case MPSBSpecFamily::Unknown: break;
    }
    job.why = "unknown spec";
    return false;
}

}  // namespace

const MPSBPixelType* findPSBPixelType(const char* name) {
    for (const MPSBPixelType& t : kTypes)
        if (std::string_view(t.name) == name) return &t;
    return nullptr;
}

MPSBSpecFamily psbSpecFamily(const std::string& spec) {
    if (spec == "win") return MPSBSpecFamily::Win;
    if (spec == "common" || spec == "ios" || spec == "and" || spec == "osx") return MPSBSpecFamily::Common;
    if (spec == "revo") return MPSBSpecFamily::Revo;
    if (spec == "x360") return MPSBSpecFamily::X360;
    if (spec == "ps3") return MPSBSpecFamily::Ps3;
    if (spec == "psp") return MPSBSpecFamily::Psp;
    return MPSBSpecFamily::Unknown;
}

size_t psbDeviceLevelBytes(const MPSBPixelType& type, int32_t width, int32_t height) {
    return size_t(platform::rowPitch(type.format, width)) * size_t(platform::pitchRows(type.format, height));
}

bool decodePSBTexturePixels(uint8_t* destination, const MPSBImageLayout& layout, const MPSBImageLevel& level,
                            std::string& why) {
    const Job job{destination, layout, level, why};
    if (!level.pixels) return job.need(1);
    if (!decodeLevel(job)) return false;
    if (layout.family == MPSBSpecFamily::Common && layout.alphaInRightHalf && layout.type->bitsPerPixel == 32) {
        alphaFromRightHalf(job);
    }
    return true;
}
