#include "tools/content/motion_pictures.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <numeric>

#include "engine/base/text_conv.h"
#include "tools/content/content_context.h"
#include "tools/content/font_face.h"
#include "tools/content/glyph_atlas.h"
#include "tools/content/machine_art.h"
#include "tools/content/raster.h"

namespace content {
namespace {

Rgba rgb(uint32_t colour) {
    return {float((colour >> 16) & 0xff) / 255.0f, float((colour >> 8) & 0xff) / 255.0f, float(colour & 0xff) / 255.0f,
            1.0f};
}

constexpr Rgba kWhite{1, 1, 1, 1};

// Per-pixel coverage of a picture being drawn, 0..1.
struct Coverage {
    int32_t width = 0, height = 0;
    std::vector<float> values;

    Coverage(int32_t w, int32_t h) : width(w), height(h), values(size_t(w) * size_t(h), 0.0f) {}
    float at(int32_t x, int32_t y) const {
        return x < 0 || y < 0 || x >= width || y >= height ? 0.0f : values[size_t(y) * size_t(width) + size_t(x)];
    }
    float& operator()(int32_t x, int32_t y) { return values[size_t(y) * size_t(width) + size_t(x)]; }
};

// The coverage grown by `radius` pixels (a round brush).
Coverage dilated(const Coverage& c, int32_t radius) {
    Coverage out(c.width, c.height);
    for (int32_t y = 0; y < c.height; ++y) {
        for (int32_t x = 0; x < c.width; ++x) {
            float best = 0;
            for (int32_t dy = -radius; dy <= radius; ++dy) {
                for (int32_t dx = -radius; dx <= radius; ++dx) {
                    const float reach = float(radius) + 0.5f - std::hypot(float(dx), float(dy));
                    if (reach > 0) best = std::max(best, c.at(x + dx, y + dy) * std::min(1.0f, reach));
                }
            }
            out(x, y) = best;
        }
    }
    return out;
}

Image solid(const MotionPicture& p) {
    Image image(p.width, p.height);
    Cell cell(image, 0, 0, p.width, p.height);
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) cell.set(x, y, rgb(p.colour));
    }
    return image;
}

// Bright white at the centre, the colour further out, fading to nothing.
Image glow(const MotionPicture& p) {
    Image image(p.width, p.height);
    Cell cell(image, 0, 0, p.width, p.height);
    const float r = float(p.width) / 2;
    for (int32_t y = 0; y < p.height; ++y) {
        for (int32_t x = 0; x < p.width; ++x) {
            const float d = std::hypot(float(x) + 0.5f - r, float(y) + 0.5f - r) / r;
            if (d >= 1) continue;
            const float fall = (1 - d) * (1 - d);
            cell.blend(x, y, withAlpha(mix(rgb(p.colour), kWhite, fall * fall), fall), 1.0f);
        }
    }
    return image;
}

Image ring(const MotionPicture& p) {
    Image image(p.width, p.height);
    Cell cell(image, 0, 0, p.width, p.height);
    const float r = float(p.width) / 2, half = float(p.size) / 2;
    const Point centre{r, r};
    cell.paint([&](Point q) { return std::abs(circleDistance(q, centre, r - half - 1)) - half; },
               [&](Point q) {
                   const float t = std::abs(circleDistance(q, centre, r - half - 1)) / std::max(half, 1.0f);
                   return mix(kWhite, rgb(p.colour), std::min(1.0f, t * 1.5f));
               });
    return image;
}

// Across its width: a soft edge of the colour around a white core.
Image beam(const MotionPicture& p) {
    Image image(p.width, p.height);
    Cell cell(image, 0, 0, p.width, p.height);
    const float half = float(p.width) / 2;
    for (int32_t x = 0; x < p.width; ++x) {
        const float d = std::abs(float(x) + 0.5f - half) / half;
        const float alpha = std::clamp(1.0f - d * d, 0.0f, 1.0f);
        const Rgba c = withAlpha(mix(kWhite, rgb(p.colour), std::min(1.0f, d * 2.0f)), alpha);
        for (int32_t y = 0; y < p.height; ++y) cell.set(x, y, c);
    }
    return image;
}

Image outline(const MotionPicture& p) {
    Image image(p.width, p.height);
    Cell cell(image, 0, 0, p.width, p.height);
    const float hw = float(p.width) / 2, hh = float(p.height) / 2, half = float(p.size) / 2;
    const Point centre{hw, hh};
    cell.fill([&](Point q) { return std::abs(boxDistance(q, centre, hw - half - 0.5f, hh - half - 0.5f)) - half; },
              rgb(p.colour));
    return image;
}

}  // namespace

Image decodePng(const std::vector<uint8_t>& png, const std::string& what) {
    png_image header{};
    header.version = PNG_IMAGE_VERSION;
    if (!png_image_begin_read_from_memory(&header, png.data(), png.size())) {
        throw ContentError(what + ": not a PNG the generator reads");
    }
    header.format = PNG_FORMAT_RGBA;
    Image image(int32_t(header.width), int32_t(header.height));
    if (!png_image_finish_read(&header, nullptr, image.rgba.data(), 0, nullptr)) {
        png_image_free(&header);
        throw ContentError(what + ": a damaged PNG");
    }
    return image;
}

SpritePictures::SpritePictures(std::vector<FrameRow> rows, std::function<std::vector<uint8_t>(int32_t)> sheetPng)
    : rows_(std::move(rows)), sheetPng_(std::move(sheetPng)) {}

Image SpritePictures::cell(int32_t id) {
    if (id <= 0 || size_t(id) >= rows_.size() || rows_[size_t(id)][kW] <= 0) {
        throw ContentError("sprite " + std::to_string(id) + " has no picture");
    }
    const FrameRow& row = rows_[size_t(id)];
    auto it = sheets_.find(row[kSheet]);
    if (it == sheets_.end()) {
        it = sheets_.emplace(row[kSheet], decodePng(sheetPng_(row[kSheet]), "sheet " + std::to_string(row[kSheet])))
                 .first;
    }
    const Image& sheet = it->second;
    if (row[kX] < 0 || row[kY] < 0 || row[kX] + row[kW] > sheet.width || row[kY] + row[kH] > sheet.height) {
        throw ContentError("sprite " + std::to_string(id) + " lies outside its sheet");
    }
    Image out(row[kW], row[kH]);
    for (int32_t y = 0; y < row[kH]; ++y) {
        std::copy_n(sheet.pixel(row[kX], row[kY] + y), size_t(row[kW]) * 4, out.pixel(0, y));
    }
    return out;
}

TextFaces::TextFaces() = default;
TextFaces::~TextFaces() = default;

void TextFaces::add(const std::string& path, bool asciiOnly) {
    faces_.emplace_back(std::make_unique<FontFace>(path), asciiOnly);
}

Image TextFaces::draw(const std::vector<std::string>& lines, int32_t size, uint32_t colour) {
    const int32_t edge = std::max(1, size / 10);
    const int32_t lineHeight = size + size / 4;
    struct Placed {
        GreyGlyph glyph;
        int32_t pen = 0;
    };
    std::vector<std::vector<Placed>> placed(lines.size());
    std::vector<int32_t> widths(lines.size(), 0);
    for (auto& [face, ascii] : faces_) face->setEmPixels(size);
    for (size_t i = 0; i < lines.size(); ++i) {
        for (char16_t c : utf8ToWide(lines[i])) {
            for (auto& [face, ascii] : faces_) {
                if ((ascii && c > 126) || !face->has(c)) continue;
                placed[i].push_back({face->render(c), widths[i]});
                widths[i] += placed[i].back().glyph.advance;
                break;
            }
        }
    }
    const int32_t width = *std::max_element(widths.begin(), widths.end()) + 2 * edge + 2;
    const int32_t height = lineHeight * int32_t(lines.size()) + 2 * edge + 2;
    Coverage ink(width, height);
    for (size_t i = 0; i < lines.size(); ++i) {
        const int32_t left = (width - widths[i]) / 2;
        const int32_t baseline = edge + 1 + int32_t(i) * lineHeight + size * 9 / 10;
        for (const Placed& p : placed[i]) {
            const GreyGlyph& g = p.glyph;
            for (int32_t y = 0; y < g.rows; ++y) {
                for (int32_t x = 0; x < g.width; ++x) {
                    const int32_t px = left + p.pen + g.left + x, py = baseline - g.top + y;
                    if (px < 0 || py < 0 || px >= width || py >= height) continue;
                    ink(px, py) = std::max(ink(px, py), g.coverage[size_t(y) * size_t(g.width) + size_t(x)] / 255.0f);
                }
            }
        }
    }
    const Coverage rim = dilated(ink, edge);
    Image image(width, height);
    Cell cell(image, 0, 0, width, height);
    const Rgba dark = mix(rgb(colour), {0, 0, 0, 1}, 0.8f);
    for (int32_t y = 0; y < height; ++y) {
        // Lighter at the top of each line.
        const float t = float((y - edge - 1) % lineHeight) / float(lineHeight);
        const Rgba fill = mix(mix(rgb(colour), kWhite, 0.55f), rgb(colour), std::clamp(t * 1.4f, 0.0f, 1.0f));
        for (int32_t x = 0; x < width; ++x) {
            cell.blend(x, y, dark, rim.at(x, y));
            cell.blend(x, y, fill, ink.at(x, y));
        }
    }
    return image;
}

PictureAtlas drawPictures(const std::vector<MotionPicture>& pictures, SpritePictures& sprites, TextFaces& faces) {
    std::vector<Image> images;
    for (const MotionPicture& p : pictures) {
        switch (p.kind) {
        case PictureKind::kSprite: images.push_back(sprites.cell(p.sprite)); break;
        case PictureKind::kText: images.push_back(faces.draw(p.lines, p.size, p.colour)); break;
        case PictureKind::kSolid: images.push_back(solid(p)); break;
        case PictureKind::kGlow: images.push_back(glow(p)); break;
        case PictureKind::kRing: images.push_back(ring(p)); break;
        case PictureKind::kBeam: images.push_back(beam(p)); break;
        case PictureKind::kFrame: images.push_back(outline(p)); break;
        case PictureKind::kHull: images.push_back(drawHull(p)); break;
        case PictureKind::kWing: images.push_back(drawWing(p)); break;
        case PictureKind::kGun: images.push_back(drawGun(p)); break;
        }
    }
    // Tallest first packs the shelves tightly; the stable sort keeps equal
    // heights in file order, so the same content packs the same way.
    std::vector<size_t> order(images.size());
    std::iota(order.begin(), order.end(), size_t(0));
    std::stable_sort(order.begin(), order.end(),
                     [&](size_t a, size_t b) { return images[a].height > images[b].height; });
    std::vector<AtlasSize> sizes;
    for (size_t i : order) sizes.push_back({images[i].width, images[i].height});
    AtlasSize size;
    const std::vector<AtlasPlace> places = packAtlas(sizes, size);
    PictureAtlas atlas{Image(size.width, size.height), {}};
    for (size_t k = 0; k < order.size(); ++k) {
        const Image& picture = images[order[k]];
        for (int32_t y = 0; y < picture.height; ++y) {
            std::copy_n(picture.pixel(0, y), size_t(picture.width) * 4, atlas.image.pixel(places[k].x, places[k].y + y));
        }
        atlas.places[pictures[order[k]].name] = {places[k].x, places[k].y, picture.width, picture.height};
    }
    return atlas;
}

}  // namespace content
