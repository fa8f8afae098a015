#pragma once
// MMotionEventListener: what a playing motion tells its host. Action events
// come from control frames (empty name) and from layer frames' action texts
// (the layer's label as name); a sync event marks a sync frame reached.
//
// Threads: called wherever the player's events are flushed (for a motion
// task, the main thread's deferred-call phase), in listener order.

#include <cstdint>
#include <string>

class MMotionPlayer;

class MMotionEventListener {
public:
    virtual ~MMotionEventListener() = default;
    virtual void onAction(MMotionPlayer& player, const std::string& name, const std::string& text) = 0;
    virtual void onSync(MMotionPlayer& player) = 0;
};

// One queued event; kinds other than action and sync are dropped at delivery.
struct MMotionEvent {
    static constexpr int32_t kAction = 0;
    static constexpr int32_t kSync = 1;

    int32_t kind = kAction;
    std::string name;
    std::string text;
};
