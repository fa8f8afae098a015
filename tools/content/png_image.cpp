// PNG encoding through libpng, into memory.
#include "tools/content/png_image.h"

#include <png.h>

#include "tools/content/content_context.h"

namespace content {
namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void noFlush(png_structp) {}

[[noreturn]] void failed(png_structp, png_const_charp message) { throw ContentError(std::string("PNG: ") + message); }

}  // namespace

std::vector<uint8_t> encodePng(const Image& image, int level) {
    std::vector<uint8_t> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, failed, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        throw ContentError("PNG: libpng could not start");
    }
    try {
        png_set_write_fn(png, &out, appendBytes, noFlush);
        png_set_IHDR(png, info, png_uint_32(image.width), png_uint_32(image.height), 8, PNG_COLOR_TYPE_RGBA,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_set_compression_level(png, level);
        png_write_info(png, info);
        for (int32_t y = 0; y < image.height; ++y) {
            png_write_row(png, const_cast<png_bytep>(image.pixel(0, y)));
        }
        png_write_end(png, nullptr);
    } catch (...) {
        png_destroy_write_struct(&png, &info);
        throw;
    }
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace content
