#pragma once
// MView: a task that occupies a rectangle, a position and a size.
// MFixedSizeView: a view whose size is fixed by its owner (setSize does
// nothing; setFixedSize changes it). The base keeps no position: views that
// are placed keep their own.
//
// Threads: main thread only, as every task that draws.

#include "engine/render/display.h"
#include "engine/task/process.h"

struct MViewPoint {
    float x = 0.0f;
    float y = 0.0f;
    bool operator==(const MViewPoint&) const = default;
};

struct MViewSize {
    float width = 0.0f;
    float height = 0.0f;
    bool operator==(const MViewSize&) const = default;
};

class MView : public MProcess {
public:
    virtual void setPosition(float, float) {}
    virtual MViewPoint getPosition() { return {}; }
    virtual void setSize(float, float) {}
    virtual MViewSize getSize() { return {}; }
    // (x, y, x + width, y + height) of getPosition and getSize.
    virtual MRectF getRect();
};

class MFixedSizeView : public MView {
public:
    void setSize(float, float) override {}
    MViewSize getSize() override { return fixedSize_; }
    virtual void setFixedSize(float width, float height) { fixedSize_ = {width, height}; }

private:
    MViewSize fixedSize_;
};
