// FreeType faces and the font folders.
#include "tools/content/font_face.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <system_error>

#include "tools/content/content_context.h"

namespace content {

struct FontFace::Handles {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ~Handles() {
        if (face) FT_Done_Face(face);
        if (library) FT_Done_FreeType(library);
    }
};

FontFace::FontFace(const std::string& path) : handles_(std::make_unique<Handles>()), path_(path) {
    if (FT_Init_FreeType(&handles_->library) != 0) throw ContentError("FreeType could not start");
    if (FT_New_Face(handles_->library, path.c_str(), 0, &handles_->face) != 0 || !FT_IS_SCALABLE(handles_->face)) {
        throw ContentError(path + ": not an outline font FreeType can read");
    }
}

FontFace::~FontFace() = default;

double FontFace::ascentShare() const {
    const FT_Face face = handles_->face;
    return double(face->ascender) / double(face->ascender - face->descender);
}

double FontFace::cellPerEm() const {
    const FT_Face face = handles_->face;
    return double(face->ascender - face->descender) / double(face->units_per_EM);
}

void FontFace::setEmPixels(double pixels) {
    const FT_F26Dot6 size = FT_F26Dot6(std::lround(pixels * 64.0));
    if (FT_Set_Char_Size(handles_->face, 0, size, 72, 72) != 0) {
        throw ContentError(path_ + ": cannot be set to " + std::to_string(pixels) + " pixels");
    }
}

bool FontFace::has(char32_t code) const { return FT_Get_Char_Index(handles_->face, FT_ULong(code)) != 0; }

GreyGlyph FontFace::render(char32_t code) {
    const FT_Face face = handles_->face;
    // Light hinting keeps the shapes and snaps the heights, which reads best
    // at 16 pixels; embedded bitmaps would mix a second style in.
    const FT_Int32 flags = FT_LOAD_TARGET_LIGHT | FT_LOAD_NO_BITMAP;
    if (FT_Load_Char(face, FT_ULong(code), flags) != 0 || FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0) {
        throw ContentError(path_ + ": cannot draw U+" + std::to_string(uint32_t(code)));
    }
    const FT_GlyphSlot slot = face->glyph;
    const FT_Bitmap& bitmap = slot->bitmap;
    GreyGlyph glyph;
    glyph.left = slot->bitmap_left;
    glyph.top = slot->bitmap_top;
    glyph.width = int32_t(bitmap.width);
    glyph.rows = int32_t(bitmap.rows);
    glyph.advance = int32_t((slot->advance.x + 32) >> 6);
    glyph.coverage.resize(size_t(glyph.width) * size_t(glyph.rows));
    for (int32_t y = 0; y < glyph.rows; ++y) {
        const uint8_t* row = bitmap.buffer + ptrdiff_t(y) * bitmap.pitch;
        std::copy(row, row + glyph.width, glyph.coverage.begin() + ptrdiff_t(y) * glyph.width);
    }
    return glyph;
}

std::string findFontFile(const std::string& name, const std::string& package) {
    namespace fs = std::filesystem;
    // Debian's folders first, then anything under the font roots, in name
    // order so that the same system always gives the same file.
    const fs::path known[] = {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/opentype/ipafont-gothic"};
    std::error_code error;
    for (const fs::path& folder : known) {
        if (fs::is_regular_file(folder / name, error)) return (folder / name).string();
    }
    std::vector<std::string> found;
    for (const char* root : {"/usr/share/fonts", "/usr/local/share/fonts"}) {
        fs::recursive_directory_iterator it(root, fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            if (it->path().filename() == name && it->is_regular_file(error)) found.push_back(it->path().string());
        }
        error.clear();
    }
    if (found.empty()) {
        throw ContentError("font file " + name + " not found under /usr/share/fonts: install the Debian package " +
                           package + " (scripts/install-deps)");
    }
    return *std::min_element(found.begin(), found.end());
}

}  // namespace content
