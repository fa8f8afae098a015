// Reading the sprite content and packing the sprites onto their sheets.
#include "tools/content/sprite_layout.h"

#include <algorithm>
#include <cstdlib>

#include "tools/content/content_context.h"
#include "tools/content/content_lines.h"

namespace content {
namespace {

constexpr int32_t kGap = 2;
constexpr int32_t kLargestSide = 4096;

struct LineReader {
    std::string_view file;
    const ContentLine& line;
    std::vector<std::string> fields;

    void need(size_t low, size_t high) const {
        if (fields.size() < low || fields.size() > high) throw ContentError(where(file, line, "wrong number of fields"));
    }
    int32_t number(size_t i) const { return int32_t(parseNumber(fields[i], file, line)); }
    double real(size_t i) const {
        char* end = nullptr;
        const double v = std::strtod(fields[i].c_str(), &end);
        if (end == fields[i].c_str() || *end != 0 || v <= 0) throw ContentError(where(file, line, "not a size: " + fields[i]));
        return v;
    }
    char32_t code(size_t i) const {
        const std::string& f = fields[i];
        char* end = nullptr;
        const unsigned long v = f.size() > 2 && f.starts_with("U+") ? std::strtoul(f.c_str() + 2, &end, 16) : 0;
        if (!end || *end != 0 || v == 0 || v > 0x10FFFF) throw ContentError(where(file, line, "not a code point: " + f));
        return char32_t(v);
    }
};

// The text before a trailing " #" comment.
std::string_view withoutComment(std::string_view text) {
    const size_t hash = text.find(" #");
    return hash == std::string_view::npos ? text : text.substr(0, hash);
}

void readLine(SpriteContent& c, const LineReader& r) {
    const std::string& kind = r.fields[0];
    if (kind == "sheet") {
        r.need(4, 4);
        c.sheets.push_back({r.number(1), r.fields[2], r.number(3)});
    } else if (kind == "group") {
        r.need(6, 6);
        c.groups.push_back({r.fields[1], r.number(2), r.number(3), r.number(4), r.fields[5]});
    } else if (kind == "range") {
        r.need(4, 6);
        if (r.fields.size() == 5) r.need(4, 4);
        RangeSpec s{r.number(1), r.number(2), r.fields[3], 0, 0};
        if (r.fields.size() == 6) s.w = r.number(4), s.h = r.number(5);
        c.ranges.push_back(s);
    } else if (kind == "pin") {
        r.need(7, 7);
        c.pins.push_back({r.number(1), r.number(2), r.number(3), r.number(4), r.number(5), r.number(6)});
    } else if (kind == "pivot") {
        r.need(4, 4);
        c.pivots.push_back({r.number(1), r.number(2), r.number(3)});
    } else if (kind == "font") {
        r.need(5, 5);
        c.fonts.push_back({r.number(1), r.fields[2], r.fields[3], r.real(4)});
    } else if (kind == "kana") {
        r.need(4, 4);
        c.kana.push_back({r.number(1), r.code(2), r.number(3)});
    } else if (kind == "tiles") {
        r.need(10, 10);
        c.tiles.push_back({r.number(1), r.number(2), r.number(3), r.number(4), r.number(5), r.number(6), r.number(7),
                           r.number(8), r.number(9)});
    } else if (kind == "extra") {
        r.need(4, 6);
        if (r.fields.size() == 5) r.need(4, 4);
        ExtraSpec s{r.fields[1], r.number(2), r.fields[3], 0, 0};
        if (r.fields.size() == 6) s.w = r.number(4), s.h = r.number(5);
        c.extras.push_back(s);
    } else if (kind == "label") {
        r.need(3, 99);
        LabelSpec l{r.number(1), r.fields[2]};
        for (size_t i = 3; i < r.fields.size(); ++i) l.text += " " + r.fields[i];
        c.labels.push_back(l);
    } else if (kind == "subtitles") {
        r.need(4, 4);
        c.subtitles.push_back({r.fields[1], r.fields[2], r.fields[3]});
    } else if (kind == "contrast") {
        r.need(3, 3);
        c.checks.push_back({kind, r.fields[1], r.real(2)});
    } else if (kind == "distinct") {
        r.need(2, 2);
        c.checks.push_back({kind, r.fields[1], 0});
    } else {
        throw ContentError(where(r.file, r.line, "unknown line: " + kind));
    }
}

void check(bool good, std::string_view file, const ContentLine& line, const std::string& message) {
    if (!good) throw ContentError(where(file, line, message));
}

void checkLine(const SpriteContent& c, std::string_view file, const ContentLine& line, const std::string& kind) {
    auto inTable = [](int32_t id) { return id > 0 && id < kFrameRows; };
    if (kind == "range") {
        const RangeSpec& s = c.ranges.back();
        check(inTable(s.first) && s.last >= s.first && inTable(s.last), file, line, "ids outside the table");
        check(c.group(s.group) != nullptr, file, line, "unknown group " + s.group);
    } else if (kind == "group") {
        const GroupSpec& g = c.groups.back();
        check(g.slot == 0 || c.sheet(g.slot) != nullptr, file, line, "unknown sheet");
    } else if (kind == "pin") {
        const PinSpec& p = c.pins.back();
        check(inTable(p.id) && c.sheet(p.slot) != nullptr && p.w > 0 && p.h > 0, file, line, "bad pin");
    } else if (kind == "extra") {
        check(c.group(c.extras.back().group) != nullptr, file, line, "unknown group " + c.extras.back().group);
        check(c.extras.back().count > 0, file, line, "no sprites");
    } else if (kind == "label") {
        const int32_t id = c.labels.back().id;
        check(std::any_of(c.ranges.begin(), c.ranges.end(), [&](const RangeSpec& r) { return r.first <= id && id <= r.last; }),
              file, line, "no range holds " + std::to_string(id));
    } else if (kind == "subtitles") {
        const std::string& extra = c.subtitles.back().extra;
        check(std::any_of(c.extras.begin(), c.extras.end(), [&](const ExtraSpec& e) { return e.name == extra; }), file,
              line, "no extra " + extra + " before this line");
    } else if (kind == "contrast" || kind == "distinct") {
        check(c.group(c.checks.back().group) != nullptr, file, line, "unknown group " + c.checks.back().group);
    } else if (kind == "tiles") {
        const TileLayerSpec& t = c.tiles.back();
        check(c.sheet(t.slot) != nullptr && t.columns > 0 && t.tile > 0 && t.count > 0 && inTable(t.first) &&
                  inTable(t.first + t.count - 1),
              file, line, "bad tile layer");
    }
}

struct Rect {
    int32_t x, y, w, h;
    bool overlaps(const Rect& o) const {
        return x < o.x + o.w + kGap && o.x < x + w + kGap && y < o.y + o.h + kGap && o.y < y + h + kGap;
    }
};

// Rows of cells, left to right, skipping the pinned rectangles.
class ShelfPacker {
public:
    ShelfPacker(int32_t width, std::vector<Rect> reserved) : width_(width), reserved_(std::move(reserved)) {}

    Rect place(int32_t w, int32_t h) {
        for (;;) {
            if (x_ + w > width_) {
                x_ = 0;
                y_ += shelf_ + kGap;
                shelf_ = 0;
            }
            if (w > width_ || y_ + h > kLargestSide) throw ContentError("sprite sheet overflows");
            Rect r{x_, y_, w, h};
            auto hit = std::find_if(reserved_.begin(), reserved_.end(), [&](const Rect& o) { return r.overlaps(o); });
            if (hit == reserved_.end()) {
                x_ += w + kGap;
                shelf_ = std::max(shelf_, h);
                return r;
            }
            x_ = hit->x + hit->w + kGap;
        }
    }
    int32_t height() const { return y_ + shelf_; }

private:
    int32_t width_;
    std::vector<Rect> reserved_;
    int32_t x_ = 0, y_ = 0, shelf_ = 0;
};

}  // namespace

const GroupSpec* SpriteContent::group(std::string_view name) const {
    auto it = std::find_if(groups.begin(), groups.end(), [&](const GroupSpec& g) { return g.name == name; });
    return it == groups.end() ? nullptr : &*it;
}

const SheetSpec* SpriteContent::sheet(int32_t slot) const {
    auto it = std::find_if(sheets.begin(), sheets.end(), [&](const SheetSpec& s) { return s.slot == slot; });
    return it == sheets.end() ? nullptr : &*it;
}

SpriteContent readSpriteContent(std::string_view text, std::string_view file) {
    SpriteContent content;
    for (const ContentLine& line : contentLines(text)) {
        LineReader reader{file, line, splitFields(withoutComment(line.text))};
        if (reader.fields.empty()) continue;
        readLine(content, reader);
        checkLine(content, file, line, reader.fields[0]);
    }
    return content;
}

int32_t firstExtraId(const SpriteContent& content) {
    int32_t last = 0;
    for (const TileLayerSpec& t : content.tiles) last = std::max(last, t.first + t.count - 1);
    return last + 1;
}

int32_t extraFirstId(const SpriteContent& content, std::string_view name) {
    int32_t next = firstExtraId(content);
    for (const ExtraSpec& e : content.extras) {
        if (e.name == name) return next;
        next += e.count;
    }
    throw ContentError("sprites: no extra " + std::string(name));
}

SpriteLayout layoutSprites(const SpriteContent& content) {
    SpriteLayout layout;
    layout.rows.assign(kFrameRows, FrameRow{});
    std::vector<bool> taken(kFrameRows, false);
    std::map<int32_t, std::vector<Rect>> reserved;
    for (const PinSpec& p : content.pins) reserved[p.slot].push_back({p.x, p.y, p.w, p.h});

    // The ranges in file order, then the extras on free ids.
    std::vector<RangeSpec> ranges = content.ranges;
    int32_t next = firstExtraId(content);
    for (const ExtraSpec& e : content.extras) {
        ranges.push_back({next, next + e.count - 1, e.group, e.w, e.h});
        next += e.count;
    }
    if (next > kFrameRows) throw ContentError("sprites: the extra sprites run past the table");

    std::map<std::string, int32_t> serials;
    for (const RangeSpec& r : ranges) {
        const GroupSpec* g = content.group(r.group);
        const int32_t serial = serials[r.group]++;
        if (g->slot == 0) continue;
        for (int32_t id = r.first; id <= r.last; ++id) {
            if (taken[size_t(id)]) continue;
            taken[size_t(id)] = true;
            FrameRow& row = layout.rows[size_t(id)];
            row[kSheet] = g->slot;
            row[kW] = r.w ? r.w : g->w;
            row[kH] = r.h ? r.h : g->h;
            row[kId] = id;
            layout.sprites.push_back({id, g, r.first, serial, id - r.first, r.last - r.first + 1});
        }
    }
    for (const PinSpec& p : content.pins) {
        FrameRow& row = layout.rows[size_t(p.id)];
        row = FrameRow{p.slot, p.x, p.y, p.w, p.h, p.id, 0, 0, 0, 0, 0};
    }
    for (const PivotSpec& p : content.pivots) {
        layout.rows[size_t(p.id)][kPivotX] = p.x;
        layout.rows[size_t(p.id)][kPivotY] = p.y;
    }

    // Pack sheet by sheet, tallest cells first, then by id.
    auto isPinned = [&](int32_t id) {
        return std::any_of(content.pins.begin(), content.pins.end(), [id](const PinSpec& p) { return p.id == id; });
    };
    std::vector<int32_t> order;
    for (const PlacedSprite& s : layout.sprites) {
        if (!isPinned(s.id)) order.push_back(s.id);
    }
    std::stable_sort(order.begin(), order.end(), [&](int32_t a, int32_t b) {
        const FrameRow &ra = layout.rows[size_t(a)], &rb = layout.rows[size_t(b)];
        if (ra[kSheet] != rb[kSheet]) return ra[kSheet] < rb[kSheet];
        if (ra[kH] != rb[kH]) return ra[kH] > rb[kH];
        return a < b;
    });
    std::map<int32_t, ShelfPacker> packers;
    for (const SheetSpec& s : content.sheets) packers.emplace(s.slot, ShelfPacker(s.width, reserved[s.slot]));
    for (int32_t id : order) {
        FrameRow& row = layout.rows[size_t(id)];
        const Rect r = packers.at(row[kSheet]).place(row[kW], row[kH]);
        row[kX] = r.x;
        row[kY] = r.y;
    }
    for (auto& [slot, packer] : packers) {
        int32_t h = packer.height();
        for (const Rect& r : reserved[slot]) h = std::max(h, r.y + r.h);
        layout.heights[slot] = h;
    }
    return layout;
}

}  // namespace content
