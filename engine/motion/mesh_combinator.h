#pragma once
// MMeshCombinator: the mesh combinators of one root player. A combinator
// picks, from a stored run of raw meshes (16 control points each), the mesh
// that matches the value of a named variable of the player, blending the two
// neighbours; a layer's mesh is the sum of what its combinators pick (the
// first combinator's meshes are absolute, the others are added as they
// stand). Combinators keyed to the same variable with the same range and
// mesh count share one track and move together. Each step only the tracks
// whose position moved recompute, and a layer whose combinators mostly
// rested takes just their differences.
//
// Threads: runs on the thread that advances the owning player (a worker for
// a motion task) and touches only that player's data.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"

class MMotionPlayer;
struct MMotionLayerNode;

class MMeshCombinator {
public:
    // Meshes of a "rawMeshList": 16 points of two little-endian floats.
    static constexpr size_t kRawMeshBytes = 128;

    explicit MMeshCombinator(MMotionPlayer& player);
    ~MMeshCombinator();
    MMeshCombinator(const MMeshCombinator&) = delete;
    MMeshCombinator& operator=(const MMeshCombinator&) = delete;

    // Reads the layer's "meshCombinator", joins or makes the tracks of its
    // combinators and hands the node its first mesh. The node must keep its
    // address while registered (load once the layer tree is complete).
    void load(MMotionLayerNode& node, const PSBValue& layer);
    // The step's pass, before time advances: tracks whose variable moved
    // recompute, and changed layers get their new mesh.
    void update();
    // Forgets the node's combinators (its layer goes).
    void remove(const MMotionLayerNode& node);

    size_t trackCount() const { return tracks_.size(); }
    size_t layerCount() const { return layers_.size(); }
    // The last mesh built for the node (32 floats), or null when it has none.
    const float* output(const MMotionLayerNode& node) const;

private:
    struct Track;
    struct Combinator;
    struct LayerEntry;

    Track& joinTrack(const std::string& key, int32_t kind, float begin, float end, int32_t count);
    float position(const Track& track) const;
    void computeMesh(Combinator& combinator) const;
    void rebuild(LayerEntry& entry) const;
    void handOver(LayerEntry& entry) const;

    MMotionPlayer& player_;
    std::multimap<std::string, std::unique_ptr<Track>> tracks_;
    std::vector<std::unique_ptr<LayerEntry>> layers_;
};

// Where a variable value puts a track: its fraction of the range, clamped to
// [0, 1], times the last mesh index. An empty range is position 0.
float meshCombinatorPosition(float value, float rangeBegin, float rangeEnd, int32_t meshCount);
