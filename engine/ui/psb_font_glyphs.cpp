// The header check and the glyph table of PSB font files.
#include "engine/ui/psb_font_glyphs.h"

#include <cstdio>
#include <cstring>

#include "engine/base/text_conv.h"

namespace {

constexpr float kFontVersion = 1.08f;

std::string headerMessage(const char* format, const PSBValue& root) {
    char buffer[2048];
    std::snprintf(buffer, sizeof buffer, format, root.get("label").toString());
    return buffer;
}

}  // namespace

std::string checkPSBFontHeader(const PSBValue& root, const std::string& engineSpec) {
    PSBValue id;
    if (!root.find("id", id) || id.getType() != kPSBString || std::strcmp(id.toString(), "font") != 0) return {};
    const std::string spec = root.get("spec").toString();
    if (spec != engineSpec && spec != "common") {
        return headerMessage("font file '%s' has not adaptive spec of font file. export psb again.\n", root);
    }
    const float version = root.get("version").toFloat();
    if (version < kFontVersion) {
        return headerMessage("font file '%s' version is too old. update Glyphwright, export font file again.\n",
                             root);
    }
    if (version > kFontVersion) return headerMessage("font file '%s' version is too new. update vantorlib.\n", root);
    return {};
}

std::optional<MPSBGlyph> MPSBFontGlyphs::find(char16_t code) {
    if (auto it = glyphs_.find(code); it != glyphs_.end()) return it->second;
    PSBValue entry;
    if (!code_.find(wideToUtf8(std::u16string(1, code)), entry)) return std::nullopt;
    const MPSBGlyph glyph{entry.get("id").toInt(),     entry.get("x").toFloat(),      entry.get("y").toFloat(),
                          entry.get("width").toFloat(), entry.get("height").toFloat(), entry.get("w").toFloat(),
                          entry.get("h").toFloat(),     entry.get("a").toFloat(),      entry.get("b").toFloat(),
                          entry.get("d").toFloat()};
    glyphs_.emplace(code, glyph);
    return glyph;
}
