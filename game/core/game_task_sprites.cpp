// The root task lent to the porting layer's sprite draws: its draw layers,
// its virtual-screen view and its sprite layers.
#include "engine/render/virtual_screen_view.h"
#include "game/core/draw_store.h"
#include "game/core/game_task.h"
#include "game/core/sprite_draw_task.h"
#include "game/core/sprite_sheet.h"

namespace {

GameTask* owner = nullptr;

bool validLayer(int layer) { return layer >= 0 && layer < GameTask::kLayers; }

M2DCameraLocator* drawLayer(int layer) { return owner && validLayer(layer) ? owner->layers[layer] : nullptr; }

MView* virtualScreenView() { return owner ? owner->virtualScreenView : nullptr; }

void selectLayer(int layer) {
    if (owner && validLayer(layer)) owner->currentLayer = layer;
}

// A full layer drops the quad.
void appendQuad(MRawTex* sheet, MDrawMode mode, const MQuadBatch::Quad& quad) {
    SpriteDrawTask* layer = owner ? owner->spriteLayers[owner->currentLayer] : nullptr;
    SpriteDrawTask::Slot* slot = layer ? layer->addSlot() : nullptr;
    if (!slot) return;
    slot->texture = sheet;
    slot->mode = mode;
    slot->quad = quad;
}

void detachSheet(MRawTex* sheet) {
    if (owner) owner->detachTexture(sheet);
}

const SpriteTarget kTarget{drawLayer, virtualScreenView, selectLayer, appendQuad, detachSheet};

void printTextLine(int font, const char* text, float x, float y, int r, int g, int b, float alpha, int fontSize) {
    if (owner) owner->printTextLine(font, text, x, y, r, g, b, alpha, fontSize);
}

void drawTileLayer(ObjWork* owner, const void* tileList, int32_t tileSize, int32_t tileColumns, int32_t tileParam1,
                   int32_t tileSkipX, int32_t tileSkipY) {
    if (tileLayerDrawer) tileLayerDrawer(owner, tileList, tileSize, tileColumns, tileParam1, tileSkipX, tileSkipY);
}

const DrawFlushHooks kFlushHooks{printTextLine, drawTileLayer};

}  // namespace

void GameTask::installSpriteTarget() {
    owner = this;
    setSpriteTarget(&kTarget);
    OBJdrawSetFlushHooks(&kFlushHooks);
}

void GameTask::releaseSpriteTarget() {
    if (owner != this) return;
    setSpriteTarget(nullptr);
    OBJdrawSetFlushHooks(nullptr);
    owner = nullptr;
}
