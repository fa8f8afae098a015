// The sprite-frame table as the game library holds it, checked against the
// sprite content it was made from and the sheets the generator wrote, read
// back through the game's own PNG decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <numeric>
#include <string>
#include <vector>

#include "game/core/png_decode.h"
#include "game/core/sprite_frame_table.h"
#include "sprite_extra_ids.h"
#include "tools/content/content_context.h"
#include "tools/content/sprite_layout.h"

namespace {

using content::SpriteContent;

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

const SpriteContent& spriteContent() {
    static const SpriteContent c =
        content::readSpriteContent(readFile(HALVIR_CONTENT_DIR "/sprites/sprites.txt"), "sprites.txt");
    return c;
}

struct Decoded {
    std::vector<uint8_t> rgba;
    uint32_t width = 0, height = 0;
    int bits = 0;
    uint8_t alpha(int32_t x, int32_t y) const { return rgba[(size_t(y) * width + size_t(x)) * 4 + 3]; }
};

const std::map<int32_t, Decoded>& sheets() {
    static const std::map<int32_t, Decoded> decoded = [] {
        std::map<int32_t, Decoded> out;
        for (const content::SheetSpec& s : spriteContent().sheets) {
            const std::string bytes = readFile(HALVIR_RESOURCE_DIR "/graphic/" + s.file);
            Decoded d;
            size_t count = 0;
            if (pngDecodeFromMemory(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), d.rgba, count, d.width,
                                    d.height, d.bits)) {
                out.emplace(s.slot, std::move(d));
            }
        }
        return out;
    }();
    return decoded;
}

const int32_t* row(int32_t id) { return spriteFrameTable[id]; }

// Every id the content names, and whether it may be blank (the space of a
// font, a tile with nothing on it).
std::map<int32_t, bool> referencedIds() {
    const SpriteContent& c = spriteContent();
    std::map<int32_t, bool> ids;
    for (const content::RangeSpec& r : c.ranges) {
        if (c.group(r.group)->slot == 0) continue;
        for (int32_t id = r.first; id <= r.last; ++id) ids.emplace(id, false);
    }
    for (const content::FontSpec& f : c.fonts) ids[f.first] = true;
    for (const content::TileLayerSpec& t : c.tiles) {
        for (int32_t i = 0; i < t.count; ++i) ids[t.first + i] = row(t.first + i)[1] == 0 && row(t.first + i)[2] == 0;
    }
    int32_t next = content::firstExtraId(c);
    for (const content::ExtraSpec& e : c.extras) {
        for (int32_t i = 0; i < e.count; ++i) ids.emplace(next++, false);
    }
    return ids;
}

TEST(SpriteFrameTable, PinnedRowsKeepTheirValues) {
    struct Pinned {
        int32_t id;
        std::vector<int32_t> words;  // as many leading words as are pinned
    };
    const Pinned pinned[] = {
        {0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}},
        {5916, {11, 1789, 445, 18, 18, 5916, 0, 0, 0, 0, 0}},
        {5917, {11, 1809, 445, 18, 18, 5917, 0, 0, 0, 0, 0}},
    };
    for (const Pinned& p : pinned) {
        EXPECT_TRUE(std::equal(p.words.begin(), p.words.end(), row(p.id))) << p.id;
    }
    struct Cell {
        int32_t id, sheet, w, h;
    };
    for (const Cell& c : {Cell{2687, 6, 34, 34}, Cell{2692, 7, 1922, 1082}, Cell{2833, 9, 218, 18}}) {
        EXPECT_EQ(row(c.id)[0], c.sheet) << c.id;
        EXPECT_EQ(row(c.id)[3], c.w) << c.id;
        EXPECT_EQ(row(c.id)[4], c.h) << c.id;
    }
    for (char digit = '0'; digit <= '9'; ++digit) {
        const int32_t* r = row(2912 + digit);
        EXPECT_EQ(r[0], 8);
        EXPECT_EQ(r[3], 18);
        EXPECT_EQ(r[4], 22);
    }
    struct Pivot {
        int32_t id, x, y;
    };
    const Pivot pivots[] = {{5731, 0, -13},  {5732, -40, -19}, {5733, 39, -19}, {5734, -40, 52}, {5735, 39, 52},
                            {5772, -14, -67}, {5773, 3, -47},   {5774, -72, -9}, {5775, -52, 8}, {5776, -78, -65},
                            {5777, -46, -29}, {5778, -14, 2},   {5779, 33, -11}, {5780, 47, 0},  {5781, 61, 14},
                            {5782, 75, 28},   {5783, -18, 40},  {5784, -4, 54},  {5785, 7, 68},  {5786, 21, 82}};
    for (const Pivot& p : pivots) {
        EXPECT_EQ(row(p.id)[9], p.x) << p.id;
        EXPECT_EQ(row(p.id)[10], p.y) << p.id;
    }
}

TEST(SpriteFrameTable, ReferencedRowsLieInsideTheirSheetAndHoldAPicture) {
    const auto ids = referencedIds();
    for (const auto& [id, mayBeBlank] : ids) {
        const int32_t* r = row(id);
        ASSERT_EQ(r[5], id);
        const auto sheet = sheets().find(r[0]);
        ASSERT_NE(sheet, sheets().end()) << id;
        const Decoded& d = sheet->second;
        ASSERT_GT(r[3], 0) << id;
        ASSERT_GT(r[4], 0) << id;
        ASSERT_LE(uint32_t(r[1] + r[3]), d.width) << id;
        ASSERT_LE(uint32_t(r[2] + r[4]), d.height) << id;
        if (mayBeBlank) continue;
        bool ink = false;
        for (int32_t y = r[2]; y < r[2] + r[4] && !ink; ++y)
            for (int32_t x = r[1]; x < r[1] + r[3] && !ink; ++x) ink = d.alpha(x, y) != 0;
        EXPECT_TRUE(ink) << "row " << id << " is blank";
    }
    for (int32_t id = 0; id < kSpriteFrameRows; ++id) {
        if (ids.count(id)) continue;
        EXPECT_TRUE(std::all_of(row(id), row(id) + kSpriteFrameWords, [](int32_t w) { return w == 0; })) << id;
    }
}

TEST(SpriteFrameTable, NoTwoCellsOverlapButRepeatedTiles) {
    struct Rect {
        int32_t sheet, x, y, w, h, id;
    };
    std::vector<Rect> rects;
    for (int32_t id = 1; id < kSpriteFrameRows; ++id) {
        const int32_t* r = row(id);
        if (r[3] > 0) rects.push_back({r[0], r[1], r[2], r[3], r[4], id});
    }
    std::sort(rects.begin(), rects.end(), [](const Rect& a, const Rect& b) {
        return std::tie(a.sheet, a.x, a.y) < std::tie(b.sheet, b.x, b.y);
    });
    for (size_t i = 0; i < rects.size(); ++i) {
        for (size_t j = i + 1; j < rects.size() && rects[j].sheet == rects[i].sheet && rects[j].x < rects[i].x + rects[i].w; ++j) {
            const Rect &a = rects[i], &b = rects[j];
            const bool same = a.x == b.x && a.y == b.y && a.w == b.w && a.h == b.h;
            const bool tiles = a.id >= 5946 && b.id >= 5946 && a.id <= 13409 && b.id <= 13409;
            if (same && tiles) continue;
            EXPECT_FALSE(a.y < b.y + b.h && b.y < a.y + a.h) << a.id << " and " << b.id << " overlap";
        }
    }
}

TEST(SpriteFrameTable, TilesLieInTheLayerGridAndRepeat) {
    for (const content::TileLayerSpec& t : spriteContent().tiles) {
        const int32_t repeatRows = std::lcm(288, t.tile) / t.tile;
        for (int32_t i = 0; i < t.count; ++i) {
            const int32_t* r = row(t.first + i);
            const int32_t column = i % t.columns, line = i / t.columns;
            EXPECT_EQ(r[0], t.slot);
            EXPECT_EQ(r[3], t.tile);
            EXPECT_EQ(r[4], t.tile);
            // Placement: centre from the layer's position, y up; each row one
            // tile further down the picture.
            EXPECT_EQ(r[7], column * t.tile + t.tile / 2 - t.baseX) << t.first + i;
            EXPECT_EQ(r[8], t.baseY - t.tile / 2 - line * t.tile) << t.first + i;
            EXPECT_EQ(r[9], 0);
            EXPECT_EQ(r[10], 0);
            // The picture repeats every 288 pixels down: the same cell again.
            if (i + repeatRows * t.columns < t.count) {
                const int32_t* again = row(t.first + i + repeatRows * t.columns);
                EXPECT_EQ(again[1], r[1]);
                EXPECT_EQ(again[2], r[2]);
            }
        }
    }
}

TEST(SpriteSheets, DecodeWithTheGamesDecoder) {
    for (const content::SheetSpec& s : spriteContent().sheets) {
        const auto it = sheets().find(s.slot);
        ASSERT_NE(it, sheets().end()) << s.file;
        EXPECT_EQ(it->second.bits, 32);
        EXPECT_EQ(it->second.width, uint32_t(s.width));
    }
    EXPECT_GE(sheets().at(11).width, 1827u);
    EXPECT_GE(sheets().at(7).height, 1082u);
}

TEST(SpriteSheets, ExtraIdsFollowTheTilesAndHoldSprites) {
    EXPECT_EQ(kSpriteHudGaugeFighter, 13410);
    EXPECT_EQ(kSpriteHudGaugeFighterCount, 4);
    for (int32_t i = 0; i < kSpriteGunUnitCount; ++i) EXPECT_EQ(row(kSpriteGunUnit + i)[0], 10);
}

TEST(SpriteContent, BadLinesNameTheFileAndLine) {
    struct Case {
        const char* text;
        const char* message;
    };
    const Case cases[] = {
        {"sheet 5 a.png 64\ngroup g 5 8 8 plain\nrange 3 2 g\n", "s.txt:3: ids outside the table"},
        {"sheet 5 a.png 64\nrange 3 4 nobody\n", "s.txt:2: unknown group nobody"},
        {"sheet 5 a.png 64\ngroup g 7 8 8 plain\n", "s.txt:2: unknown sheet"},
        {"sheet 5 a.png 64\nkana 10 FF21 3\n", "s.txt:2: not a code point: FF21"},
        {"sheet 5 a.png\n", "s.txt:1: wrong number of fields"},
        {"sprite 5\n", "s.txt:1: unknown line: sprite"},
        {"sheet 5 a.png 64\ngroup g 5 8 8 plain\nrange 51229 51230 g\n", "s.txt:3: ids outside the table"},
    };
    for (const Case& c : cases) {
        try {
            content::readSpriteContent(c.text, "s.txt");
            ADD_FAILURE() << c.text;
        } catch (const content::ContentError& e) {
            EXPECT_STREQ(e.what(), c.message);
        }
    }
}

TEST(SpriteContent, ASheetTooSmallForItsSpritesIsAnError) {
    const SpriteContent c = content::readSpriteContent("sheet 5 a.png 64\ngroup g 5 64 64 plain\nrange 1 80 g\n", "s");
    EXPECT_THROW(content::layoutSprites(c), content::ContentError);
}

}  // namespace
