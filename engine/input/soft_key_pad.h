#pragma once
// MSoftKeyPad: an on-screen game pad over the touch pad. Each touch point
// that goes down on a button cell holds that key until it goes up; one that
// goes down on a stick cell becomes a drag stick whose direction follows the
// drag. The layout type picks the cells of the two areas (the window's left
// and right halves). The input hub reads the latched keys into slot 0.
//
// Key codes: buttons A 0x1, B 0x2, X 0x4, Y 0x8, LB 0x10, RB 0x20, Start
// 0x40, Back 0x80; a stick code has bit 0x80000000 and direction bits up
// 0x100, down 0x200, left 0x400, right 0x800; 0 is nothing.
//
// Threads: as MTouchPad; the keys and sticks are written by press, release
// and move on the message thread and latched on the main thread, all on the
// main thread in this engine (the window's messages are pumped there).

#include <cstdint>

#include "engine/input/touch_pad.h"

struct MInputRect {
    float x0 = 0.0f;
    float y0 = 0.0f;
    float x1 = 0.0f;
    float y1 = 0.0f;

    bool contains(float x, float y) const { return x0 <= x && x < x1 && y0 <= y && y < y1; }
};

enum MSoftKey : uint32_t {
    kSoftKeyA = 0x1,
    kSoftKeyB = 0x2,
    kSoftKeyX = 0x4,
    kSoftKeyY = 0x8,
    kSoftKeyLB = 0x10,
    kSoftKeyRB = 0x20,
    kSoftKeyStart = 0x40,
    kSoftKeyBack = 0x80,
    kSoftKeyStick = 0x80000000,
    kSoftKeyUp = 0x100,
    kSoftKeyDown = 0x200,
    kSoftKeyLeft = 0x400,
    kSoftKeyRight = 0x800,
};

struct MSoftStick {
    bool active = false;
    float x = 0.0f;
    float y = 0.0f;
};

class MSoftKeyPad : public MTouchPad {
public:
    MSoftKeyPad(MInputRect area1, MInputRect area2, uint32_t layoutType, float dragUnit = 10.0f,
                float stickRadius = 100.0f, float precisionThreshold = 4.0f);

    void latch() override;
    void reset() override;
    void press(uint32_t index, float x, float y) override;
    void release(uint32_t index, float x, float y) override;
    void move(uint32_t index, float x, float y) override;
    virtual void computeStick(uint32_t index, float x, float y);
    virtual int32_t hitTest(uint32_t index, float x, float y);

    // Stores the flag and resets.
    void setKeysEnabled(bool enabled);
    bool keysEnabled() const { return keysEnabled_; }
    void setDirectionsEnabled(bool enabled) { directionsEnabled_ = enabled; }

    uint32_t pressedKeys() const { return pressedKeys_; }
    uint32_t newlyPressedKeys() const { return newlyPressedKeys_; }
    uint32_t releasedKeys() const { return releasedKeys_; }
    const MSoftStick& leftStick() const { return leftStick_; }
    const MSoftStick& rightStick() const { return rightStick_; }

private:
    struct Grid;

    int32_t gridHit(const Grid& grid, const MInputRect& area, uint32_t index, float x, float y,
                    bool areaTest);
    int32_t dragStick(uint32_t index);
    int32_t wholeSurfaceStick(uint32_t index);
    int32_t singleButton(float x, float y) const;
    void setStick(MSoftStick& stick, uint32_t index, float scale);

    MInputRect area1_;
    MInputRect area2_;
    uint32_t layoutType_;
    int32_t keys_[kPoints] = {};
    uint32_t pressedKeys_ = 0;
    uint32_t newlyPressedKeys_ = 0;
    uint32_t releasedKeys_ = 0;
    MSoftStick leftStick_;
    MSoftStick rightStick_;
    bool keysEnabled_ = true;
    bool directionsEnabled_ = true;
    float dragUnit_;
    float stickRadius_;
    float precisionThreshold_;
};
