#pragma once
// SpriteDrawTask: the sprite layer of one draw layer. The porting layer's
// sprite draw fills a slot a sprite (texture object, draw mode, one quad);
// the draw turns runs of consecutive slots that share a texture and draw mode
// into one quad-batch draw each, in slot order, and empties the layer.
//
// A layer's 2048 slots are made the first time it is given a sprite, so the
// 1200 layers cost only what is drawn on; every layer batches into one quad
// array shared by all, as layers draw one after another.
//
// Threads: main thread only (the game's frame and the draw phase).

#include <cstdint>
#include <memory>

#include "engine/render/quad_batch.h"
#include "engine/task/process.h"

class MRawTex;

class SpriteDrawTask : public MProcess {
public:
    static constexpr int32_t kSlots = 2048;

    struct Slot {
        MRawTex* texture = nullptr;  // null: an empty slot, skipped by the draw
        int32_t sheetWord = 0;       // carried from the sprite sheet, not drawn
        MDrawMode mode = 0;
        MQuadBatch::Quad quad{};
    };

    SpriteDrawTask() = default;
    ~SpriteDrawTask() override;

    // Batches the slots onto the display's window, then empties the layer.
    void draw(int pass) override;

    // The next slot, counted as used; null when the layer holds kSlots.
    Slot* addSlot();
    int32_t getCount() const { return count_; }
    void clearCount() { count_ = 0; }
    const Slot& slotAt(int32_t index) const { return slots_[index]; }
    // Empties every used slot that draws that texture object.
    void detachTexture(const MRawTex* texture);

private:
    std::unique_ptr<Slot[]> slots_;
    int32_t count_ = 0;
};
