// The pictures of the scene motions: sprites cut from a sheet's PNG, shapes
// drawn to their sizes, all packed on one texture without overlapping.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/font_face.h"
#include "tools/content/motion_pictures.h"

namespace {

using content::Image;
using content::MotionPicture;
using content::PictureKind;

// A 16 x 8 sheet whose pixel (x, y) is (x, y, 7, 255); sprite 3 is its cell
// (4, 2, 5 x 3).
content::SpritePictures testSprites(int& decodes) {
    std::vector<content::FrameRow> rows(8);
    rows[3] = {1, 4, 2, 5, 3, 3, 0, 0, 0, 0, 0};
    return content::SpritePictures(rows, [&decodes](int32_t slot) {
        ++decodes;
        if (slot != 1) throw content::ContentError("no sheet");
        Image sheet(16, 8);
        for (int32_t y = 0; y < 8; ++y) {
            for (int32_t x = 0; x < 16; ++x) {
                uint8_t* p = sheet.pixel(x, y);
                p[0] = uint8_t(x), p[1] = uint8_t(y), p[2] = 7, p[3] = 255;
            }
        }
        return content::encodePng(sheet);
    });
}

TEST(MotionPicturesTest, SpritesAreCutFromTheirSheetDecodedOnce) {
    int decodes = 0;
    content::SpritePictures sprites = testSprites(decodes);
    const Image cell = sprites.cell(3);
    ASSERT_EQ(cell.width, 5);
    ASSERT_EQ(cell.height, 3);
    EXPECT_EQ(cell.pixel(0, 0)[0], 4);
    EXPECT_EQ(cell.pixel(4, 2)[0], 8);
    EXPECT_EQ(cell.pixel(4, 2)[1], 4);
    sprites.cell(3);
    EXPECT_EQ(decodes, 1);
    EXPECT_THROW(sprites.cell(2), content::ContentError);   // no cell
    EXPECT_THROW(sprites.cell(99), content::ContentError);  // past the table
}

TEST(MotionPicturesTest, PicturesArePackedApartOnOneTexture) {
    int decodes = 0;
    content::SpritePictures sprites = testSprites(decodes);
    content::TextFaces faces;
    const auto picture = [](const char* name, PictureKind kind, int32_t w, int32_t h, int32_t size) {
        MotionPicture p;
        p.name = name;
        p.kind = kind;
        p.sprite = 3;
        p.width = w;
        p.height = h;
        p.size = size;
        p.colour = 0xff0000;
        return p;
    };
    const std::vector<MotionPicture> pictures = {
        picture("sprite", PictureKind::kSprite, 0, 0, 0), picture("bar", PictureKind::kSolid, 40, 6, 0),
        picture("glow", PictureKind::kGlow, 30, 30, 0), picture("edge", PictureKind::kFrame, 20, 10, 2)};
    const content::PictureAtlas atlas = content::drawPictures(pictures, sprites, faces);
    ASSERT_EQ(atlas.places.size(), 4u);
    EXPECT_EQ(atlas.image.width & (atlas.image.width - 1), 0);
    EXPECT_EQ(atlas.image.height & (atlas.image.height - 1), 0);
    for (const auto& [name, a] : atlas.places) {
        EXPECT_GE(a.x, 0) << name;
        EXPECT_LE(a.x + a.width, atlas.image.width) << name;
        EXPECT_LE(a.y + a.height, atlas.image.height) << name;
        for (const auto& [other, b] : atlas.places) {
            const bool apart = a.x + a.width <= b.x || b.x + b.width <= a.x || a.y + a.height <= b.y ||
                               b.y + b.height <= a.y;
            if (name != other) {
                EXPECT_TRUE(apart) << name << " overlaps " << other;
            }
        }
    }
    const content::AtlasRect bar = atlas.places.at("bar");
    EXPECT_EQ(bar.width, 40);
    EXPECT_EQ(atlas.image.pixel(bar.x + 20, bar.y + 3)[0], 255);
    EXPECT_EQ(atlas.image.pixel(bar.x + 20, bar.y + 3)[3], 255);
    const content::AtlasRect sprite = atlas.places.at("sprite");
    EXPECT_EQ(atlas.image.pixel(sprite.x, sprite.y)[0], 4);
    const content::AtlasRect glow = atlas.places.at("glow");
    EXPECT_GT(atlas.image.pixel(glow.x + 15, glow.y + 15)[3], 200);  // bright at the centre
    EXPECT_EQ(atlas.image.pixel(glow.x, glow.y)[3], 0);               // nothing in the corners
}

// The logo the splash, the opening and the title show lies inside the
// 224-pixel playfield, as its content draws it.
TEST(MotionPicturesTest, TheLogoFitsThePlayfield) {
    content::TextFaces faces;
    faces.add(content::findFontFile("DejaVuSans-Bold.ttf", "fonts-dejavu-core"), true);
    for (const char* file : {"qv_splash", "qv_title", "opening_scenes", "initialize"}) {
        std::ifstream in(std::string(HALVIR_CONTENT_DIR "/motion/") + file + ".txt");
        const std::string text{std::istreambuf_iterator<char>(in), {}};
        const size_t at = text.find("picture logo text ");
        ASSERT_NE(at, std::string::npos) << file;
        std::istringstream line(text.substr(at + 18, text.find('\n', at) - at - 18));
        int32_t size = 0;
        std::string colour, words, word;
        line >> size >> colour;
        while (line >> word) words += (words.empty() ? "" : " ") + word;
        EXPECT_LE(faces.draw({words}, size, 0xffffff).width, 224) << file;
    }
}

}  // namespace
