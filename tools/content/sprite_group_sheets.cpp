// The contact sheet of each sprite group.
#include "tools/content/sprite_group_sheets.h"

#include <algorithm>
#include <string>
#include <vector>

namespace content {
namespace {

constexpr size_t kMostShown = 192;
constexpr int32_t kSheetWidth = 1024;

bool groupsShown(const GroupSpec& g) {
    for (const char* hidden : {"font", "kana", "subtitle", "plain", "backdrop", "marker"}) {
        if (g.style == hidden) return false;
    }
    return true;
}

bool onPlayScreen(const GroupSpec& g) { return g.slot >= 10 && g.slot <= 12; }

void groupsOver(Image& out, int32_t x0, int32_t y0, const uint8_t* p, int32_t k) {
    const float a = p[3] / 255.0f;
    for (int32_t dy = 0; dy < k; ++dy) {
        for (int32_t dx = 0; dx < k; ++dx) {
            uint8_t* q = out.pixel(x0 + dx, y0 + dy);
            for (int c = 0; c < 3; ++c) q[c] = uint8_t(float(p[c]) * a + float(q[c]) * (1 - a) + 0.5f);
            q[3] = 255;
        }
    }
}

Image groupSheet(const std::vector<const PlacedSprite*>& shown, const SpriteLayout& layout,
                 const std::map<int32_t, Image>& sheets, const std::vector<const Image*>& grounds, bool play) {
    int32_t pitch = 8;
    for (const PlacedSprite* s : shown) {
        const FrameRow& r = layout.rows[size_t(s->id)];
        pitch = std::max({pitch, r[kW] + 4, r[kH] + 4});
    }
    const int32_t k = pitch <= 40 ? 2 : 1;
    const int32_t columns = std::max(1, std::min<int32_t>(int32_t(shown.size()), kSheetWidth / (pitch * k)));
    const int32_t rows = (int32_t(shown.size()) + columns - 1) / columns;
    Image out(columns * pitch * k, rows * pitch * k);
    for (size_t i = 0; i < out.rgba.size(); i += 4) out.rgba[i + 3] = 255;
    for (size_t i = 0; i < shown.size(); ++i) {
        const int32_t col = int32_t(i) % columns, row = int32_t(i) / columns;
        const int32_t left = col * pitch * k, top = row * pitch * k;
        // The ground: dark, then a patch of a stage's tiles.
        const Image* ground = play && !grounds.empty() ? grounds[size_t(col) % grounds.size()] : nullptr;
        for (int32_t y = 0; y < pitch; ++y) {
            for (int32_t x = 0; x < pitch; ++x) {
                const bool edge = x == 0 || y == 0;
                const uint8_t dark[4] = {uint8_t(edge ? 60 : 16), uint8_t(edge ? 60 : 20), uint8_t(edge ? 60 : 30), 255};
                groupsOver(out, left + x * k, top + y * k, dark, k);
                if (ground && !edge && ground->width > pitch && ground->height > pitch) {
                    const int32_t gx = (int32_t(i) * 37) % (ground->width - pitch) + x;
                    const int32_t gy = (int32_t(i) * 101) % (ground->height - pitch) + y;
                    groupsOver(out, left + x * k, top + y * k, ground->pixel(gx, gy), k);
                }
            }
        }
        const FrameRow& r = layout.rows[size_t(shown[i]->id)];
        const Image& sheet = sheets.at(r[kSheet]);
        const int32_t ox = (pitch - r[kW]) / 2, oy = (pitch - r[kH]) / 2;
        for (int32_t y = 0; y < r[kH]; ++y) {
            for (int32_t x = 0; x < r[kW]; ++x) {
                groupsOver(out, left + (ox + x) * k, top + (oy + y) * k, sheet.pixel(r[kX] + x, r[kY] + y), k);
            }
        }
    }
    return out;
}

}  // namespace

void writeGroupSheets(ContentContext& context, const SpriteContent& content, const SpriteLayout& layout,
                      const std::map<int32_t, Image>& sheets) {
    std::vector<const Image*> grounds;
    for (const TileLayerSpec& t : content.tiles) {
        const Image* image = &sheets.at(t.slot);
        if (std::find(grounds.begin(), grounds.end(), image) == grounds.end()) grounds.push_back(image);
    }
    for (const GroupSpec& g : content.groups) {
        if (!groupsShown(g)) continue;
        std::vector<const PlacedSprite*> shown;
        for (const PlacedSprite& s : layout.sprites) {
            if (s.group == &g && shown.size() < kMostShown) shown.push_back(&s);
        }
        if (shown.empty()) continue;
        context.writePreview("sprites/groups/" + g.name + ".png",
                             encodePng(groupSheet(shown, layout, sheets, grounds, onPlayScreen(g)), 1));
    }
}

}  // namespace content
