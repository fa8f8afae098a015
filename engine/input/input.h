#pragma once
// MInput: one input slot as the game and the engine's menus read it once a
// frame: the engine button mask of this frame and the last, auto-repeat, six
// analog axes with dead zones, the touch position and a vibration timer. The
// owner of a record sets the repeat fields, the dead zones and the vibration
// time directly.

#include <cstdint>
#include <memory>

enum MInputAxis { kAxisLeftX, kAxisLeftY, kAxisRightX, kAxisRightY, kAxisLeftTrigger, kAxisRightTrigger };

// What the sampler hands to MInput::update for one slot and frame.
struct MInputSample {
    uint32_t buttons = 0;
    float touchX = 0.0f;
    float touchY = 0.0f;
    float axes[6] = {};
};

// Whatever a user of a record hangs on it; deleted with the record.
class MInputAttachment {
public:
    virtual ~MInputAttachment() = default;
};

class MInput {
public:
    virtual ~MInput() = default;

    // frameStep: the looper's frame delta (MLooper::getFrameDelta).
    void update(const MInputSample& sample, float frameStep);

    uint32_t pressed() const { return buttons & ~previousButtons; }
    uint32_t released() const { return previousButtons & ~buttons; }

    uint32_t buttons = 0;
    uint32_t previousButtons = 0;
    uint32_t repeatMask = 0;
    uint32_t repeatDelay = 0;
    uint32_t repeatInterval = 0;
    float repeatTimer = 0.0f;
    float touchX = 0.0f;
    float touchY = 0.0f;
    std::unique_ptr<MInputAttachment> attachment;
    uint8_t flag = 0;
    // Sticks -1..1 with y positive downwards; triggers 0..1.
    float axes[6] = {};
    float deadZoneX = 0.0f;        // both sticks' x
    float deadZoneY = 0.0f;        // both sticks' y
    float triggerDeadZone = 0.0f;  // both triggers
    float vibrationTime = 0.0f;    // frames still to run; 0 = off

private:
    float deadZoneOf(int axis) const;
    void repeat(float frameStep);
};
