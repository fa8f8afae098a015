#pragma once
// FontFace: one outline font file opened with FreeType at one size, giving
// anti-aliased glyph coverage; and where Debian keeps the font files the
// content names.
//
// Threads: a face is used by one thread at a time (it has its own FreeType
// library).

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace content {

// Coverage 0..255, rows width bytes apart. left and top place the bitmap's
// top-left from the pen on the baseline (x right, y up).
struct GreyGlyph {
    int32_t left = 0;
    int32_t top = 0;
    int32_t width = 0;
    int32_t rows = 0;
    int32_t advance = 0;
    std::vector<uint8_t> coverage;
};

class FontFace {
public:
    // Throws ContentError when the file is not a font FreeType reads.
    explicit FontFace(const std::string& path);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    // Ascender over the sum of ascender and descender, from the face's
    // own metrics; the share of a line cell above the baseline.
    double ascentShare() const;
    // The em square per line-cell pixel: ascender plus descender at an em of
    // one pixel.
    double cellPerEm() const;
    void setEmPixels(double pixels);
    bool has(char32_t code) const;
    GreyGlyph render(char32_t code);

private:
    struct Handles;
    std::unique_ptr<Handles> handles_;
    std::string path_;
};

// The path of a font file by name under Debian's font folders; throws
// ContentError naming the package to install when there is none.
std::string findFontFile(const std::string& name, const std::string& package);

}  // namespace content
