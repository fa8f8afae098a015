// The front end's pictures: tutorial pages, ending and credit pictures, GAME
// SELECT's items and the card login's panels.
#include "tools/content/front_pictures.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tools/content/content_lines.h"
#include "tools/content/front_text_art.h"
#include "tools/content/front_words.h"
#include "tools/content/raster.h"

namespace content {
namespace {

constexpr const char* kPicturesFile = "words/pictures.txt";
constexpr const char* kLatinFace = "DejaVuSans-Bold.ttf";
constexpr const char* kLatinPackage = "fonts-dejavu-core";
constexpr const char* kJapaneseFace = "ipag.ttf";
constexpr const char* kJapanesePackage = "fonts-ipafont-gothic";

constexpr int32_t kTutorialEnglish = 5918;
constexpr int32_t kTutorialFlash = 5928;
constexpr int32_t kTutorialJapanese = 5929;
constexpr int32_t kTutorialPages = 10;
constexpr int32_t kEndingPictures = 2816;
constexpr int32_t kEndingPictureCount = 5;
constexpr int32_t kCreditPicturesFirst = 3309;
constexpr int32_t kLoginPlateCount = 8;
constexpr int32_t kLoginRecordsPlate = 4;
constexpr int32_t kGameSelectItems = 2;

// Where the pictures sit off their draw points, as pivot words (the draw
// moves a sprite by (pivotX, -pivotY)). A tutorial page is drawn at
// (184, 112): its panel goes to (104, 64), the upper field under the
// score, clear of the arrows at x 200 (the pointer bobs over its left
// edge). GAME SELECT draws both items at
// (112, 144) with the cursor at y 144 + 117 x choice and the arrows 106
// above it: each item stands between them. The login plates carry their
// heading to the top of the window frame (y 250), the records plate to its
// foot (y 840) under the records and their choices.
constexpr int32_t kTutorialPivotX = -80, kTutorialPivotY = 48;
constexpr std::array<int32_t, kGameSelectItems> kGameSelectPivotY = {53, -64};
constexpr int32_t kPlatePivotY = 290, kRecordsPlatePivotY = -300;

constexpr Rgba kGlassTop{0.05f, 0.09f, 0.16f, 0.88f};
constexpr Rgba kGlassBottom{0.02f, 0.04f, 0.09f, 0.88f};
constexpr Rgba kFrontEdge{0.35f, 0.9f, 1.0f, 1.0f};
constexpr Rgba kFrontHeading{1.0f, 0.85f, 0.35f, 1.0f};
constexpr Rgba kFrontWhite{1, 1, 1, 1};
// The pilots' trims: blue, red, green, violet.
constexpr std::array<Rgba, 4> kFrontTrims{{{0.2f, 0.6f, 1.0f, 1}, {1.0f, 0.35f, 0.3f, 1}, {0.3f, 0.9f, 0.4f, 1},
                                      {0.8f, 0.45f, 1.0f, 1}}};

struct PictureWords {
    int line = 0;
    std::vector<std::string> rows;
};
using PictureTable = std::map<std::pair<std::string, int32_t>, PictureWords>;

std::vector<std::string> pictureRows(const std::string& text) {
    std::vector<std::string> rows;
    size_t start = 0;
    for (size_t cut = text.find(" / "); cut != std::string::npos; cut = text.find(" / ", start)) {
        rows.push_back(text.substr(start, cut - start));
        start = cut + 3;
    }
    rows.push_back(text.substr(start));
    return rows;
}

PictureTable readPictureWords(const ContentContext& context) {
    PictureTable table;
    for (const ContentLine& line : contentLines(context.readContent(kPicturesFile))) {
        const size_t bar = line.text.find(" | ");
        const std::vector<std::string> f = splitFields(line.text.substr(0, bar));
        if (bar == std::string::npos || f.size() != 2) throw ContentError(where(kPicturesFile, line, "expected: KIND N | TEXT"));
        const int32_t index = int32_t(parseNumber(f[1], kPicturesFile, line));
        if (!table.emplace(std::pair{f[0], index}, PictureWords{line.number, pictureRows(line.text.substr(bar + 3))})
                 .second) {
            throw ContentError(where(kPicturesFile, line, "this picture has its words already"));
        }
    }
    return table;
}

const PictureWords& wordsOf(const PictureTable& table, const std::string& kind, int32_t index) {
    const auto found = table.find({kind, index});
    if (found == table.end()) {
        throw ContentError(std::string(kPicturesFile) + ": no words for " + kind + " " + std::to_string(index));
    }
    return found->second;
}

// The rows as code points, each character checked against the face.
std::vector<std::u32string> checkedRows(FontFace& face, const PictureWords& words, const char* faceName) {
    std::vector<std::u32string> rows;
    const ContentLine at{words.line, ""};
    for (const std::string& row : words.rows) {
        rows.push_back(decodeWords(row, where(kPicturesFile, at, "bad UTF-8")));
        for (char32_t c : rows.back()) {
            if (c != U' ' && !face.has(c)) {
                char code[16];
                std::snprintf(code, sizeof code, "U+%04X", unsigned(c));
                throw ContentError(where(kPicturesFile, at, std::string(faceName) + " has no " + code));
            }
        }
    }
    return rows;
}

Cell frontCell(std::map<int32_t, Image>& sheets, const SpriteLayout& layout, int32_t id) {
    const FrameRow& r = layout.rows[size_t(id)];
    Cell cell(sheets.at(r[kSheet]), r[kX], r[kY], r[kW], r[kH]);
    for (int32_t y = 0; y < r[kH]; ++y) {
        for (int32_t x = 0; x < r[kW]; ++x) cell.set(x, y, {0, 0, 0, 0});
    }
    return cell;
}

void placeFrontPicture(SpriteLayout& layout, int32_t id, int32_t pivotX, int32_t pivotY) {
    layout.rows[size_t(id)][kPivotX] = pivotX;
    layout.rows[size_t(id)][kPivotY] = pivotY;
}

float roundBoxDistance(Point p, float w, float h, float inset, float radius) {
    return boxDistance(p, {w * 0.5f, h * 0.5f}, w * 0.5f - inset - radius, h * 0.5f - inset - radius) - radius;
}

// Dark glass with a cyan edge, the look of the game's panels.
void frontGlassPanel(Cell& cell, float radius) {
    const auto w = float(cell.width()), h = float(cell.height());
    cell.paint([&](Point p) { return roundBoxDistance(p, w, h, 1, radius); },
               [&](Point p) { return mix(kGlassTop, kGlassBottom, p.y / h); });
    cell.fill([&](Point p) { return std::abs(roundBoxDistance(p, w, h, 1.5f, radius)) - 0.8f; }, kFrontEdge);
}

// The rows centred in the cell, the largest em that fits (the first row of
// a headed text a size up, in gold).
void drawRowsFitted(Cell& cell, FontFace& face, const std::vector<std::u32string>& rows, float emMax, bool headed,
                    const std::string& what) {
    for (float em = emMax; em >= 6.0f; em -= 0.5f) {
        const float headEm = headed ? em * 1.25f : em;
        auto widest = [&](float e, size_t from, size_t to) {
            face.setEmPixels(e);
            int32_t w = 0;
            for (size_t i = from; i < to; ++i) w = std::max(w, frontTextWidth(face, rows[i]));
            return w;
        };
        const int32_t room = cell.width() - 10;
        if (widest(headEm, 0, 1) > room || widest(em, 1, rows.size()) > room) continue;
        const float pitch = em * 1.3f, headPitch = headEm * 1.35f;
        const float total = headPitch + pitch * float(rows.size() - 1);
        if (total > float(cell.height()) - 6) continue;
        float y = (float(cell.height()) - total) * 0.5f;
        for (size_t i = 0; i < rows.size(); ++i) {
            const bool head = i == 0;
            face.setEmPixels(head ? headEm : em);
            const float step = head ? headPitch : pitch;
            const auto baseline = int32_t(std::lround(y + step * 0.78f));
            drawFrontTextCentred(cell, face, rows[i], cell.width() / 2, baseline, head && headed ? kFrontHeading : kFrontWhite);
            y += step;
        }
        return;
    }
    throw ContentError(std::string(kPicturesFile) + ": the words of " + what + " do not fit their picture");
}

void drawTutorialPages(const PictureTable& table, const SpriteLayout& layout, std::map<int32_t, Image>& sheets,
                       FontFace& latin, FontFace& japanese) {
    for (int32_t page = 0; page < kTutorialPages; ++page) {
        for (int32_t language = 0; language < 2; ++language) {
            const int32_t id = (language == 0 ? kTutorialEnglish : kTutorialJapanese) + page;
            FontFace& face = language == 0 ? latin : japanese;
            const char* kind = language == 0 ? "tutorial_en" : "tutorial_ja";
            Cell cell = frontCell(sheets, layout, id);
            frontGlassPanel(cell, 6);
            const auto rows = checkedRows(face, wordsOf(table, kind, page), language == 0 ? kLatinFace : kJapaneseFace);
            drawRowsFitted(cell, face, rows, 10.0f, true, std::string(kind) + " " + std::to_string(page));
        }
    }
    // The first page's flash: a glow over the panel's shape.
    Cell flash = frontCell(sheets, layout, kTutorialFlash);
    const auto w = float(flash.width()), h = float(flash.height());
    flash.paint([&](Point p) { return roundBoxDistance(p, w, h, 1, 6); },
                [&](Point p) {
                    const float edge = std::min({p.x, w - p.x, p.y, h - p.y});
                    return Rgba{0.7f, 0.95f, 1.0f, std::clamp(0.9f - edge / 24.0f, 0.25f, 0.9f)};
                });
}

// Sky from the top colour to the bottom one.
void frontSky(Cell& cell, Rgba top, Rgba bottom) {
    const auto h = float(cell.height());
    for (int32_t y = 0; y < cell.height(); ++y) {
        for (int32_t x = 0; x < cell.width(); ++x) cell.set(x, y, mix(top, bottom, float(y) / h));
    }
}

void frontGlowDisc(Cell& cell, Point centre, float radius, Rgba colour) {
    cell.paint([&](Point p) { return circleDistance(p, centre, radius * 2.2f); },
               [&](Point p) {
                   const float d = std::hypot(p.x - centre.x, p.y - centre.y) / (radius * 2.2f);
                   return withAlpha(colour, 0.35f * (1 - d) * (1 - d));
               });
    cell.fill([&](Point p) { return circleDistance(p, centre, radius); }, colour);
}

// A small fighter seen from below, nose up the screen, in a pilot's trim.
void frontFighter(Cell& cell, Point at, float size, float angle, Rgba trim) {
    const std::array<Point, 6> body = {Point{0, -1.0f}, {0.25f, 0.1f}, {0.9f, 0.55f}, {0, 0.35f}, {-0.9f, 0.55f},
                                       {-0.25f, 0.1f}};
    std::array<Point, 6> shape;
    for (size_t i = 0; i < body.size(); ++i) {
        shape[i] = turned({at.x + body[i].x * size, at.y + body[i].y * size}, at, angle);
    }
    cell.fill([&](Point p) { return polygonDistance(p, shape); }, {0.82f, 0.85f, 0.9f, 1});
    const Point stripe = turned({at.x, at.y + 0.15f * size}, at, angle);
    cell.fill([&](Point p) { return circleDistance(p, stripe, size * 0.16f); }, trim);
}

void frontContrail(Cell& cell, Point from, Point to, float width) {
    cell.paint([&](Point p) { return segmentDistance(p, from, to, width); },
               [&](Point p) {
                   const float t = std::clamp(((p.x - from.x) * (to.x - from.x) + (p.y - from.y) * (to.y - from.y)) /
                                                  ((to.x - from.x) * (to.x - from.x) + (to.y - from.y) * (to.y - from.y)),
                                              0.0f, 1.0f);
                   return Rgba{1, 1, 1, 0.55f * t};
               });
}

// A number 0..1 from a position, for stars and windows that stay put.
float frontHash(int32_t a, int32_t b) {
    uint32_t h = uint32_t(a) * 73856093u ^ uint32_t(b) * 19349663u;
    h ^= h >> 13;
    h *= 0x5bd1e995u;
    h ^= h >> 15;
    return float(h & 0xFFFF) / 65535.0f;
}

// Dawn over the sea: the squad comes home.
void endingDawn(Cell& c) {
    frontSky(c, {0.1f, 0.15f, 0.4f, 1}, {1.0f, 0.6f, 0.35f, 1});
    frontGlowDisc(c, {112, 196}, 22, {1.0f, 0.85f, 0.5f, 1});
    c.paint([](Point p) { return 196.0f - p.y; },
            [](Point p) { return mix(Rgba{0.25f, 0.2f, 0.35f, 1}, Rgba{0.05f, 0.08f, 0.2f, 1}, (p.y - 196) / 92); });
    for (int32_t i = 0; i < 12; ++i) {
        const float y = 200.0f + float(i * i) * 0.6f, half = 30.0f - float(i) * 1.5f;
        c.fill([&](Point p) { return boxDistance(p, {112, y}, half, 0.6f); }, {1.0f, 0.8f, 0.5f, 0.5f});
    }
    for (int32_t k = 0; k < 4; ++k) frontFighter(c, {60.0f + 34.0f * float(k), 120.0f - 8.0f * float(k % 2)}, 7, 0, kFrontTrims[size_t(k)]);
}

// Four contrails climbing a clear sky.
void endingClimb(Cell& c) {
    frontSky(c, {0.1f, 0.35f, 0.8f, 1}, {0.6f, 0.85f, 1.0f, 1});
    for (int32_t i = 0; i < 6; ++i) {
        const Point at{frontHash(i, 1) * 224, 200 + frontHash(i, 2) * 80};
        c.fill([&](Point p) { return ellipseDistance(p, at, 40, 12); }, {1, 1, 1, 0.6f});
    }
    for (int32_t k = 0; k < 4; ++k) {
        const Point tip{70.0f + 30.0f * float(k), 60.0f + 18.0f * float(k)};
        frontContrail(c, {tip.x - 60, 290}, {tip.x, tip.y + 6}, 2.0f);
        frontFighter(c, tip, 8, 0.2f, kFrontTrims[size_t(k)]);
    }
}

// The city at dusk, its windows lit.
void endingCity(Cell& c) {
    frontSky(c, {0.25f, 0.1f, 0.35f, 1}, {1.0f, 0.5f, 0.3f, 1});
    frontGlowDisc(c, {160, 170}, 16, {1.0f, 0.7f, 0.4f, 1});
    for (int32_t b = 0; b < 14; ++b) {
        const float x = float(b) * 16.0f + 8.0f, top = 170.0f + frontHash(b, 7) * 70.0f;
        c.fill([&](Point p) { return boxDistance(p, {x, (top + 288) * 0.5f}, 7.5f, (288 - top) * 0.5f); },
               {0.08f, 0.06f, 0.12f, 1});
        for (float y = top + 5; y < 284; y += 7) {
            for (float wx = x - 4; wx <= x + 4; wx += 4) {
                if (frontHash(int32_t(wx * 7), int32_t(y)) > 0.55f) {
                    c.fill([&](Point p) { return boxDistance(p, {wx, y}, 1, 1.5f); }, {1.0f, 0.85f, 0.45f, 1});
                }
            }
        }
    }
    for (int32_t k = 0; k < 4; ++k) frontFighter(c, {40.0f + 20.0f * float(k), 70.0f + 12.0f * float(k)}, 5, 0.9f, kFrontTrims[size_t(k)]);
}

// Night: the stars, the moon and the squad crossing it.
void endingNight(Cell& c) {
    frontSky(c, {0.01f, 0.02f, 0.08f, 1}, {0.05f, 0.08f, 0.22f, 1});
    for (int32_t i = 0; i < 140; ++i) {
        const Point at{frontHash(i, 11) * 224, frontHash(i, 13) * 288};
        c.fill([&](Point p) { return circleDistance(p, at, 0.4f + frontHash(i, 17) * 0.7f); }, {1, 1, 0.9f, 0.9f});
    }
    frontGlowDisc(c, {140, 96}, 30, {0.95f, 0.95f, 0.85f, 1});
    c.fill([](Point p) { return circleDistance(p, {152, 88}, 26); }, {0.04f, 0.05f, 0.14f, 0.85f});
    for (int32_t k = 0; k < 4; ++k) frontFighter(c, {30.0f + 40.0f * float(k), 170.0f - 14.0f * float(k)}, 6, 1.1f, kFrontTrims[size_t(k)]);
}

// Morning on the runway: the four fighters home.
void endingRunway(Cell& c) {
    frontSky(c, {0.55f, 0.7f, 0.95f, 1}, {1.0f, 0.9f, 0.65f, 1});
    c.paint([](Point p) { return 150.0f - p.y; },
            [](Point p) { return mix(Rgba{0.35f, 0.45f, 0.3f, 1}, Rgba{0.2f, 0.3f, 0.18f, 1}, (p.y - 150) / 138); });
    const std::array<Point, 4> runway = {Point{100, 150}, {124, 150}, {200, 288}, {24, 288}};
    c.fill([&](Point p) { return polygonDistance(p, runway); }, {0.3f, 0.3f, 0.33f, 1});
    for (float y = 160; y < 288; y += 18) {
        const float half = 0.6f + (y - 150) * 0.012f;
        c.fill([&](Point p) { return boxDistance(p, {112, y}, half, 4 + (y - 150) * 0.03f); }, {0.95f, 0.95f, 0.9f, 1});
    }
    for (int32_t k = 0; k < 4; ++k) frontFighter(c, {58.0f + 36.0f * float(k), 246}, 13, 0, kFrontTrims[size_t(k)]);
}

constexpr void (*kEndingScenes[kEndingPictureCount])(Cell&) = {endingDawn, endingClimb, endingCity, endingNight,
                                                                endingRunway};

void drawCreditPictures(const PictureTable& table, const SpriteLayout& layout, std::map<int32_t, Image>& sheets,
                        FontFace& latin) {
    for (int32_t i = 0; i < kCreditPictures; ++i) {
        Cell c = frontCell(sheets, layout, kCreditPicturesFirst + i);
        const auto w = float(c.width()), h = float(c.height());
        const auto rows = checkedRows(latin, wordsOf(table, "credit", i), kLatinFace);
        if (i == 1) {
            // The badge: a chevron with the four trims, the name beside it.
            const std::array<Point, 6> chevron = {Point{8, 14}, {26, 30}, {44, 14}, {44, 30}, {26, 48}, {8, 30}};
            c.fill([&](Point p) { return polygonDistance(p, chevron); }, kFrontHeading);
            for (int32_t k = 0; k < 4; ++k) {
                c.fill([&](Point p) { return circleDistance(p, {11.0f + 10.0f * float(k), 56}, 3); }, kFrontTrims[size_t(k)]);
            }
            const FrameRow& r = layout.rows[size_t(kCreditPicturesFirst + i)];
            Cell words(sheets.at(r[kSheet]), r[kX] + 52, r[kY], r[kW] - 52, r[kH]);
            drawRowsFitted(words, latin, rows, 16.0f, false, "credit 1");
            continue;
        }
        c.fill([&](Point p) { return std::abs(roundBoxDistance(p, w, h, 2, 4)) - 0.8f; }, kFrontHeading);
        c.fill([&](Point p) { return boxDistance(p, {w * 0.5f, h - 14}, w * 0.3f, 0.8f); }, kFrontEdge);
        drawRowsFitted(c, latin, rows, 20.0f, false, "credit " + std::to_string(i));
    }
}

void drawGameSelectItems(const PictureTable& table, SpriteLayout& layout, std::map<int32_t, Image>& sheets,
                         FontFace& latin, int32_t first) {
    for (int32_t i = 0; i < kGameSelectItems; ++i) {
        Cell c = frontCell(sheets, layout, first + i);
        frontGlassPanel(c, 10);
        drawRowsFitted(c, latin, checkedRows(latin, wordsOf(table, "game_select", i), kLatinFace), 14.0f, true,
                       "game_select " + std::to_string(i));
        placeFrontPicture(layout, first + i, 0, kGameSelectPivotY[size_t(i)]);
    }
}

void drawLoginPanels(const PictureTable& table, const SpriteContent& content, SpriteLayout& layout,
                     std::map<int32_t, Image>& sheets, FontFace& japanese) {
    Cell veil = frontCell(sheets, layout, extraFirstId(content, "login_veil"));
    for (int32_t y = 0; y < veil.height(); ++y) {
        for (int32_t x = 0; x < veil.width(); ++x) veil.set(x, y, kFrontWhite);
    }
    Cell window = frontCell(sheets, layout, extraFirstId(content, "login_window"));
    frontGlassPanel(window, 10);
    const auto ww = float(window.width()), wh = float(window.height());
    window.fill([&](Point p) { return std::abs(roundBoxDistance(p, ww, wh, 5, 7)) - 0.5f; }, withAlpha(kFrontEdge, 0.5f));
    Cell choice = frontCell(sheets, layout, extraFirstId(content, "login_choice"));
    frontGlassPanel(choice, 14);
    // The cursor: a bright rim just outside the choice panel.
    Cell cursor = frontCell(sheets, layout, extraFirstId(content, "login_cursor"));
    const auto cw = float(cursor.width()), ch = float(cursor.height());
    cursor.paint([&](Point p) { return std::abs(roundBoxDistance(p, cw, ch, 3, 16)) - 2.0f; },
                 [&](Point p) { return mix(Rgba{1, 1, 1, 1}, kFrontEdge, p.y / ch); });
    cursor.paint([&](Point p) { return std::abs(roundBoxDistance(p, cw, ch, 3, 16)) - 4.0f; },
                 [&](Point) { return withAlpha(kFrontEdge, 0.35f); });
    const int32_t plates = extraFirstId(content, "login_plate");
    for (int32_t i = 0; i < kLoginPlateCount; ++i) {
        Cell c = frontCell(sheets, layout, plates + i);
        const auto w = float(c.width()), h = float(c.height());
        c.paint([&](Point p) { return boxDistance(p, {w * 0.5f, h * 0.5f}, w * 0.5f - 1, h * 0.5f - 6); },
                [&](Point p) {
                    const float fade = std::min(1.0f, std::min(p.x, w - p.x) / 120.0f);
                    return Rgba{0.1f, 0.3f, 0.45f, 0.75f * fade};
                });
        for (float y : {6.5f, h - 6.5f}) {
            c.paint([&](Point p) { return boxDistance(p, {w * 0.5f, y}, w * 0.5f - 1, 0.7f); },
                    [&](Point p) { return withAlpha(kFrontEdge, std::min(1.0f, std::min(p.x, w - p.x) / 120.0f)); });
        }
        drawRowsFitted(c, japanese, checkedRows(japanese, wordsOf(table, "login_plate", i), kJapaneseFace), 30.0f,
                       false, "login_plate " + std::to_string(i));
        placeFrontPicture(layout, plates + i, 0, i == kLoginRecordsPlate ? kRecordsPlatePivotY : kPlatePivotY);
    }
}

struct FrontPictureKind {
    const char* kind;
    int32_t count;
    bool latin;
};
constexpr FrontPictureKind kPictureKinds[] = {
    {"tutorial_en", kTutorialPages, true}, {"tutorial_ja", kTutorialPages, false},
    {"game_select", kGameSelectItems, true}, {"login_plate", kLoginPlateCount, false},
    {"credit", kCreditPictures, true},
};

}  // namespace

void checkFrontPictureWords(const ContentContext& context) {
    const PictureTable table = readPictureWords(context);
    FontFace latin(findFontFile(kLatinFace, kLatinPackage));
    FontFace japanese(findFontFile(kJapaneseFace, kJapanesePackage));
    for (const FrontPictureKind& k : kPictureKinds) {
        for (int32_t i = 0; i < k.count; ++i) {
            checkedRows(k.latin ? latin : japanese, wordsOf(table, k.kind, i), k.latin ? kLatinFace : kJapaneseFace);
        }
    }
    for (const auto& [key, words] : table) {
        const bool known = std::any_of(std::begin(kPictureKinds), std::end(kPictureKinds), [&](const FrontPictureKind& k) {
            return key.first == k.kind && key.second >= 0 && key.second < k.count;
        });
        if (!known) {
            throw ContentError(where(kPicturesFile, ContentLine{words.line, ""},
                                     "no picture " + key.first + " " + std::to_string(key.second)));
        }
    }
}

void drawFrontPictures(const ContentContext& context, const SpriteContent& content, SpriteLayout& layout,
                       std::map<int32_t, Image>& sheets) {
    checkFrontPictureWords(context);
    const PictureTable table = readPictureWords(context);
    FontFace latin(findFontFile(kLatinFace, kLatinPackage));
    FontFace japanese(findFontFile(kJapaneseFace, kJapanesePackage));
    drawTutorialPages(table, layout, sheets, latin, japanese);
    for (int32_t page = 0; page <= kTutorialPages * 2; ++page) {
        placeFrontPicture(layout, kTutorialEnglish + page, kTutorialPivotX, kTutorialPivotY);
    }
    for (int32_t i = 0; i < kEndingPictureCount; ++i) {
        Cell c = frontCell(sheets, layout, kEndingPictures + i);
        kEndingScenes[i](c);
    }
    drawCreditPictures(table, layout, sheets, latin);
    drawGameSelectItems(table, layout, sheets, latin, extraFirstId(content, "game_select_item"));
    drawLoginPanels(table, content, layout, sheets, japanese);
}

}  // namespace content
