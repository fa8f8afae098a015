#pragma once
// MMotionStream: a motion's "stream", per-frame geometry stored whole in
// the motion file and played back frame by frame without a layer tree. The
// tables are read once when the motion loads; each step the frame at the
// player's scan time fills one render item and grid per layer it draws.
// Every index the file holds is checked against its table: a layer that
// names a row past a table, or a mesh whose vertex run doesn't match its
// cells, is skipped; a frame never draws more than "maxLayerCount" layers.
//
// Threads: owned by one player; touched by the thread that updates its root.

#include <cstdint>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_render_item.h"
#include "engine/motion/motion_source_info.h"

class MMotionPlayer;

class MMotionStream {
public:
    struct Mesh {
        uint16_t firstVertex = 0;
        uint16_t endVertex = 0;
        uint16_t columns = 0;
        uint16_t rows = 0;
    };
    struct Layer {
        uint16_t source = 0;
        uint16_t drawMode = 0;
        uint16_t flags = 0;
        uint16_t mesh = 0;
        uint16_t color = 0;
        uint16_t z = 0;
        uint16_t opacity = 0;
    };

    // Reads the motion's "stream" (the record goes inactive without one).
    void load(MMotionPlayer& player, const PSBValue& motion);
    // Fills the items of the frame at the player's scan time.
    void play(MMotionPlayer& player);
    // Hands this step's items on: to the player's render list and, when
    // given, to out. The root's opacity and the combined colour are applied
    // once per step.
    void render(MMotionPlayer& player, uint32_t combined, std::vector<MMotionRenderItem*>* out);

    bool active() const { return active_; }
    uint32_t count() const { return count_; }
    uint32_t maxLayerCount() const { return uint32_t(items_.size()); }
    const std::vector<MMotionRenderItem>& items() const { return items_; }

private:
    bool fillItem(MMotionPlayer& player, uint32_t layerIndex, MMotionRenderItem& item, MMotionVertexGrid& grid) const;
    void placePoints(MMotionPlayer& player);
    void applyColor(MMotionPlayer& player, uint32_t combined);

    bool active_ = false;
    bool prepared_ = false;
    uint32_t count_ = 0;
    std::vector<float> vertices_;  // x, y pairs
    std::vector<Mesh> meshes_;
    std::vector<uint32_t> colors_;  // four corners per set
    std::vector<float> z_;
    std::vector<Layer> layers_;
    std::vector<uint16_t> frameIndices_;
    std::vector<uint16_t> frames_;  // first, end pairs
    std::vector<MMotionSourceInfo> sources_;
    std::vector<MMotionRenderItem> items_;
    std::vector<MMotionVertexGrid> grids_;
};
