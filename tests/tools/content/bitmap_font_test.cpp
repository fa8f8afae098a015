// The bitmap font sheet: RGBA, 10 glyphs a row in 8 x 8 cells, each cell
// where the game's bitmap text takes a character from (its first position in
// the glyph table " " to "~" whose back-quote is a second space), holding
// the glyph of the content file.
#include "tools/content/bitmap_font.h"

#include <gtest/gtest.h>
#include <png.h>

#include <fstream>
#include <iterator>
#include <string>

namespace {

struct Sheet {
    png_uint_32 width = 0, height = 0, format = 0;
    std::vector<uint8_t> rgba;
    const uint8_t* pixel(int x, int y) const { return rgba.data() + (size_t(y) * width + size_t(x)) * 4; }
};

Sheet readSheet(const char* path) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    Sheet sheet;
    if (!png_image_begin_read_from_file(&image, path)) return sheet;
    sheet.format = image.format;
    image.format = PNG_FORMAT_RGBA;
    sheet.rgba.resize(PNG_IMAGE_SIZE(image));
    if (png_image_finish_read(&image, nullptr, sheet.rgba.data(), 0, nullptr)) {
        sheet.width = image.width;
        sheet.height = image.height;
    }
    png_image_free(&image);
    return sheet;
}

// The game's lookup: the first position of the character in the table.
int glyphIndex(char c) {
    std::string table;
    for (char t = ' '; t <= '~'; ++t) table += t == '`' ? ' ' : t;
    const size_t at = table.find(c);
    return at == std::string::npos ? -1 : int(at);
}

content::BitmapGlyphs contentGlyphs() {
    std::ifstream in(std::string(HALVIR_CONTENT_DIR "/") + content::kBitmapGlyphFile, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), {}};
    return content::parseBitmapGlyphs(text, content::kBitmapGlyphFile);
}

TEST(BitmapFontTest, EachCharacterIsTheContentGlyphInItsCell) {
    const Sheet sheet = readSheet(HALVIR_RESOURCE_DIR "/graphic/font8x8.png");
    ASSERT_EQ(sheet.width, 80u);
    ASSERT_EQ(sheet.height, 80u);
    EXPECT_EQ(sheet.format, png_uint_32(PNG_FORMAT_RGBA));  // colour type 6, which the game decodes
    const content::BitmapGlyphs glyphs = contentGlyphs();
    for (char c = ' '; c <= '~'; ++c) {
        const int index = glyphIndex(c);
        if (c == '`') {
            EXPECT_EQ(index, -1);
            continue;
        }
        ASSERT_EQ(index, c - ' ');
        const int left = 8 * (index % 10), top = 8 * (index / 10);
        int ink = 0;
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) {
                const bool set = glyphs[size_t(index)][size_t(y)] >> (7 - x) & 1;
                const uint8_t* p = sheet.pixel(left + x, top + y);
                EXPECT_EQ(p[3], set ? 255 : 0) << c << " " << x << "," << y;
                if (set) {
                    EXPECT_TRUE(p[0] == 255 && p[1] == 255 && p[2] == 255) << c;
                }
                ink += set;
            }
        }
        EXPECT_EQ(ink > 0, c != ' ') << c;
    }
}

TEST(BitmapFontTest, TheBackQuoteCellAndThePaddingAreClear) {
    const Sheet sheet = readSheet(HALVIR_RESOURCE_DIR "/graphic/font8x8.png");
    ASSERT_EQ(sheet.width, 80u);
    // Index 64 (the back-quote's place) and the five cells after index 94.
    for (int index : {64, 95, 96, 97, 98, 99}) {
        for (int y = 0; y < 8; ++y) {
            for (int x = 0; x < 8; ++x) EXPECT_EQ(sheet.pixel(8 * (index % 10) + x, 8 * (index / 10) + y)[3], 0);
        }
    }
    EXPECT_EQ(glyphIndex('A'), 33);  // column 3, row 3
}

}  // namespace
