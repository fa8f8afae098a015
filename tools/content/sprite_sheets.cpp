// The sprites module: the sprite sheets, the sprite-frame table of the game
// library, the ids of the sprites without a fixed id, the voice-message
// tables with their subtitle pictures, and a contact sheet of each sheet for
// people.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "tools/content/content_modules.h"
#include "tools/content/font_face.h"
#include "tools/content/front_pictures.h"
#include "tools/content/png_image.h"
#include "tools/content/raster.h"
#include "tools/content/sprite_art.h"
#include "tools/content/sprite_checks.h"
#include "tools/content/sprite_group_sheets.h"
#include "tools/content/sprite_layout.h"
#include "tools/content/stage_tiles.h"
#include "tools/content/subtitle_art.h"
#include "tools/content/voice_lines.h"
#include "tools/content/voice_messages.h"

namespace content {
namespace {

constexpr const char* kSpriteFile = "sprites/sprites.txt";
constexpr const char* kKanaFace = "ipag.ttf";
constexpr const char* kKanaPackage = "fonts-ipafont-gothic";

// Runs the jobs on two threads.
void onTwoThreads(size_t count, const std::function<void(size_t)>& job) {
    std::thread other([&] {
        for (size_t i = 1; i < count; i += 2) job(i);
    });
    for (size_t i = 0; i < count; i += 2) job(i);
    other.join();
}

// A glyph in white with a dark shadow one pixel down and right, its pen
// centred on the advance and its baseline at the given row.
void drawGlyph(Image& sheet, const FrameRow& row, const GreyGlyph& g, int32_t baseline) {
    Cell cell(sheet, row[kX], row[kY], row[kW], row[kH]);
    const int32_t pen = (row[kW] - g.advance) / 2;
    for (int pass = 0; pass < 2; ++pass) {
        const int32_t shift = pass == 0 ? 1 : 0;
        const Rgba ink = pass == 0 ? Rgba{0, 0, 0, 0.7f} : Rgba{1, 1, 1, 1};
        for (int32_t y = 0; y < g.rows; ++y) {
            for (int32_t x = 0; x < g.width; ++x) {
                const uint8_t v = g.coverage[size_t(y) * size_t(g.width) + size_t(x)];
                if (v) cell.blend(pen + g.left + x + shift, baseline - g.top + y + shift, ink, v / 255.0f);
            }
        }
    }
}

void drawFonts(const SpriteContent& content, const SpriteLayout& layout, std::map<int32_t, Image>& sheets) {
    for (const FontSpec& font : content.fonts) {
        FontFace face(findFontFile(font.face, font.package));
        const FrameRow& first = layout.rows[size_t(font.first)];
        face.setEmPixels(first[kH] * font.size);
        const int32_t baseline = int32_t(std::lround(first[kH] * (0.5 + 0.36 * font.size)));
        for (char32_t c = 32; c <= 126; ++c) {
            const FrameRow& row = layout.rows[size_t(font.first) + c - 32];
            drawGlyph(sheets.at(row[kSheet]), row, face.render(c), baseline);
        }
    }
    if (content.kana.empty()) return;
    FontFace face(findFontFile(kKanaFace, kKanaPackage));
    const FrameRow& first = layout.rows[size_t(content.kana.front().first)];
    face.setEmPixels(first[kH]);
    const int32_t baseline = int32_t(std::lround(first[kH] * 0.86));
    for (const KanaSpec& k : content.kana) {
        for (int32_t i = 0; i < k.count; ++i) {
            const FrameRow& row = layout.rows[size_t(k.first + i)];
            drawGlyph(sheets.at(row[kSheet]), row, face.render(k.code + char32_t(i)), baseline);
        }
    }
}

// Each message line's text as its voice says it, with its speaker.
std::vector<SubtitleText> subtitleTexts(const ContentContext& context, const VoiceMessages& messages) {
    std::vector<std::string> voices;
    std::vector<int32_t> speakers;
    auto add = [&](const VoiceMessageEvents& events, int32_t speaker) {
        for (const auto& event : events) {
            for (const VoiceMessageLine& line : event) {
                voices.push_back(line.voice);
                speakers.push_back(speaker);
            }
        }
    };
    for (int32_t p = 0; p < kVoiceMessagePilots; ++p) add(messages.pilots[size_t(p)], p);
    add(messages.announcer, kVoiceMessagePilots);
    const std::vector<std::string> lines = writeLineTexts(context, voices);
    std::vector<SubtitleText> texts;
    for (size_t i = 0; i < voices.size(); ++i) texts.push_back({lines[i], speakers[i], voices[i]});
    return texts;
}

void drawSubtitles(const SubtitleSpec& spec, const std::vector<SubtitleText>& texts, const SpriteContent& content,
                   const SpriteLayout& layout, std::map<int32_t, Image>& sheets) {
    const auto extra = std::find_if(content.extras.begin(), content.extras.end(),
                                    [&](const ExtraSpec& e) { return e.name == spec.extra; });
    if (size_t(extra->count) != texts.size()) {
        throw ContentError(std::string(kSpriteFile) + ": the extra " + spec.extra + " has " +
                           std::to_string(extra->count) + " sprites for " + std::to_string(texts.size()) +
                           " voice-message lines");
    }
    FontFace face(findFontFile(spec.face, spec.package));
    const int32_t first = extraFirstId(content, spec.extra);
    for (size_t i = 0; i < texts.size(); ++i) {
        const FrameRow& row = layout.rows[size_t(first) + i];
        Cell cell(sheets.at(row[kSheet]), row[kX], row[kY], row[kW], row[kH]);
        drawSubtitle(cell, face, texts[i]);
    }
}

// The menu items' words, with the subtitles' face.
void drawLabels(const SpriteContent& content, const SpriteLayout& layout, std::map<int32_t, Image>& sheets) {
    if (content.labels.empty()) return;
    const SubtitleSpec& spec = content.subtitles.front();
    FontFace face(findFontFile(spec.face, spec.package));
    for (const LabelSpec& label : content.labels) {
        const FrameRow& row = layout.rows[size_t(label.id)];
        Cell cell(sheets.at(row[kSheet]), row[kX], row[kY], row[kW], row[kH]);
        drawLabel(cell, face, label.text);
    }
}

std::string tableSource(const std::vector<FrameRow>& rows) {
    size_t end = rows.size();
    while (end > 0 && rows[end - 1] == FrameRow{}) --end;
    std::string out =
        "// Generated by the content generator from content/sprites/sprites.txt.\n"
        "#include \"game/core/sprite_frame_table.h\"\n\n"
        "const SpriteFrame spriteFrameTable[kSpriteFrameRows] = {\n";
    char line[160];
    for (size_t i = 0; i < end; ++i) {
        if (rows[i] == FrameRow{}) {
            out += "{},\n";
            continue;
        }
        const FrameRow& r = rows[i];
        std::snprintf(line, sizeof line, "{%d,%d,%d,%d,%d,%d,%d,%d,%d,%d,%d},\n", r[0], r[1], r[2], r[3], r[4], r[5], r[6],
                      r[7], r[8], r[9], r[10]);
        out += line;
    }
    out += "};\n";
    return out;
}

// hud_gauge -> HudGauge
std::string camel(const std::string& name) {
    std::string out;
    bool up = true;
    for (char c : name) {
        if (c == '_') {
            up = true;
        } else {
            out += up ? char(std::toupper(static_cast<unsigned char>(c))) : c;
            up = false;
        }
    }
    return out;
}

std::string extraIdsHeader(const SpriteContent& content) {
    std::string out =
        "#pragma once\n"
        "// Generated by the content generator from content/sprites/sprites.txt: the\n"
        "// sprites without a fixed id, each the first of Count consecutive ids.\n\n"
        "#include <cstdint>\n\n";
    int32_t next = firstExtraId(content);
    for (const ExtraSpec& e : content.extras) {
        const std::string name = "kSprite" + camel(e.name);
        out += "inline constexpr int32_t " + name + " = " + std::to_string(next) + ";\n";
        out += "inline constexpr int32_t " + name + "Count = " + std::to_string(e.count) + ";\n";
        next += e.count;
    }
    return out;
}

// 3 x 5 digits for the contact sheets' labels.
constexpr uint16_t kDigits[10] = {0x7B6F, 0x2C97, 0x73E7, 0x73CF, 0x5BC9, 0x79CF, 0x79EF, 0x7249, 0x7BEF, 0x7BCF};

void label(Cell& c, int32_t x, int32_t y, int32_t id) {
    const std::string text = std::to_string(id);
    for (int32_t yy = -1; yy < 6; ++yy)
        for (int32_t xx = -1; xx < int32_t(text.size()) * 4; ++xx) c.blend(x + xx, y + yy, {0, 0, 0, 1}, 0.5f);
    for (size_t i = 0; i < text.size(); ++i) {
        const uint16_t bits = kDigits[text[i] - '0'];
        for (int32_t k = 0; k < 15; ++k) {
            if (bits & (0x4000 >> k)) c.set(x + int32_t(i) * 4 + k % 3, y + k / 3, {1, 1, 0.3f, 1});
        }
    }
}

// The sheet over a checkerboard, enlarged so small cells leave room for
// their labels, each row's rectangle outlined and labelled with its id (a
// tile cell with its first row's).
Image contactSheet(const Image& sheet, int32_t slot, const std::vector<FrameRow>& rows) {
    const int32_t scale = std::max(1, std::min(2048 / sheet.width, 4096 / std::max(1, sheet.height)));
    const int32_t k = std::min(scale, 3);
    Image out(sheet.width * k, sheet.height * k);
    Cell cell(out, 0, 0, out.width, out.height);
    for (int32_t y = 0; y < out.height; ++y) {
        for (int32_t x = 0; x < out.width; ++x) {
            const float g = ((x / 8 + y / 8) % 2) ? 0.22f : 0.28f;
            cell.set(x, y, {g, g, g, 1});
            const uint8_t* p = sheet.pixel(x / k, y / k);
            cell.blend(x, y, {p[0] / 255.f, p[1] / 255.f, p[2] / 255.f, 1}, p[3] / 255.f);
        }
    }
    std::map<std::pair<int32_t, int32_t>, int32_t> labelled;
    for (const FrameRow& r : rows) {
        if (r[kSheet] != slot || r[kW] <= 0) continue;
        if (!labelled.emplace(std::pair{r[kX], r[kY]}, r[kId]).second) continue;
        const int32_t x0 = r[kX] * k, y0 = r[kY] * k, w = r[kW] * k, h = r[kH] * k;
        for (int32_t x = 0; x < w; ++x) {
            cell.blend(x0 + x, y0, {0, 1, 1, 1}, 0.5f);
            cell.blend(x0 + x, y0 + h - 1, {0, 1, 1, 1}, 0.5f);
        }
        for (int32_t y = 1; y + 1 < h; ++y) {
            cell.blend(x0, y0 + y, {0, 1, 1, 1}, 0.5f);
            cell.blend(x0 + w - 1, y0 + y, {0, 1, 1, 1}, 0.5f);
        }
        label(cell, x0 + 1, y0 + 1, r[kId]);
    }
    return out;
}

}  // namespace

void makeSprites(ContentContext& context) {
    const SpriteContent content = readSpriteContent(context.readContent(kSpriteFile), kSpriteFile);
    if (content.subtitles.size() != 1) throw ContentError(std::string(kSpriteFile) + ": needs one subtitles line");
    const VoiceMessages messages = readVoiceMessages(context);
    SpriteLayout layout = layoutSprites(content);
    std::map<int32_t, Image> sheets;
    layoutStageTiles(content, layout.rows, sheets);
    for (const SheetSpec& s : content.sheets) {
        if (!sheets.count(s.slot)) sheets.emplace(s.slot, Image(s.width, std::max(1, layout.heights[s.slot])));
    }

    // Cells never share pixels, so the two threads paint one sheet safely.
    std::vector<const PlacedSprite*> drawn;
    for (const PlacedSprite& s : layout.sprites) {
        if (s.group->style != "font" && s.group->style != "kana" && s.group->style != "subtitle") drawn.push_back(&s);
    }
    onTwoThreads(drawn.size(), [&](size_t i) {
        const FrameRow& r = layout.rows[size_t(drawn[i]->id)];
        Cell cell(sheets.at(r[kSheet]), r[kX], r[kY], r[kW], r[kH]);
        drawSprite(cell, *drawn[i]);
    });
    drawFonts(content, layout, sheets);
    drawSubtitles(content.subtitles.front(), subtitleTexts(context, messages), content, layout, sheets);
    drawLabels(content, layout, sheets);
    drawFrontPictures(context, content, layout, sheets);
    const std::string looks = checkSpriteLooks(content, layout, sheets, kSpriteFile);
    context.writePreview("sprites/looks.txt", std::vector<uint8_t>(looks.begin(), looks.end()));
    writeGroupSheets(context, content, layout, sheets);

    std::vector<int32_t> slots;
    for (const auto& [slot, image] : sheets) slots.push_back(slot);
    std::vector<std::vector<uint8_t>> pngs(slots.size()), previews(slots.size());
    onTwoThreads(slots.size(), [&](size_t i) {
        const Image& sheet = sheets.at(slots[i]);
        pngs[i] = encodePng(sheet, 6);
        previews[i] = encodePng(contactSheet(sheet, slots[i], layout.rows), 1);
    });
    for (size_t i = 0; i < slots.size(); ++i) {
        const std::string& file = content.sheet(slots[i])->file;
        context.writeResource("graphic/" + file, pngs[i]);
        context.writePreview("sprites/" + file, previews[i]);
    }
    context.writeGenerated("sprite_frame_table.cpp", tableSource(layout.rows));
    context.writeGenerated("sprite_extra_ids.h", extraIdsHeader(content));
    context.writeGenerated("voice_message_tables.h",
                           voiceMessageTablesHeader(messages, extraFirstId(content, content.subtitles.front().extra)));
}

}  // namespace content
