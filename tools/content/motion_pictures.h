#pragma once
// The pictures of a scene motion, drawn and packed onto the one texture its
// motion file carries: sprites cut from the generated sprite sheets, lines
// of text in the faces of the PSB fonts, and plain shapes (rectangles,
// glows, rings, beams, outlines).
//
// Threads: one thread at a time (the sheets are decoded on first use and the
// faces are FreeType faces).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tools/content/motion_content.h"
#include "tools/content/png_image.h"
#include "tools/content/sprite_layout.h"

namespace content {

class FontFace;

// Cells of the sprite sheets by sprite id.
class SpritePictures {
public:
    // rows: the sprite-frame table; sheetPng: the PNG bytes of a sheet slot.
    SpritePictures(std::vector<FrameRow> rows, std::function<std::vector<uint8_t>(int32_t)> sheetPng);
    // Throws ContentError when the id has no picture or its sheet no PNG.
    Image cell(int32_t id);

private:
    std::vector<FrameRow> rows_;
    std::function<std::vector<uint8_t>(int32_t)> sheetPng_;
    std::map<int32_t, Image> sheets_;
};

// Text in a list of faces: each character from the first face that has it.
class TextFaces {
public:
    TextFaces();
    ~TextFaces();
    // asciiOnly: the face draws only ASCII (another face draws the rest).
    void add(const std::string& path, bool asciiOnly);
    // Lines of text in the colour, lighter at the top of each line, with a
    // dark outline; the lines centred on each other.
    Image draw(const std::vector<std::string>& lines, int32_t size, uint32_t colour);

private:
    std::vector<std::pair<std::unique_ptr<FontFace>, bool>> faces_;
};

struct AtlasRect {
    int32_t x = 0, y = 0, width = 0, height = 0;
};

struct PictureAtlas {
    Image image;
    std::map<std::string, AtlasRect> places;
};

// Draws every picture and packs them onto one power-of-two texture.
PictureAtlas drawPictures(const std::vector<MotionPicture>& pictures, SpritePictures& sprites, TextFaces& faces);

// The PNG's pixels, for any PNG libpng reads; throws ContentError naming
// `what` when it is not one.
Image decodePng(const std::vector<uint8_t>& png, const std::string& what);

}  // namespace content
