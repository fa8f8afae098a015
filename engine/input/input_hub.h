#pragma once
// MInputHub: the input task that the game and the engine's menus and dialogs
// read; MSingleInputHub refreshes eight MInput records in the looper's vsync
// phase from the keyboard, the pads, the touch pad and the on-screen pad.
// Callers take record 0.
//
// Threads: main thread only (construction, the vsync body, the reads).

#include <array>
#include <cstdint>
#include <memory>

#include "engine/input/input.h"
#include "engine/input/pad_slots.h"
#include "engine/task/looper_hook.h"
#include "engine/task/task.h"

class MTouchPad;

class MInputHub : public MTask, public MLooperVSyncHook {
public:
    MInputHub();

    void update() override {}

    virtual uint32_t getInputCount() const = 0;
    // The record at min(index, count - 1).
    virtual MInput* getInput(uint32_t index) = 0;
    virtual bool hasInput(uint32_t index) const = 0;

    // Read a stick as the four directions when no direction bit is set.
    bool leftStickToDirections = false;
    bool rightStickToDirections = false;
};

class MSingleInputHub : public MInputHub {
public:
    MSingleInputHub();
    ~MSingleInputHub() override;

    uint32_t getInputCount() const override { return count_; }
    MInput* getInput(uint32_t index) override;
    bool hasInput(uint32_t) const override { return true; }

    void vsyncHook() override { onVSync(); }
    void onVSync();

private:
    MInputSample analogToDigital(int slot);
    void addTouch(MInputSample& sample) const;
    void vibrate(int slot, float frameStep);

    MTouchPad* touchPad_ = nullptr;
    std::array<std::unique_ptr<MInput>, kInputSlots> inputs_;
    uint32_t count_ = 1;
    bool firstSample_ = true;
    bool vibrating_[kInputSlots] = {};
};
