// libpng over a memory buffer. libpng reports errors by longjmp; the jump
// lands in decodeWithLibpng, whose frame holds nothing that needs
// destroying; the rows it writes into belong to its caller.
#include "game/core/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstring>
#include <new>

#include "game/core/wheel_log.h"

namespace {

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t cursor;
    uint32_t width;
    uint32_t height;
    int bitsPerPixel;
    bool blueFirst;  // B, G, R, A rather than R, G, B, A
    const PngRowsFor* rowsFor;
};

void pngReadFromMemory(png_structp png, png_bytep out, png_size_t n) {
    auto* source = static_cast<PngSource*>(png_get_io_ptr(png));
    // Never hand libpng bytes it didn't get: a short image is an error.
    if (source->size - source->cursor < n) png_error(png, "the image ends early");
    std::memcpy(out, source->data + source->cursor, n);
    source->cursor += n;
}

void onPngError(png_structp png, png_const_charp message) {
    SDL2_wheel_Log("pngDecodeFromMemory : %s", message);
    png_longjmp(png, 1);
}

void onPngWarning(png_structp, png_const_charp) {}

// Reads the header and refuses what the game doesn't draw; true when the
// image is 8-bit RGB or RGBA of a size we take.
bool acceptHeader(png_structp png, png_infop info, PngSource* source) {
    png_read_info(png, info);
    source->width = png_get_image_width(png, info);
    source->height = png_get_image_height(png, info);
    const int colourType = png_get_color_type(png, info);
    const int bitDepth = png_get_bit_depth(png, info);
    if ((colourType != PNG_COLOR_TYPE_RGB && colourType != PNG_COLOR_TYPE_RGBA) || bitDepth != 8) {
        SDL2_wheel_Log("pngDecodeFromMemory : colour type %d of %d bits is not taken", colourType, bitDepth);
        return false;
    }
    source->bitsPerPixel = colourType == PNG_COLOR_TYPE_RGB ? 24 : 32;
    if (colourType == PNG_COLOR_TYPE_RGB) png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    if (source->blueFirst) png_set_bgr(png);
    return true;
}

bool decodeWithLibpng(PngSource* source) {
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, onPngError, onPngWarning);
    if (!png) return false;
    png_infop info = png_create_info_struct(png);
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
        return false;
    }
    png_set_user_limits(png, kPngLargestSide, kPngLargestSide);
    png_set_read_fn(png, source, pngReadFromMemory);
    if (!acceptHeader(png, info, source)) {
        png_destroy_read_struct(&png, &info, nullptr);
        return false;
    }
    const int passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    const PngRows rows = (*source->rowsFor)(source->width, source->height);
    if (!rows.first || rows.pitch < size_t(source->width) * 4) png_error(png, "no memory for the pixels");
    for (int pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < source->height; ++y) png_read_row(png, rows.first + y * rows.pitch, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool pngDecodeFromMemory(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, size_t& byteCount,
                         uint32_t& width, uint32_t& height, int& bitsPerPixel) {
    byteCount = 0;
    const PngRowsFor packed = [&pixels](uint32_t w, uint32_t h) {
        try {
            pixels.assign(size_t(w) * h * 4, 0);
        } catch (const std::bad_alloc&) {
            return PngRows{};
        }
        return PngRows{pixels.data(), size_t(w) * 4};
    };
    PngSource source{data, data ? size : 0, 0, 0, 0, 0, false, &packed};
    pixels.clear();
    const bool decoded = decodeWithLibpng(&source);
    if (!decoded) pixels.clear();
    byteCount = pixels.size();
    width = decoded ? source.width : 0;
    height = decoded ? source.height : 0;
    bitsPerPixel = decoded ? source.bitsPerPixel : 0;
    return decoded;
}

bool pngDecodeBgraInto(const uint8_t* data, size_t size, const PngRowsFor& rowsFor, uint32_t& width,
                       uint32_t& height) {
    PngSource source{data, data ? size : 0, 0, 0, 0, 0, true, &rowsFor};
    const bool decoded = decodeWithLibpng(&source);
    width = decoded ? source.width : 0;
    height = decoded ? source.height : 0;
    return decoded;
}
