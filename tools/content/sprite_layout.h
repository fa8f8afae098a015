#pragma once
// The sprite content (content/sprites/sprites.txt) and where each sprite
// lands: the sheets, the groups with their cell sizes and styles, the id
// ranges, pinned cells and pivots, the sprite and kana fonts, the stage tile
// layers, the sprites that take free ids and the subtitles drawn on some of
// them. layoutSprites packs every
// sprite but the stage tiles onto its sheet and fills the frame table rows.
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace content {

inline constexpr int32_t kFrameRows = 51230;
inline constexpr int32_t kFrameWords = 11;
using FrameRow = std::array<int32_t, kFrameWords>;

// The words of a row.
enum FrameWord { kSheet, kX, kY, kW, kH, kId, kSequence, kOriginX, kOriginY, kPivotX, kPivotY };

struct SheetSpec {
    int32_t slot = 0;
    std::string file;
    int32_t width = 0;
};
struct GroupSpec {
    std::string name;
    int32_t slot = 0, w = 0, h = 0;
    std::string style;
};
struct RangeSpec {
    int32_t first = 0, last = 0;
    std::string group;
    int32_t w = 0, h = 0;  // 0: the group's size
};
struct PinSpec {
    int32_t id = 0, slot = 0, x = 0, y = 0, w = 0, h = 0;
};
struct PivotSpec {
    int32_t id = 0, x = 0, y = 0;
};
struct FontSpec {
    int32_t first = 0;
    std::string face, package;
    double size = 0;
};
struct KanaSpec {
    int32_t first = 0;
    char32_t code = 0;
    int32_t count = 0;
};
struct TileLayerSpec {
    int32_t stage = 0, layer = 0, first = 0, count = 0, columns = 0, tile = 0, baseX = 0, baseY = 0, slot = 0;
};
// The voice-message subtitles drawn on the ids of an extra, with a face.
struct SubtitleSpec {
    std::string extra;
    std::string face, package;
};
// A word drawn over a sprite's picture (a menu item's name).
struct LabelSpec {
    int32_t id = 0;
    std::string text;
};
// A check of the drawn sprites of a group: "contrast" (every cell stands
// out over every stage's background by at least the minimum) or
// "distinct" (no two of its ranges begin with the same picture).
struct LookCheckSpec {
    std::string kind, group;
    double minimum = 0;
};
struct ExtraSpec {
    std::string name;
    int32_t count = 0;
    std::string group;
    int32_t w = 0, h = 0;
};

struct SpriteContent {
    std::vector<SheetSpec> sheets;
    std::vector<GroupSpec> groups;
    std::vector<RangeSpec> ranges;
    std::vector<PinSpec> pins;
    std::vector<PivotSpec> pivots;
    std::vector<FontSpec> fonts;
    std::vector<KanaSpec> kana;
    std::vector<TileLayerSpec> tiles;
    std::vector<ExtraSpec> extras;
    std::vector<SubtitleSpec> subtitles;
    std::vector<LabelSpec> labels;
    std::vector<LookCheckSpec> checks;

    const GroupSpec* group(std::string_view name) const;
    const SheetSpec* sheet(int32_t slot) const;
};

// Throws ContentError naming the file and line of a bad line.
SpriteContent readSpriteContent(std::string_view text, std::string_view file);

// The first free id, after the last stage tile.
int32_t firstExtraId(const SpriteContent& content);
// The first id of the named extra; throws ContentError when there is none.
int32_t extraFirstId(const SpriteContent& content, std::string_view name);

// One sprite to draw: its row and what its style needs to know.
struct PlacedSprite {
    int32_t id = 0;
    const GroupSpec* group = nullptr;
    int32_t rangeFirst = 0;   // first id of its range
    int32_t rangeSerial = 0;  // the range's position among its group's ranges
    int32_t index = 0;        // position in the range
    int32_t count = 0;        // ids in the range
};

struct SpriteLayout {
    std::vector<FrameRow> rows;  // kFrameRows
    std::vector<PlacedSprite> sprites;
    std::map<int32_t, int32_t> heights;  // sheet slot -> image height so far
};

// Every sprite but the stage tiles, packed in rows of cells (tallest first)
// around the pinned cells, two pixels apart. Throws ContentError when a
// sheet overflows its largest size or an id lies outside the table.
SpriteLayout layoutSprites(const SpriteContent& content);

}  // namespace content
