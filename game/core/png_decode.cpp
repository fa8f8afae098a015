// libpng over a memory buffer. libpng reports errors by longjmp; the jump
// lands in decodeWithLibpng, whose frame holds nothing that needs
// destroying, and the pixel memory it may have taken is freed by its caller.
#include "game/core/png_decode.h"

#include <png.h>

#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "game/core/wheel_log.h"

namespace {

struct PngSource {
    const uint8_t* data;
    size_t size;
    size_t cursor;
    uint32_t width;
    uint32_t height;
    int bitsPerPixel;
    uint8_t* pixels;  // malloc'd; freed by the caller on failure
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
    const size_t rowBytes = size_t(source->width) * 4;
    source->pixels = static_cast<uint8_t*>(std::calloc(source->height, rowBytes));
    if (!source->pixels) png_error(png, "not enough memory");
    for (int pass = 0; pass < passes; ++pass) {
        for (uint32_t y = 0; y < source->height; ++y) png_read_row(png, source->pixels + y * rowBytes, nullptr);
    }
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    return true;
}

}  // namespace

bool pngDecodeFromMemory(const uint8_t* data, size_t size, std::vector<uint8_t>& pixels, size_t& byteCount,
                         uint32_t& width, uint32_t& height, int& bitsPerPixel) {
    pixels.clear();
    byteCount = 0;
    width = height = 0;
    bitsPerPixel = 0;
    PngSource source{data, data ? size : 0, 0, 0, 0, 0, nullptr};
    const bool decoded = decodeWithLibpng(&source);
    if (decoded) {
        byteCount = size_t(source.width) * source.height * 4;
        pixels.assign(source.pixels, source.pixels + byteCount);
        width = source.width;
        height = source.height;
        bitsPerPixel = source.bitsPerPixel;
    }
    std::free(source.pixels);
    return decoded;
}
