#pragma once
// MMotionRenderManager holds the render queue that the motions of one layer
// fill in their draw and that render empties; MMotionManager joins it to the
// resource side, so a player reaches both through one manager.
//
// Threads: the queue is filled, sorted and drawn on the main thread only
// (draw phase), so it takes no lock.

#include <vector>

#include "engine/motion/motion_render_item.h"
#include "engine/motion/motion_resource_manager.h"

class MMotionRenderManager {
public:
    MMotionRenderManager() = default;
    virtual ~MMotionRenderManager() = default;
    MMotionRenderManager(const MMotionRenderManager&) = delete;
    MMotionRenderManager& operator=(const MMotionRenderManager&) = delete;

    // Draws the queued items in queue order.
    virtual void render() = 0;

    // The queue owns no item; an item must live until the queue is drawn.
    void queueRenderItem(MMotionRenderItem* item) { queue_.push_back(item); }
    std::vector<MMotionRenderItem*>& renderQueue() { return queue_; }

private:
    std::vector<MMotionRenderItem*> queue_;
};

class MMotionManager : public MMotionResourceManager, public MMotionRenderManager {
public:
    MMotionRenderManager* getRenderManager() override { return this; }
};
