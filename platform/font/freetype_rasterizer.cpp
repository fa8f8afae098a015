// The FreeType glyph rasteriser.
#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cstdlib>

#include "platform/font/glyph_rasterizer.h"

namespace platform {
namespace {

int32_t roundedPixels(FT_Pos value) { return int32_t((value + 32) >> 6); }

class FreeTypeRasterizer final : public GlyphRasterizer {
public:
    ~FreeTypeRasterizer() override {
        if (face_) FT_Done_Face(face_);
        if (library_) FT_Done_FreeType(library_);
    }

    bool open(const std::string& path, int32_t pixelHeight) {
        if (FT_Init_FreeType(&library_) != 0) return false;
        if (FT_New_Face(library_, path.c_str(), 0, &face_) != 0) return false;
        if (!FT_IS_SCALABLE(face_)) return false;
        // A Windows font of a positive height fits ascent plus descent into it.
        FT_Size_RequestRec request{};
        request.type = FT_SIZE_REQUEST_TYPE_CELL;
        request.height = FT_Long(pixelHeight) << 6;
        if (FT_Request_Size(face_, &request) != 0) return false;
        ascent_ = roundedPixels(face_->size->metrics.ascender);
        return true;
    }

    int32_t ascent() const override { return ascent_; }

    bool render(char32_t code, GlyphBitmap& out) override {
        const FT_UInt index = FT_Get_Char_Index(face_, FT_ULong(code));
        if (FT_Load_Glyph(face_, index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO | FT_LOAD_MONOCHROME) != 0) return false;
        const FT_GlyphSlot slot = face_->glyph;
        const FT_Bitmap& bitmap = slot->bitmap;
        if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO && bitmap.rows > 0) return false;
        out.originX = slot->bitmap_left;
        out.originY = slot->bitmap_top;
        out.width = int32_t(bitmap.width);
        out.height = int32_t(bitmap.rows);
        out.pitch = std::abs(bitmap.pitch);
        out.bits.assign(size_t(out.pitch) * out.height, 0);
        copyRows(bitmap, out);
        return true;
    }

private:
    // FreeType's pitch is negative for bottom-up bitmaps; ours run top-down.
    static void copyRows(const FT_Bitmap& bitmap, GlyphBitmap& out) {
        for (int32_t row = 0; row < out.height; ++row) {
            const unsigned char* source =
                bitmap.pitch >= 0 ? bitmap.buffer + size_t(row) * bitmap.pitch
                                  : bitmap.buffer + size_t(out.height - 1 - row) * out.pitch;
            std::copy(source, source + out.pitch, out.bits.begin() + size_t(row) * out.pitch);
        }
    }

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    int32_t ascent_ = 0;
};

}  // namespace

std::unique_ptr<GlyphRasterizer> GlyphRasterizer::open(const std::string& path, int32_t pixelHeight) {
    if (path.empty() || pixelHeight <= 0) return nullptr;
    auto rasterizer = std::make_unique<FreeTypeRasterizer>();
    if (!rasterizer->open(path, pixelHeight)) return nullptr;
    return rasterizer;
}

}  // namespace platform
