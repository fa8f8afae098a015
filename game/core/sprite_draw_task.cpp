#include "game/core/sprite_draw_task.h"

#include "engine/render/display.h"
#include "engine/render/raw_tex.h"
#include "engine/render/win_d3d_win.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFFFF;

// The quads of the batch being gathered, shared by every layer; each is
// written before it is drawn.
MQuadBatch::Quad sharedQuads[SpriteDrawTask::kSlots];

void paintWhite(MQuadBatch::Quad& quad) {
    for (auto& corner : quad.corners) corner.colour = kWhite;
}

void flush(MQuadBatch& batch) {
    MDisplay* display = MDisplay::getInstance();
    if (MWinD3DWin* win = display ? display->d3dWin() : nullptr) win->drawQuadBatch(batch, 0);
    batch.count = 0;
}

}  // namespace

SpriteDrawTask::~SpriteDrawTask() = default;

SpriteDrawTask::Slot* SpriteDrawTask::addSlot() {
    if (count_ >= kSlots) return nullptr;
    if (!slots_) {
        slots_ = std::make_unique<Slot[]>(kSlots);
        for (int32_t i = 0; i < kSlots; ++i) paintWhite(slots_[i].quad);
    }
    return &slots_[count_++];
}

void SpriteDrawTask::detachTexture(const MRawTex* texture) {
    for (int32_t i = 0; i < count_; ++i) {
        if (slots_[i].texture == texture) slots_[i].texture = nullptr;
    }
}

// An empty slot inside a run does not split it.
void SpriteDrawTask::draw(int) {
    if (count_ == 0) return;
    MQuadBatch batch{nullptr, 0, 0, sharedQuads};
    for (int32_t i = 0; i < count_ && batch.count < kSlots; ++i) {
        const Slot& slot = slots_[i];
        if (!slot.texture) continue;
        MWinD3DTexture* texture = slot.texture->getTexture();
        if ((batch.texture != texture || batch.mode != slot.mode) && batch.count > 0) flush(batch);
        sharedQuads[batch.count++] = slot.quad;
        batch.texture = texture;
        batch.mode = slot.mode;
    }
    if (batch.count > 0) flush(batch);
    count_ = 0;
}
