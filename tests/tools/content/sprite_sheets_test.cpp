// The sprite-frame table as the game library holds it, checked against the
// sprite content it was made from and the sheets the generator wrote, read
// back through the game's own PNG decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
#include "tools/content/font_face.h"
#include "tools/content/png_image.h"
#include "tools/content/raster.h"
#include "tools/content/sound_names.h"
#include "tools/content/sprite_layout.h"
#include "tools/content/subtitle_art.h"
#include "tools/content/voice_lines.h"
#include "voice_message_tables.h"

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

using Row = std::array<int32_t, kSpriteFrameWords>;

// The row's eleven words in table order.
Row row(int32_t id) {
    const SpriteFrame& f = spriteFrameTable[id];
    return {f.sheet, f.x, f.y, f.w, f.h, f.id, f.tile, f.originX, f.originY, f.pivotX, f.pivotY};
}

// The row's picture, cut from its decoded sheet, RGBA row by row.
std::vector<uint8_t> pixels(int32_t id) {
    const Row r = row(id);
    const Decoded& d = sheets().at(r[0]);
    std::vector<uint8_t> out;
    for (int32_t y = r[2]; y < r[2] + r[4]; ++y) {
        const uint8_t* line = &d.rgba[(size_t(y) * d.width + size_t(r[1])) * 4];
        out.insert(out.end(), line, line + size_t(r[3]) * 4);
    }
    return out;
}

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
        const Row r = row(p.id);
        EXPECT_TRUE(std::equal(p.words.begin(), p.words.end(), r.begin())) << p.id;
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
        const Row r = row(2912 + digit);
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
        const Row r = row(id);
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
        EXPECT_EQ(row(id), Row{}) << id;
    }
}

TEST(SpriteFrameTable, NoTwoCellsOverlapButRepeatedTiles) {
    struct Rect {
        int32_t sheet, x, y, w, h, id;
    };
    std::vector<Rect> rects;
    for (int32_t id = 1; id < kSpriteFrameRows; ++id) {
        const Row r = row(id);
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
            const Row r = row(t.first + i);
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
                const Row again = row(t.first + i + repeatRows * t.columns);
                EXPECT_EQ(again[1], r[1]);
                EXPECT_EQ(again[2], r[2]);
            }
        }
    }
}

// The large air enemies' guns as the kinds fire from them: each marker's
// pivot read as the objects read it (pivotX, -pivotY) is the gun's offset
// from the enemy, and the markers stand just before the body frame.
TEST(SpriteFrameTable, GunMarkersCarryTheGunPoints) {
    struct Gun {
        int32_t x, y;
    };
    struct Kind {
        int32_t kind, body;
        std::vector<Gun> guns;
    };
    const Kind kinds[] = {
        {40, 5589, {{-2, 0}, {2, 0}, {-21, 15}, {21, 15}}},
        {41, 5595, {{-20, 17}, {20, 17}, {-21, -13}, {20, -13}}},
        {42, 5601, {{-20, 17}, {20, 17}, {0, 11}, {-21, -13}, {20, -13}}},
        {43, 5605, {{0, 15}, {-30, 0}, {31, 0}}},
        {44, 5553, {{-8, 7}, {9, 7}}},
        {45, 5619, {{-28, 3}, {29, 3}, {-22, 0}, {21, 0}}},
        {47, 5557, {{0, 13}, {-24, 3}, {23, 3}}},
        {48, 5561, {{-14, 15}, {15, 15}, {0, -8}}},
        {49, 5550, {{0, 13}, {-24, 3}, {23, 3}}},
        {50, 5574, {{0, 37}, {-24, 25}, {25, 25}, {-26, -20}, {27, -20}}},
    };
    for (const Kind& k : kinds) {
        const int32_t first = k.body - int32_t(k.guns.size());
        for (size_t g = 0; g < k.guns.size(); ++g) {
            const Row r = row(first + int32_t(g));
            EXPECT_EQ(r[9], k.guns[g].x) << "kind " << k.kind << " gun " << g;
            EXPECT_EQ(-r[10], k.guns[g].y) << "kind " << k.kind << " gun " << g;
            EXPECT_EQ(r[0], 11);
            EXPECT_LE(r[3], 8);
            EXPECT_LE(r[4], 8);
        }
        EXPECT_GT(row(k.body)[3], 8) << "kind " << k.kind << " body";
    }
}

// The test menu draws its instruction sprites at the middle of the screen:
// 2821 on every screen, 2822 on the choosing screens and one of 2823 .. 2830
// by the cursor's row. Their pivots put the three on lines of their own,
// apart and below the last text of the screens (y 188), inside the screen.
TEST(SpriteFrameTable, TestMenuInstructionsLieOnLinesOfTheirOwn) {
    struct Span {
        int32_t top, bottom;
    };
    auto span = [](int32_t id) {
        const Row r = row(id);
        const int32_t centre = 144 - (r[8] + r[10]);
        return Span{centre - r[4] / 2, centre + r[4] - r[4] / 2};
    };
    const Span every = span(2821), choosing = span(2822);
    for (int32_t id = 2821; id <= 2830; ++id) {
        const Span s = span(id);
        EXPECT_GE(s.top, 188) << id;
        EXPECT_LE(s.bottom, 288) << id;
        EXPECT_LE(row(id)[3], 224) << id;
        if (id < 2823) continue;
        for (const Span other : {every, choosing}) {
            EXPECT_TRUE(s.bottom <= other.top || other.bottom <= s.top) << id;
        }
    }
    EXPECT_TRUE(every.bottom <= choosing.top || choosing.bottom <= every.top);
}

// The voice messages' tables: the line counts the messages pick from, the
// subtitle pictures on consecutive ids in message order, and the voices.
TEST(SpriteSheets, VoiceMessageTablesPointAtTheSubtitles) {
    int32_t next = kSpriteSubtitle;
    auto checkEvent = [&](const int32_t* entry, const int32_t* voices, int32_t lines, const std::string& what) {
        EXPECT_EQ(entry[0], lines) << what;
        EXPECT_EQ(entry[1], next) << what;
        next += entry[0];
        for (int32_t slot = 0; slot < 10; ++slot) {
            if (slot < entry[0]) {
                EXPECT_GE(voices[slot], 65) << what;
                EXPECT_LE(voices[slot], 918) << what;
            } else {
                EXPECT_EQ(voices[slot], 0) << what;
            }
        }
    };
    for (int32_t p = 0; p < 4; ++p) {
        for (int32_t e = 0; e < 17; ++e) {
            const int32_t lines = e == 13 ? 10 : e == 14 ? 7 : 5;
            checkEvent(kPilotMessageEvents[p][e], kPilotMessageVoices[p][e], lines,
                       "pilot " + std::to_string(p) + " event " + std::to_string(e));
        }
    }
    for (int32_t e = 0; e < 20; ++e) {
        const int32_t lines = e == 0 ? 6 : e == 16 ? 10 : e == 17 ? 7 : 5;
        checkEvent(kSpeaker4MessageEvents[e], kSpeaker4MessageVoices[e], lines, "speaker 4 event " + std::to_string(e));
    }
    EXPECT_EQ(next - kSpriteSubtitle, 476);
    EXPECT_EQ(kSpriteSubtitleCount, 476);

    struct Given {
        const int32_t* voices;
        int32_t first, count;
    };
    const Given given[] = {{kPilotMessageVoices[0][0], 346, 5}, {kPilotMessageVoices[0][1], 254, 5},
                           {kPilotMessageVoices[1][0], 502, 5}, {kPilotMessageVoices[2][0], 657, 5},
                           {kPilotMessageVoices[3][0], 810, 5}, {kSpeaker4MessageVoices[0], 913, 6}};
    for (const Given& g : given) {
        for (int32_t i = 0; i < g.count; ++i) EXPECT_EQ(g.voices[i], g.first + i);
    }
}

// A message never shows the same picture twice in a row: the pictures of
// one event's lines all differ.
TEST(SpriteSheets, TheLinesOfAnEventHaveDifferentSubtitles) {
    auto checkEvent = [&](const int32_t* entry, const std::string& what) {
        std::vector<std::vector<uint8_t>> seen;
        for (int32_t line = 0; line < entry[0]; ++line) {
            const Row r = row(entry[1] + line);
            EXPECT_EQ(r[0], row(kSpriteSubtitle)[0]) << what;
            std::vector<uint8_t> picture = pixels(entry[1] + line);
            EXPECT_EQ(std::count(seen.begin(), seen.end(), picture), 0) << what << " line " << line;
            seen.push_back(std::move(picture));
        }
    };
    for (int32_t p = 0; p < 4; ++p) {
        for (int32_t e = 0; e < 17; ++e) {
            checkEvent(kPilotMessageEvents[p][e], "pilot " + std::to_string(p) + " event " + std::to_string(e));
        }
    }
    for (int32_t e = 0; e < 20; ++e) checkEvent(kSpeaker4MessageEvents[e], "speaker 4 event " + std::to_string(e));
}

// Each subtitle picture is what its line's voice says, as the voice
// table names the voice and the phrases word it, drawn in the subtitle face
// with its speaker's bar.
TEST(SpriteSheets, EachSubtitleIsItsVoicesLineDrawn) {
    const content::ContentContext context({HALVIR_CONTENT_DIR, HALVIR_RESOURCE_DIR, HALVIR_GENERATED_DIR, {}});
    std::map<int32_t, std::string> soundNames;
    for (const content::SoundName& s : content::readSoundNames(context)) soundNames[s.id] = s.name;
    struct Line {
        int32_t sprite, speaker;
        std::string voice;
    };
    std::vector<Line> lines;
    auto addEvent = [&](const int32_t* entry, const int32_t* voices, int32_t speaker) {
        for (int32_t i = 0; i < entry[0]; ++i) lines.push_back({entry[1] + i, speaker, soundNames.at(voices[i])});
    };
    for (int32_t p = 0; p < 4; ++p) {
        for (int32_t e = 0; e < 17; ++e) addEvent(kPilotMessageEvents[p][e], kPilotMessageVoices[p][e], p);
    }
    for (int32_t e = 0; e < 20; ++e) addEvent(kSpeaker4MessageEvents[e], kSpeaker4MessageVoices[e], 4);
    ASSERT_EQ(lines.size(), 476u);

    std::vector<std::string> voices;
    for (const Line& l : lines) voices.push_back(l.voice);
    const std::vector<std::string> texts = content::writeLineTexts(context, voices);
    const content::SubtitleSpec& spec = spriteContent().subtitles.front();
    content::FontFace face(content::findFontFile(spec.face, spec.package));
    for (size_t i = 0; i < lines.size(); ++i) {
        const Row r = row(lines[i].sprite);
        content::Image picture(r[3], r[4]);
        content::Cell cell(picture, 0, 0, r[3], r[4]);
        content::drawSubtitle(cell, face, {texts[i], lines[i].speaker, lines[i].voice});
        EXPECT_TRUE(picture.rgba == pixels(lines[i].sprite)) << lines[i].voice << ": \"" << texts[i] << "\"";
    }
}

// The sprite fonts: a glyph a cell as wide as the font's advance on one
// sheet, the space blank, every other character a picture of its own; the
// kana font: 211 glyphs, none blank, no two alike (a face lacking a
// character would draw the same box for each).
TEST(SpriteSheets, FontGlyphsAreDistinctAtTheirAdvances) {
    auto distinct = [](int32_t first, int32_t count, const std::string& what) {
        std::map<std::vector<uint8_t>, int32_t> seen;
        for (int32_t id = first; id < first + count; ++id) {
            const auto [it, fresh] = seen.emplace(pixels(id), id);
            EXPECT_TRUE(fresh) << what << ": " << id << " is drawn like " << it->second;
        }
    };
    struct Font {
        int32_t base, advance;
    };
    for (const Font& f : {Font{2944, 18}, Font{2834, 18}, Font{3099, 9}, Font{3204, 9}}) {
        const std::string what = "sprite font at " + std::to_string(f.base);
        for (int32_t c = 0; c < 95; ++c) {
            EXPECT_EQ(row(f.base + c)[0], row(f.base)[0]) << what;
            EXPECT_EQ(row(f.base + c)[3], f.advance) << what << " " << c + 32;
        }
        const std::vector<uint8_t> space = pixels(f.base);
        EXPECT_TRUE(std::all_of(space.begin(), space.end(), [](uint8_t v) { return v == 0; })) << what;
        distinct(f.base + 1, 94, what);
    }
    distinct(2241, 211, "kana font");
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
        {"sheet 5 a.png 64\nsubtitles words DejaVuSans.ttf fonts-dejavu-core\n", "s.txt:2: no extra words before this line"},
        {"sheet 5 a.png 64\nlabel 12 NOVICE\n", "s.txt:2: no range holds 12"},
        {"sheet 5 a.png 64\ngroup g 5 8 8 plain\nrange 51229 51230 g\n", "s.txt:3: ids outside the table"},
        {"sheet 5 a.png 64\ncontrast shots 3\n", "s.txt:2: unknown group shots"},
        {"sheet 5 a.png 64\ngroup g 5 8 8 plain\ndistinct g 2\n", "s.txt:3: wrong number of fields"},
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

namespace {

// The share of a picture's pixels that show.
double opaqueShare(int32_t id) {
    const std::vector<uint8_t> p = pixels(id);
    size_t opaque = 0;
    for (size_t i = 3; i < p.size(); i += 4) opaque += p[i] > 0 ? 1 : 0;
    return double(opaque) / double(p.size() / 4);
}

TEST(FrontPictures, EachSitsWhereItsScreenWantsIt) {
    struct Placed {
        int32_t id, w, h, pivotX, pivotY;
        double opaqueMin;
    };
    std::vector<Placed> placed;
    for (int32_t id = 5918; id <= 5938; ++id) placed.push_back({id, 176, 80, -80, 48, 0.9});
    for (int32_t id = 2816; id <= 2820; ++id) placed.push_back({id, 224, 288, 0, 0, 1.0});
    for (int32_t i = 0; i < 8; ++i) placed.push_back({kSpriteLoginPlate + i, 800, 64, 0, i == 4 ? -300 : 290, 0.7});
    placed.push_back({kSpriteGameSelectItem, 200, 96, 0, 53, 0.9});
    placed.push_back({kSpriteGameSelectItem + 1, 200, 96, 0, -64, 0.9});
    placed.push_back({kSpriteLoginVeil, 8, 8, 0, 0, 1.0});
    placed.push_back({kSpriteLoginWindow, 640, 360, 0, 0, 0.95});
    placed.push_back({kSpriteLoginChoice, 400, 120, 0, 0, 0.9});
    placed.push_back({kSpriteLoginCursor, 408, 128, 0, 0, 0.05});
    for (const Placed& p : placed) {
        const Row r = row(p.id);
        EXPECT_EQ(r[3], p.w) << p.id;
        EXPECT_EQ(r[4], p.h) << p.id;
        EXPECT_EQ(r[9], p.pivotX) << p.id;
        EXPECT_EQ(r[10], p.pivotY) << p.id;
        EXPECT_GE(opaqueShare(p.id), p.opaqueMin) << p.id;
    }
    // The credit roll's pictures carry their words.
    for (int32_t id : {3309, 3310, 3311}) EXPECT_GT(opaqueShare(id), 0.05) << id;
}

}  // namespace
