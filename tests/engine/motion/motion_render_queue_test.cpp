#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "engine/motion/motion_layer.h"
#include "engine/motion/motion_render_item.h"

namespace {

// Remembers the order the layer's draw rendered the queue in.
class RecordingLayer : public MMotionLayer {
public:
    void render() override {
        for (const MMotionRenderItem* item : renderQueue()) rendered.push_back(item);
    }
    std::vector<const MMotionRenderItem*> rendered;
};

TEST(MotionRenderQueue, SortsByDepthThenPlayerDepthThenArrival) {
    MMotionRenderItem items[] = {
        {.z = 1, .playerZ = 0}, {.z = 0, .playerZ = 5},  {.z = 1, .playerZ = 0},
        {.z = 0, .playerZ = 2}, {.z = 1, .playerZ = -1},
    };
    std::vector<MMotionRenderItem*> queue;
    for (MMotionRenderItem& item : items) queue.push_back(&item);
    sortMotionRenderQueue(queue);
    const std::vector<MMotionRenderItem*> expected{&items[3], &items[1], &items[4], &items[0], &items[2]};
    EXPECT_EQ(queue, expected);
    EXPECT_EQ(items[2].order, 2u);
}

TEST(MotionRenderQueue, ANaNDepthSortsLast) {
    const float nan = std::numeric_limits<float>::quiet_NaN();
    std::vector<MMotionRenderItem> items(40);
    std::vector<MMotionRenderItem*> queue;
    for (size_t i = 0; i < items.size(); ++i) {
        items[i].z = i % 3 == 0 ? nan : float(i % 5);
        queue.push_back(&items[i]);
    }
    sortMotionRenderQueue(queue);
    EXPECT_TRUE(std::is_sorted(queue.begin(), queue.begin() + 26, [](auto* a, auto* b) { return a->z < b->z; }));
    for (size_t i = 26; i < queue.size(); ++i) EXPECT_TRUE(std::isnan(queue[i]->z));
}

TEST(MotionRenderQueue, TheLayersDrawRendersTheQueueInOrderAndEmptiesIt) {
    RecordingLayer layer;
    MMotionRenderItem front{.z = 2}, back{.z = -1};
    layer.queueRenderItem(&front);
    layer.queueRenderItem(&back);
    layer.draw(0);
    const std::vector<const MMotionRenderItem*> expected{&back, &front};
    EXPECT_EQ(layer.rendered, expected);
    EXPECT_TRUE(layer.renderQueue().empty());
    layer.draw(0);
    EXPECT_EQ(layer.rendered.size(), 2u);
}

}  // namespace
