#pragma once
// The glyph side of a PSB font file: the header check of its root and the
// glyph table, which looks a UTF-16 code unit up in the file's "code" object
// on first use and keeps the answer.
//
// A font file's root: "id" ("font" turns the header check on), "spec" (the
// engine's M_SPEC or "common"), "version" (1.08), "label" (the font's name,
// for the header messages), "maxWidth", "maxHeight", "code" (one object per
// glyph, keyed by the UTF-8 text of its code unit) and "source" (the images).
//
// Threads: a font and its table are used on the main thread only.

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "engine/data/psb_value.h"

struct MPSBGlyph {
    int32_t id;            // index of the source image
    float x, y;            // top-left in that image
    float width, height;   // measured size
    float w, h;            // drawn quad and sampled rectangle
    float a;               // from the pen line up to the glyph's top
    float b, d;            // kept, unused
};

// The header message for a root whose "id" is "font" and whose spec or
// version differs from the engine's; empty when the header passes or is
// not checked. A missing "spec" or "version" is a missing-key failure.
std::string checkPSBFontHeader(const PSBValue& root, const std::string& engineSpec);

class MPSBFontGlyphs {
public:
    // Keeps code, the file's "code" object; its document must outlive it.
    explicit MPSBFontGlyphs(PSBValue code) : code_(code) {}

    // The glyph of a code unit, read once from "code"; none without an entry.
    // An entry missing one of its ten keys is a missing-key failure.
    std::optional<MPSBGlyph> find(char16_t code);
    size_t cachedCount() const { return glyphs_.size(); }

private:
    PSBValue code_;
    std::map<char16_t, MPSBGlyph> glyphs_;
};
