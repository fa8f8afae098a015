#include "engine/render/psb_texture.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/psb_value.h"
#include "engine/render/display.h"
#include "engine/render/psb_texture_pixels.h"
#include "engine/render/shared_texture_table.h"
#include "engine/render/texture_upload.h"
#include "engine/render/win_d3d_win.h"

namespace {

using platform::PixelFormat;

// Far beyond any texture the device makes; a larger side is damage.
constexpr int32_t kLargestSide = 16384;

bool isNumber(const PSBValue& v) {
    const PSBKind k = v.kind();
    return k == PSBKind::Int || k == PSBKind::Long || k == PSBKind::Float || k == PSBKind::Double;
}

bool isResource(const PSBValue& v) { return v.kind() == PSBKind::Resource || v.kind() == PSBKind::ExtraResource; }

// A required side: a missing key is the reader's fatal error, anything but a
// number from 1 to kLargestSide is damage.
bool readSide(const PSBValue& object, const char* key, int32_t& out, std::string& why) {
    const PSBValue v = object.get(key);
    out = isNumber(v) ? v.toInt() : 0;
    if (out >= 1 && out <= kLargestSide) return true;
    why = std::string("\"") + key + "\" is not a size from 1 to " + std::to_string(kLargestSide);
    return false;
}

// An optional size that replaces a stored one; it may only shrink it.
void readTruncated(const PSBValue& image, const char* key, int32_t& side) {
    PSBValue v;
    if (!image.find(key, v) || !isNumber(v)) return;
    const int32_t truncated = v.toInt();
    if (truncated >= 1 && truncated <= side) side = truncated;
}

bool readLevel(const PSBValue& object, MPSBImageLevel& level, std::string& why) {
    if (!readSide(object, "width", level.width, why) || !readSide(object, "height", level.height, why)) return false;
    const PSBValue pixel = object.get("pixel");
    if (isResource(pixel)) {
        level.pixels = pixel.getResourceData();
        level.pixelBytes = pixel.getResourceSize();
    }
    if (level.pixels) return true;
    why = "\"pixel\" holds no pixel data";
    return false;
}

// Everything read from the image object before anything is made.
struct ImagePlan {
    MPSBImageLayout layout;
    bool direct = false;  // stored as the device takes it
    int32_t width = 0;    // of the texture
    int32_t height = 0;
    std::vector<MPSBImageLevel> levels;  // as stored
};

bool readLevels(const PSBValue& image, int32_t count, ImagePlan& plan, std::string& why) {
    plan.levels.resize(1);
    if (!readLevel(image, plan.levels[0], why)) return false;
    const int32_t fullChain = std::bit_width(uint32_t(std::max(plan.width, plan.height)));
    if (count < 1 || count > fullChain) {
        why = "\"mipMapLevel\" " + std::to_string(count) + " is not a level count of this size";
        return false;
    }
    if (count == 1) return true;
    PSBValue mipMap;
    if (!image.find("mipMap", mipMap) || mipMap.kind() != PSBKind::List || mipMap.getCount() < uint32_t(count - 1)) {
        why = "\"mipMap\" lists fewer than " + std::to_string(count - 1) + " levels";
        return false;
    }
    plan.levels.resize(size_t(count));
    for (int32_t i = 1; i < count; ++i) {
        const PSBValue entry = mipMap.at(uint32_t(i - 1));
        if (entry.kind() != PSBKind::Object) {
            why = "a \"mipMap\" entry is not an object";
            return false;
        }
        if (!readLevel(entry, plan.levels[size_t(i)], why)) return false;
    }
    return true;
}

bool readLayout(const PSBValue& image, ImagePlan& plan, std::string& why) {
    const PSBValue type = image.get("type");
    plan.layout.type = type.kind() == PSBKind::String ? findPSBPixelType(type.toString()) : nullptr;
    if (!plan.layout.type) {
        why = type.kind() == PSBKind::String ? std::string("unknown pixel type ") + type.toString()
                                             : "\"type\" is not a text";
        return false;
    }
    PSBValue v;
    const bool hasSpec = image.find("spec", v) && v.kind() == PSBKind::String;
    const std::string spec = hasSpec ? v.toString() : M_SPEC;
    plan.layout.family = psbSpecFamily(spec);
    plan.direct = spec == M_SPEC && plan.layout.type->deviceLayout;
    if (image.find("pal", v) && isResource(v)) {
        plan.layout.palette = v.getResourceData();
        plan.layout.paletteBytes = v.getResourceSize();
    }
    plan.layout.alphaInRightHalf = image.find("ast", v) && (v.kind() == PSBKind::Bool || isNumber(v)) && v.toBool();
    return true;
}

// One level's pixels laid out as the upload reads them: rows a power of two
// of pixels apart (of blocks, for DXT), for the texture level's rows. The
// level's data comes packed at its stored width, so it is used in place only
// when that is already the upload's layout.
const uint8_t* uploadLayout(const MPSBPixelType& type, const MPSBImageLevel& stored, const uint8_t* packed,
                            MTextureLevelSize size, std::vector<uint8_t>& buffer) {
    const size_t packedRow = size_t(platform::rowPitch(type.format, stored.width));
    const size_t packedRows = size_t(platform::pitchRows(type.format, stored.height));
    const size_t stride = size_t(platform::rowPitch(type.format, int(std::bit_ceil(uint32_t(size.width)))));
    const size_t rows = size_t(platform::pitchRows(type.format, size.height));
    if (stride == packedRow && rows <= packedRows) return packed;
    buffer.assign(stride * rows, 0);
    const size_t rowBytes = std::min(stride, packedRow);
    for (size_t r = 0; r < std::min(rows, packedRows); ++r) {
        std::memcpy(buffer.data() + r * stride, packed + r * packedRow, rowBytes);
    }
    return buffer.data();
}

MWinD3DTexture* makeTexture(MWinD3DWin& window, const ImagePlan& plan, std::string& why) {
    const MPSBPixelType& type = *plan.layout.type;
    const int32_t levels = int32_t(plan.levels.size());
    MTextureImageDesc desc(type.bitsPerPixel, plan.width, plan.height, levels,
                           platform::isBlockCompressed(type.format) ? 4 : 1);
    desc.levelPixels.clear();
    desc.levelSizes.clear();
    std::vector<std::vector<uint8_t>> converted(plan.levels.size());
    std::vector<std::vector<uint8_t>> laidOut(plan.levels.size());
    for (size_t i = 0; i < plan.levels.size(); ++i) {
        const MPSBImageLevel& stored = plan.levels[i];
        const uint8_t* packed = stored.pixels;
        const size_t bytes = psbDeviceLevelBytes(type, stored.width, stored.height);
        if (plan.direct && stored.pixelBytes < bytes) {
            why = "pixel data of " + std::to_string(stored.pixelBytes) + " bytes, " + std::to_string(bytes) +
                  " needed for level " + std::to_string(i);
            return nullptr;
        }
        if (!plan.direct) {
            converted[i].resize(bytes);
            if (!decodePSBTexturePixels(converted[i].data(), plan.layout, stored, why)) return nullptr;
            packed = converted[i].data();
        }
        const int32_t shift = int32_t(i);
        const MTextureLevelSize size{std::min(stored.width, std::max(1, plan.width >> shift)),
                                     std::min(stored.height, std::max(1, plan.height >> shift))};
        desc.levelPixels.push_back(uploadLayout(type, stored, packed, size, laidOut[i]));
        desc.levelSizes.push_back(size);
    }
    desc.pixels = desc.levelPixels[0];
    MWinD3DTexture* texture = window.createTexture(plan.width, plan.height, type.format, false, levels);
    if (!texture) {
        why = "the device made no texture";
        return nullptr;
    }
    uploadTexturePixels(*window.device(), texture->texture, desc);
    return texture;
}

void startRecord(MPSBTexture& out, const PSBValue& image, bool shareable) {
    out.release();
    out.document = image.document();
    out.image = image.pointer();
    out.shareable = shareable;
}

}  // namespace

void MPSBTexture::release() {
    if (texture) {
        if (keptPixels || !shareable) {
            if (window) window->releaseTexture(texture);
        } else {
            releaseSharedTexture(texture);
        }
    }
    width = height = storedWidth = storedHeight = 0;
    texture = nullptr;
    document = nullptr;
    image = nullptr;
    attached.reset();
    keptPixels.reset();
    flag = 0;
    std::fill(std::begin(callerWords), std::end(callerWords), 0);
    mipLevels = 1;
    shareable = true;
    window = nullptr;
}

bool loadPSBTexture(MPSBTexture& out, const PSBValue& image, bool shareable) {
    MDisplay* display = MDisplay::getInstance();
    if (display && display->d3dWin() && display->d3dWin()->device()) {
        return loadPSBTexture(*display->d3dWin(), out, image, shareable);
    }
    startRecord(out, image, shareable);
    return false;
}

bool loadPSBTexture(MWinD3DWin& window, MPSBTexture& out, const PSBValue& image, bool shareable) {
    startRecord(out, image, shareable);
    std::string why;
    ImagePlan plan;
    if (readSide(image, "width", out.storedWidth, why) && readSide(image, "height", out.storedHeight, why)) {
        plan.width = out.storedWidth;
        plan.height = out.storedHeight;
        // A device that takes textures of any size gets only the visible part.
        if (!window.capabilities().powerOfTwoTexturesOnly) {
            readTruncated(image, "truncated_width", plan.width);
            readTruncated(image, "truncated_height", plan.height);
        }
        out.width = plan.width;
        out.height = plan.height;
        PSBValue levels;
        out.mipLevels = image.find("mipMapLevel", levels) && isNumber(levels) ? levels.toInt() : 1;
        if (shareable) {
            const MSharedTexture shared = acquireSharedTexture(out.document, out.image);
            if (shared.texture) {
                out.texture = shared.texture;
                out.window = shared.window;
                return true;
            }
        }
        if (readLevels(image, out.mipLevels, plan, why) && readLayout(image, plan, why)) {
            out.texture = makeTexture(window, plan, why);
        }
    }
    if (!out.texture) {
        M_DEBUG_TRACE("image object made no texture: %s.\n", why.c_str());
        return false;
    }
    out.window = &window;
    if (shareable) addSharedTexture({out.texture, &window}, out.document, out.image);
    return true;
}
