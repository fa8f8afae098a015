// The sprite-sheet slots, PNG sheets and the sprite quad.
#include "game/core/sprite_sheet.h"

#include <cmath>
#include <cstdlib>
#include <memory>
#include <new>

#include "engine/render/camera_2d.h"
#include "engine/render/display.h"
#include "engine/render/raw_tex.h"
#include "engine/render/texture_upload.h"
#include "engine/render/win_d3d_win.h"
#include "game/core/png_decode.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"

namespace {

MRawTex* sheets[kSpriteSheetSlots] = {};
const SpriteTarget* spriteTarget = nullptr;
bool screenBuilt = false;

constexpr float kTurnRadians = 6.2831855f;

bool validSlot(int slot) { return slot >= 0 && slot < kSpriteSheetSlots; }

// The camera puts (0, 0) at the middle of its screen, while the game draws
// from the top-left corner: a layer placed at its own centre and turned or
// scaled about it moves the game's (0, 0) to the screen's corner.
void placeLayer(int layer, float width, float height) {
    M2DCameraLocator* locator = spriteTarget->drawLayer(layer);
    if (!locator) return;
    locator->positionX = locator->pivotX = width * 0.5f;
    locator->positionY = locator->pivotY = height * 0.5f;
}

// The sheet's buffer holds the decoded B, G, R, A rows already.
bool uploadSheet(MRawTex& sheet) {
    MDisplay* display = MDisplay::getInstance();
    if (!sheet.getTexture() || !display || !display->d3dWin()->device()) return false;
    MTextureImageDesc desc(32, sheet.getBufferWidth(), sheet.getBufferHeight(), 1, 1);
    desc.pixels = sheet.getPixels();
    uploadTexturePixels(*display->d3dWin()->device(), sheet.getTexture()->texture, desc);
    // Nothing reads a sheet's pixels back: the texture is their only copy.
    sheet.releasePixels();
    return true;
}

}  // namespace

void setSpriteTarget(const SpriteTarget* target) { spriteTarget = target; }

void selectSpriteLayer(int layer) {
    if (spriteTarget) spriteTarget->selectLayer(layer);
}

void SDL2_wheel_ScreenInit(int outputWidth, int outputHeight, int virtualWidth, int virtualHeight) {
    if (spriteTarget) {
        placeLayer(0, float(outputWidth), float(outputHeight));
        for (int layer = 999; layer <= 1098; ++layer) placeLayer(layer, float(outputWidth), float(outputHeight));
        for (int layer = 1; layer <= 998; ++layer) placeLayer(layer, float(virtualWidth), float(virtualHeight));
        if (MView* view = spriteTarget->virtualScreenView()) {
            view->setPosition(-float(virtualWidth) * 0.5f, -float(virtualHeight) * 0.5f);
        }
    }
    for (MRawTex*& sheet : sheets) sheet = nullptr;
    screenBuilt = true;
}

bool SDL2_wheel_ScreenIsBuilt() { return screenBuilt; }

MRawTex* SDL2_wheel_TextureLoadPNG(const char* path) {
    std::FILE* file = std::fopen(path, "rb");
    if (!file) {
        SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", path);
        return nullptr;
    }
    std::fclose(file);
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(path, &size);
    if (!bytes) return nullptr;
    // Decoded straight into the sheet's buffer, made once the size is known.
    std::unique_ptr<MRawTex> sheet;
    const PngRowsFor intoSheet = [&sheet](uint32_t width, uint32_t height) {
        try {
            sheet = std::make_unique<MRawTex>(int32_t(width), int32_t(height));
        } catch (const std::bad_alloc&) {
            return PngRows{};
        }
        return PngRows{sheet->getPixels(), size_t(sheet->getPitch())};
    };
    uint32_t width = 0, height = 0;
    const bool decoded = pngDecodeBgraInto(bytes, size_t(size), intoSheet, width, height);
    std::free(bytes);
    if (!decoded) {
        SDL2_wheel_Log("%s : not a PNG image the game can draw", path);
        return nullptr;
    }
    if (!uploadSheet(*sheet)) {
        SDL2_wheel_Log("%s : no texture for the image", path);
        return nullptr;
    }
    return sheet.release();
}

void SDL2_wheel_TextureRelease(int slot) {
    if (!validSlot(slot) || !sheets[slot]) return;
    if (spriteTarget) spriteTarget->detachSheet(sheets[slot]);
    delete sheets[slot];
    sheets[slot] = nullptr;
}

void SDL2_wheel_TextureSet(int slot, MRawTex* sheet) {
    if (!validSlot(slot)) {
        delete sheet;
        return;
    }
    SDL2_wheel_TextureRelease(slot);
    sheets[slot] = sheet;
}

void SDL2_wheel_TextureLoad(int slot, const char* name) {
    if (!validSlot(slot)) return;
    SDL2_wheel_TextureRelease(slot);
    sheets[slot] = SDL2_wheel_TextureLoadPNG(makeResourcePath(name).c_str());
}

MRawTex* SDL2_wheel_TextureGet(int slot) { return validSlot(slot) ? sheets[slot] : nullptr; }

void SDL2_wheel_TextureSetColor(MRawTex* sheet, int r, int g, int b) {
    if (sheet) sheet->setTint(uint32_t(r) << 16 | uint32_t(g) << 8 | uint32_t(b));
}

MQuadBatch::Quad spriteQuad(const WheelRect& source, const WheelRect& destination, int flip, float angle) {
    const float hw = destination.w * 0.5f, hh = destination.h * 0.5f;
    const float cx = float(int(destination.x + hw)), cy = float(int(destination.y + hh));
    // Screen corners top-left, top-right, bottom-right, bottom-left.
    float offsets[4][2] = {{-hw, -hh}, {hw, -hh}, {hw, hh}, {-hw, hh}};
    if (angle != 0.0f) {
        const float t = angle * kTurnRadians / 360.0f, c = std::cos(t), s = std::sin(t);
        for (auto& o : offsets) {
            const float x = o[0], y = o[1];
            o[0] = c * x - s * y;
            o[1] = s * x + c * y;
        }
    }
    // Which screen corner each source corner lands on.
    static constexpr int kScreenCornerOf[3][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}, {3, 2, 1, 0}};
    const int(&order)[4] = kScreenCornerOf[flip == 1 || flip == 2 ? flip : 0];
    MQuadBatch::Quad quad{source.w, source.h, source.x, source.y, {}};
    for (int corner = 0; corner < 4; ++corner) {
        quad.corners[corner] = {cx + offsets[order[corner]][0], cy + offsets[order[corner]][1], 0};
    }
    return quad;
}

void SDL2_wheel_TextureDraw(MRawTex* sheet, const WheelRect& source, const WheelRect& destination, int flip,
                            float angle) {
    if (!sheet || !spriteTarget) return;
    MQuadBatch::Quad quad = spriteQuad(source, destination, flip, angle);
    const uint32_t colour = uint32_t(sheet->getAlpha()) << 24 | sheet->getTint();
    for (auto& corner : quad.corners) corner.colour = colour;
    spriteTarget->appendQuad(sheet, sheet->getDrawMode(), quad);
}

void SDL2_wheel_TextureDrawSlot(int slot, const WheelRect& source, const WheelRect& destination) {
    if (MRawTex* sheet = SDL2_wheel_TextureGet(slot)) SDL2_wheel_TextureDraw(sheet, source, destination, 0, 0.0f);
}
