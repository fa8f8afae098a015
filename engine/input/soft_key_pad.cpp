#include "engine/input/soft_key_pad.h"

#include <algorithm>
#include <cmath>
#include <span>

namespace {

// Cell contents: a key, a fixed stick direction, a drag stick, or nothing (0).
constexpr uint32_t kDrag = 0x40000000;
constexpr uint32_t S = kSoftKeyStick;
constexpr uint32_t kUpLeft = S | kSoftKeyUp | kSoftKeyLeft;
constexpr uint32_t kUpRight = S | kSoftKeyUp | kSoftKeyRight;
constexpr uint32_t kDownLeft = S | kSoftKeyDown | kSoftKeyLeft;
constexpr uint32_t kDownRight = S | kSoftKeyDown | kSoftKeyRight;

constexpr uint32_t A = kSoftKeyA, B = kSoftKeyB, X = kSoftKeyX, Y = kSoftKeyY;
constexpr uint32_t LB = kSoftKeyLB, RB = kSoftKeyRB, ST = kSoftKeyStart, BK = kSoftKeyBack;

// Sectors from the left, counter-clockwise on screen (y down): left,
// down-left, down, down-right, right, up-right, up, up-left, left again.
constexpr uint32_t kSectorCodes[9] = {
    S | kSoftKeyLeft, kDownLeft, S | kSoftKeyDown, kDownRight, S | kSoftKeyRight,
    kUpRight,         S | kSoftKeyUp, kUpLeft,     S | kSoftKeyLeft,
};

constexpr uint32_t kFixedPadLeft[12] = {LB, 0, ST, kUpLeft, S | kSoftKeyUp, kUpRight,
                                        S | kSoftKeyLeft, S, S | kSoftKeyRight,
                                        kDownLeft, S | kSoftKeyDown, kDownRight};
constexpr uint32_t kFixedPadRight[12] = {BK, 0, RB, 0, 0, 0, 0, Y, X, 0, B, A};
constexpr uint32_t kDragPadLeft[8] = {ST, BK, kDrag, kDrag, kDrag, kDrag, kDrag, kDrag};
constexpr uint32_t kTwoButtons[2] = {B, A};
constexpr uint32_t kSixKeys[12] = {RB, 0x1000, 0x2000, A, B, LB, A, B, LB, RB, 0x1000, 0x2000};
constexpr uint32_t kFourXY[4] = {Y, X, B, A};
constexpr uint32_t kFourShoulders[4] = {LB, RB, B, A};
constexpr uint32_t kThreeKeys[4] = {LB, LB, B, A};
constexpr uint32_t kEightKeys[8] = {0x1000, 0x2000, LB, RB, Y, X, B, A};
constexpr uint32_t kSixKeysAB[12] = {A, B, RB, X, Y, LB, X, Y, LB, A, B, 0};

}  // namespace

struct MSoftKeyPad::Grid {
    int columns;
    int rows;
    std::span<const uint32_t> cells;
};

MSoftKeyPad::MSoftKeyPad(MInputRect area1, MInputRect area2, uint32_t layoutType, float dragUnit,
                         float stickRadius, float precisionThreshold)
    : area1_(area1), area2_(area2), layoutType_(layoutType), dragUnit_(dragUnit),
      stickRadius_(stickRadius), precisionThreshold_(precisionThreshold) {}

void MSoftKeyPad::setKeysEnabled(bool enabled) {
    keysEnabled_ = enabled;
    reset();
}

void MSoftKeyPad::reset() {
    MTouchPad::reset();
    std::fill(std::begin(keys_), std::end(keys_), 0);
    pressedKeys_ = newlyPressedKeys_ = releasedKeys_ = 0;
    leftStick_ = rightStick_ = MSoftStick();
}

void MSoftKeyPad::latch() {
    MTouchPad::latch();
    uint32_t keys = 0;
    for (int32_t key : keys_) keys |= uint32_t(key);
    newlyPressedKeys_ = keys & ~pressedKeys_;
    releasedKeys_ = pressedKeys_ & ~keys;
    pressedKeys_ = keys;
    if (downMask() == 0) leftStick_ = rightStick_ = MSoftStick();
}

void MSoftKeyPad::press(uint32_t index, float x, float y) {
    MTouchPad::press(index, x, y);
    if (!keysEnabled_ || index >= kPoints) return;
    computeStick(index, x, y);
    keys_[index] = hitTest(index, x, y);
}

void MSoftKeyPad::release(uint32_t index, float x, float y) {
    MTouchPad::release(index, x, y);
    if (!keysEnabled_ || index >= kPoints) return;
    computeStick(index, x, y);
    keys_[index] = 0;
}

// A drag that starts on a stick stays a stick; a button stays pressed until
// the point goes up.
void MSoftKeyPad::move(uint32_t index, float x, float y) {
    MTouchPad::move(index, x, y);
    if (!keysEnabled_ || index >= kPoints) return;
    computeStick(index, x, y);
    if (keys_[index] >= 0) return;
    const int32_t hit = hitTest(index, x, y);
    if (hit < 0) keys_[index] = hit;
}

void MSoftKeyPad::setStick(MSoftStick& stick, uint32_t index, float scale) {
    const MInputPoint start = liveStart(index);
    const MInputPoint position = livePosition(index);
    stick.x = std::clamp((position.x - start.x) / stickRadius_ * scale, -1.0f, 1.0f);
    stick.y = std::clamp((position.y - start.y) / stickRadius_ * scale, -1.0f, 1.0f);
    stick.active = liveDown(index);
}

void MSoftKeyPad::computeStick(uint32_t index, float x, float y) {
    if (layoutType_ == 8 || layoutType_ == 9) return setStick(leftStick_, index, 1.0f);
    if (layoutType_ == 10) return setStick(leftStick_, index, 0.5f);
    MSoftStick* stick = area1_.contains(x, y) ? &leftStick_ : area2_.contains(x, y) ? &rightStick_ : nullptr;
    if (!stick) return;
    if (liveDown(index)) {
        setStick(*stick, index, 1.0f);
    } else {
        *stick = MSoftStick();
    }
}

int32_t MSoftKeyPad::dragStick(uint32_t index) {
    const bool alwaysEight = layoutType_ == 8 || layoutType_ == 9;
    const MInputPoint start = liveStart(index);
    const MInputPoint position = livePosition(index);
    const float dx = (position.x - start.x) / dragUnit_;
    const float dy = (position.y - start.y) / dragUnit_;
    const float length2 = dx * dx + dy * dy;
    if (length2 < 1.0f) return int32_t(kSoftKeyStick);
    const float angle = std::atan2(-dy, dx) * 180.0f / 3.14159265f + 180.0f;
    if (!alwaysEight && length2 < precisionThreshold_) {
        return int32_t(kSectorCodes[int((angle + 45.0f) / 90.0f) * 2]);
    }
    return int32_t(kSectorCodes[int((angle + 22.5f) / 45.0f)]);
}

int32_t MSoftKeyPad::wholeSurfaceStick(uint32_t index) {
    const MInputPoint start = liveStart(index);
    const MInputPoint position = livePosition(index);
    const float dx = (position.x - start.x) / dragUnit_;
    const float dy = (position.y - start.y) / dragUnit_;
    const float q = (dx * dx + dy * dy) / 2.0f;
    if (q < 128.0f) return int32_t(kSoftKeyStick);
    const float angle = std::atan2(-dy, dx) * 180.0f / 3.14159265f + 180.0f;
    if (q < 512.0f) return int32_t(kSectorCodes[int((angle + 45.0f) / 90.0f) * 2]);
    return int32_t(kSectorCodes[int((angle + 22.5f) / 45.0f)]);
}

int32_t MSoftKeyPad::gridHit(const Grid& grid, const MInputRect& area, uint32_t index, float x,
                             float y, bool areaTest) {
    if (areaTest && !area.contains(x, y)) return 0;
    const int column = int((x - area.x0) * float(grid.columns) / (area.x1 - area.x0));
    const int row = int((y - area.y0) * float(grid.rows) / (area.y1 - area.y0));
    const int cell = row * grid.columns + column;
    const bool inGrid = cell >= 0 && cell < int(grid.cells.size());
    const uint32_t content = inGrid ? grid.cells[size_t(cell)] : kDrag;
    if (!inGrid && areaTest) return 0;
    const bool stick = content == kDrag || (content & kSoftKeyStick) != 0;
    if (stick && !directionsEnabled_) return 0;
    if (content == kDrag) return dragStick(index);
    return int32_t(content);
}

// The one button of layout 99999, placed on the whole surface.
int32_t MSoftKeyPad::singleButton(float x, float y) const {
    const float width = area2_.x1 - area1_.x0;
    const float height = area2_.y1 - area1_.y0;
    const MInputRect button{area1_.x0 + width * 324.0f / 1024.0f, area1_.y0 + height * 592.0f / 768.0f,
                            area1_.x0 + width * 700.0f / 1024.0f, area1_.y0 + height * 696.0f / 768.0f};
    return button.contains(x, y) ? int32_t(kSoftKeyA) : 0;
}

int32_t MSoftKeyPad::hitTest(uint32_t index, float x, float y) {
    static const Grid fixedLeft{3, 4, kFixedPadLeft};
    static const Grid fixedRight{3, 4, kFixedPadRight};
    static const Grid dragLeft{2, 4, kDragPadLeft};
    // Layouts 1 to 7 differ only in their right-hand grid.
    static const Grid rightGrids[7] = {
        {1, 2, kTwoButtons},    {3, 4, kSixKeys},   {2, 2, kFourXY},    {2, 2, kFourShoulders},
        {2, 2, kThreeKeys},     {2, 4, kEightKeys}, {3, 4, kSixKeysAB},
    };
    switch (layoutType_) {
        case 0:
            if (area1_.contains(x, y)) return gridHit(fixedLeft, area1_, index, x, y, true);
            return gridHit(fixedRight, area2_, index, x, y, true);
        case 1: case 2: case 3: case 4: case 5: case 6: case 7:
            if (area1_.contains(x, y)) return gridHit(dragLeft, area1_, index, x, y, true);
            return gridHit(rightGrids[layoutType_ - 1], area2_, index, x, y, true);
        case 8: return gridHit(dragLeft, area1_, index, x, y, false);
        case 9: return directionsEnabled_ ? dragStick(index) : 0;
        case 10: return directionsEnabled_ ? wholeSurfaceStick(index) : 0;
        case 99999: return singleButton(x, y);
        default: return 0;
    }
}
