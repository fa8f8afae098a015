#include "tests/game/core/png_fixture.h"

#include <png.h>

#include <csetjmp>

namespace {

void appendBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void flushNothing(png_structp) {}

int channelsOf(int colourType) {
    switch (colourType) {
        case PNG_COLOR_TYPE_RGB: return 3;
        case PNG_COLOR_TYPE_RGBA: return 4;
        case PNG_COLOR_TYPE_GRAY_ALPHA: return 2;
        default: return 1;
    }
}

std::vector<uint8_t> rowOf(uint32_t y, uint32_t width, int colourType, int bitDepth) {
    const int channels = channelsOf(colourType);
    const int bytes = bitDepth / 8;
    std::vector<uint8_t> row;
    for (uint32_t x = 0; x < width; ++x) {
        const uint32_t rgba = fixturePixel(x, y);
        for (int c = 0; c < channels; ++c) {
            uint8_t value = uint8_t(rgba >> (24 - 8 * c));
            if (colourType == PNG_COLOR_TYPE_PALETTE) value = uint8_t((rgba >> 24) % 4);
            if (colourType == PNG_COLOR_TYPE_GRAY_ALPHA && c == 1) value = uint8_t(rgba);
            for (int b = 0; b < bytes; ++b) row.push_back(value);
        }
    }
    return row;
}

}  // namespace

std::vector<uint8_t> makePng(uint32_t width, uint32_t height, int colourType, int bitDepth, bool interlaced) {
    // Everything with a destructor is made before setjmp, which libpng's errors return to.
    std::vector<uint8_t> out;
    std::vector<std::vector<uint8_t>> rows;
    std::vector<png_bytep> pointers;
    for (uint32_t y = 0; y < height; ++y) rows.push_back(rowOf(y, width, colourType, bitDepth));
    for (auto& row : rows) pointers.push_back(row.data());
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, appendBytes, flushNothing);
    png_set_IHDR(png, info, width, height, bitDepth, colourType,
                 interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_color palette[4] = {{0, 0, 0}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    if (colourType == PNG_COLOR_TYPE_PALETTE) png_set_PLTE(png, info, palette, 4);
    png_write_info(png, info);
    png_write_image(png, pointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}
