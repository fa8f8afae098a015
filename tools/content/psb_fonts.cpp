// PSB fonts module: "resource/font/<name>.psb.m", the bitmap fonts of the
// game's text lines, rasterised with FreeType from the faces that
// "fonts/psb_fonts.txt" names and holding every character of
// "fonts/repertoire.txt". Each is a PSB "font" document in a data container
// under the game's key.
//
// A glyph's pen line is the top of its line cell: the engine draws text
// with the pen half a line above the text's y, so glyphs hang from the pen
// and a line is centred on its y. Its rectangle starts at the pen (the
// engine adds no bearing) and is cut to the ink below and above. A face
// whose descenders reach below the cell is raised until they fit (as far
// as its tallest glyph allows), so no glyph spills into the next line.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>

#include "engine/base/text_conv.h"
#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"
#include "tools/content/font_face.h"
#include "tools/content/glyph_atlas.h"
#include "tools/content/png_image.h"
#include "tools/content/repertoire.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"

namespace content {
namespace {

constexpr const char* kPlanFile = "fonts/psb_fonts.txt";
constexpr const char* kSampleFile = "fonts/sample.txt";
constexpr float kFontVersion = 1.08f;

struct FontChoice {
    std::string name;
    int32_t height = 0;
};

struct FaceChoice {
    std::string file;
    std::string package;
    double size = 1.0;
    bool asciiOnly = false;
};

struct FontPlan {
    std::vector<FontChoice> fonts;
    std::vector<FaceChoice> faces;
};

// A font name becomes a file name: no folders, nothing the game's lower-casing
// of container names would change.
bool isFontName(const std::string& name) {
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
    });
}

FontPlan readPlan(const ContentContext& context) {
    FontPlan plan;
    for (const ContentLine& line : contentLines(context.readContent(kPlanFile))) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f.size() == 3 && f[0] == "font") {
            if (!isFontName(f[1])) {
                throw ContentError(where(kPlanFile, line, "a font name is small letters, digits and \"_\""));
            }
            const int64_t height = parseNumber(f[2], kPlanFile, line);
            if (height < 4 || height > 256) throw ContentError(where(kPlanFile, line, "a height is 4 to 256"));
            plan.fonts.push_back({f[1], int32_t(height)});
        } else if (f.size() == 5 && f[0] == "face" && (f[4] == "ascii" || f[4] == "any")) {
            char* end = nullptr;
            const double size = std::strtod(f[3].c_str(), &end);
            if (*end != '\0' || !(size >= 0.25 && size <= 2.0)) throw ContentError(where(kPlanFile, line, "a size is 0.25 to 2"));
            plan.faces.push_back({f[1], f[2], size, f[4] == "ascii"});
        } else {
            throw ContentError(where(kPlanFile, line, "expected \"font NAME HEIGHT\" or "
                                                      "\"face FILE PACKAGE SIZE ascii|any\""));
        }
    }
    if (plan.fonts.empty() || plan.faces.empty() || plan.faces.back().asciiOnly) {
        throw ContentError(std::string(kPlanFile) + ": needs a font line and, last, a face for \"any\" character");
    }
    return plan;
}

struct Face {
    FaceChoice choice;
    std::unique_ptr<FontFace> face;
};

// One glyph as drawn: its ink moved right so that nothing lies left of the pen.
struct PlacedGlyph {
    char16_t code = 0;
    size_t face = 0;
    GreyGlyph grey;
    int32_t inkLeft = 0;  // from the pen to the ink
    AtlasSize size;       // the rectangle from the pen to the ink's right, ink rows only
};

PlacedGlyph drawGlyph(std::vector<Face>& faces, char16_t code) {
    for (size_t i = 0; i < faces.size(); ++i) {
        Face& face = faces[i];
        if ((face.choice.asciiOnly && code > 0x7E) || !face.face->has(code)) continue;
        PlacedGlyph glyph{code, i, face.face->render(code), 0, {}};
        glyph.inkLeft = std::max(0, glyph.grey.left);
        if (glyph.grey.width > 0 && glyph.grey.rows > 0) {
            glyph.size = {glyph.inkLeft + glyph.grey.width, glyph.grey.rows};
        }
        return glyph;
    }
    char name[8];
    std::snprintf(name, sizeof name, "%04X", unsigned(code));
    throw ContentError(std::string(kRepertoireFile) + ": no face of " + kPlanFile + " has U+" + name);
}

// Per face, the pixels its glyphs move up so that its ink ends in the cell.
std::vector<int32_t> faceRaises(const std::vector<PlacedGlyph>& glyphs, size_t faceCount, int32_t cellHeight,
                                int32_t baseline) {
    std::vector<int32_t> highest(faceCount, cellHeight), lowest(faceCount, 0);
    for (const PlacedGlyph& glyph : glyphs) {
        if (glyph.size.width == 0) continue;
        const int32_t top = baseline - glyph.grey.top;  // from the cell's top down
        highest[glyph.face] = std::min(highest[glyph.face], top);
        lowest[glyph.face] = std::max(lowest[glyph.face], top + glyph.grey.rows);
    }
    std::vector<int32_t> raises(faceCount);
    for (size_t i = 0; i < faceCount; ++i) {
        raises[i] = std::clamp(lowest[i] - cellHeight, 0, std::max(0, highest[i]));
    }
    return raises;
}

psbwriter::Object glyphEntry(const PlacedGlyph& glyph, AtlasPlace place, int32_t cellHeight, int32_t baseline) {
    const bool inked = glyph.size.width > 0;
    return {{"id", 0},
            {"x", float(place.x)},
            {"y", float(place.y)},
            {"width", float(glyph.grey.advance)},
            {"height", float(cellHeight)},
            {"w", float(glyph.size.width)},
            {"h", float(glyph.size.height)},
            {"a", inked ? float(glyph.grey.top - baseline) : 0.0f},
            {"b", float(glyph.grey.left)},
            {"d", float(glyph.grey.rows - glyph.grey.top)}};
}

// White, the coverage in alpha; pixels in the B, G, R, A order of the
// engine's RGBA8 images.
std::vector<uint8_t> atlasPixels(const std::vector<PlacedGlyph>& glyphs, const std::vector<AtlasPlace>& places,
                                 AtlasSize atlas, Image& preview) {
    std::vector<uint8_t> pixels(size_t(atlas.width) * size_t(atlas.height) * 4, 0);
    preview = Image(atlas.width, atlas.height);
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const GreyGlyph& grey = glyphs[i].grey;
        if (glyphs[i].size.width == 0) continue;
        for (int32_t row = 0; row < grey.rows; ++row) {
            for (int32_t column = 0; column < grey.width; ++column) {
                const int32_t x = places[i].x + glyphs[i].inkLeft + column, y = places[i].y + row;
                const uint8_t alpha = grey.coverage[size_t(row) * size_t(grey.width) + size_t(column)];
                uint8_t* p = pixels.data() + (size_t(y) * size_t(atlas.width) + size_t(x)) * 4;
                p[0] = p[1] = p[2] = 255;
                p[3] = alpha;
                uint8_t* q = preview.pixel(x, y);
                q[0] = q[1] = q[2] = alpha;
                q[3] = 255;
            }
        }
    }
    for (size_t i = 3; i < preview.rgba.size(); i += 4) preview.rgba[i] = 255;
    return pixels;
}

// The sample lines as the engine lays them out (pens a cell apart, each glyph
// hanging from its pen), white on black, for people to judge the font.
Image drawSample(const std::vector<std::u16string>& lines, const std::map<char16_t, size_t>& index,
                 const std::vector<PlacedGlyph>& glyphs, const std::vector<int32_t>& tops, int32_t cellHeight) {
    int32_t width = 1;
    for (const std::u16string& line : lines) {
        int32_t pen = 0;
        for (char16_t c : line) pen += index.contains(c) ? glyphs[index.at(c)].grey.advance : 0;
        width = std::max(width, pen);
    }
    Image image(width + 2 * cellHeight, int32_t(lines.size() + 1) * cellHeight);
    for (size_t i = 3; i < image.rgba.size(); i += 4) image.rgba[i] = 255;
    for (size_t row = 0; row < lines.size(); ++row) {
        int32_t pen = cellHeight;
        const int32_t penY = cellHeight / 2 + int32_t(row) * cellHeight;
        for (char16_t c : lines[row]) {
            if (!index.contains(c)) continue;
            const size_t g = index.at(c);
            const GreyGlyph& grey = glyphs[g].grey;
            for (int32_t y = 0; y < grey.rows; ++y) {
                for (int32_t x = 0; x < grey.width; ++x) {
                    const int32_t px = pen + glyphs[g].inkLeft + x, py = penY + tops[g] + y;
                    if (px < 0 || py < 0 || px >= image.width || py >= image.height) continue;
                    uint8_t* p = image.pixel(px, py);
                    const uint8_t alpha = grey.coverage[size_t(y) * size_t(grey.width) + size_t(x)];
                    p[0] = p[1] = p[2] = std::max(p[0], alpha);
                }
            }
            pen += grey.advance;
        }
    }
    return image;
}

void makeFont(ContentContext& context, const FontChoice& font, std::vector<Face>& faces,
              const std::vector<char16_t>& repertoire, const std::vector<std::u16string>& sample) {
    const FontFace& base = *faces.back().face;
    const double cellEm = double(font.height) / base.cellPerEm();
    const int32_t baseline = int32_t(std::lround(double(font.height) * base.ascentShare()));
    for (Face& face : faces) face.face->setEmPixels(cellEm * face.choice.size);

    std::vector<PlacedGlyph> glyphs;
    std::vector<AtlasSize> sizes;
    int32_t maxWidth = 0;
    for (char16_t code : repertoire) {
        glyphs.push_back(drawGlyph(faces, code));
        sizes.push_back(glyphs.back().size);
        maxWidth = std::max(maxWidth, glyphs.back().grey.advance);
    }
    const std::vector<int32_t> raises = faceRaises(glyphs, faces.size(), font.height, baseline);
    AtlasSize atlas;
    const std::vector<AtlasPlace> places = packAtlas(sizes, atlas);
    Image preview;
    std::vector<uint8_t> pixels = atlasPixels(glyphs, places, atlas, preview);

    psbwriter::Object code;
    std::map<char16_t, size_t> index;
    std::vector<int32_t> tops;  // of the ink, from the pen down
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const int32_t glyphBaseline = baseline - raises[glyphs[i].face];
        code[wideToUtf8(std::u16string(1, glyphs[i].code))] = glyphEntry(glyphs[i], places[i], font.height,
                                                                          glyphBaseline);
        index[glyphs[i].code] = i;
        tops.push_back(glyphBaseline - glyphs[i].grey.top);
    }
    const psbwriter::Object image{{"width", atlas.width},
                                  {"height", atlas.height},
                                  {"type", "RGBA8"},
                                  {"pixel", psbwriter::Resource{std::move(pixels), false}}};
    const psbwriter::Object root{{"id", "font"},
                                 {"spec", "common"},
                                 {"version", kFontVersion},
                                 {"label", font.name},
                                 {"maxWidth", float(maxWidth)},
                                 {"maxHeight", float(font.height)},
                                 {"code", std::move(code)},
                                 {"source", psbwriter::List{image}}};
    const std::string file = font.name + ".psb.m";
    context.writeResource("font/" + file, psbwriter::packContainer(psbwriter::writePsb(root), {}, file));
    context.writePreview("fonts/" + font.name + ".png", encodePng(preview));
    context.writePreview("fonts/" + font.name + "_sample.png",
                         encodePng(drawSample(sample, index, glyphs, tops, font.height)));
}

}  // namespace

void makePsbFonts(ContentContext& context) {
    const FontPlan plan = readPlan(context);
    const std::vector<char16_t> repertoire = readRepertoire(context);
    std::vector<std::u16string> sample;
    for (const ContentLine& line : contentLines(context.readContent(kSampleFile))) {
        sample.push_back(utf8ToWide(line.text));
    }
    std::vector<Face> faces;
    for (const FaceChoice& choice : plan.faces) {
        faces.push_back({choice, std::make_unique<FontFace>(findFontFile(choice.file, choice.package))});
    }
    for (const FontChoice& font : plan.fonts) makeFont(context, font, faces, repertoire, sample);
}

}  // namespace content
