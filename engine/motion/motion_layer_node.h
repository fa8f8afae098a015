#pragma once
// MMotionLayerNode: one layer of a playing motion. Only what the player
// itself needs is here so far (the tree links and labels its lookups and
// scoped variables walk, the root's placement, the nested players, the mesh
// points); the layer loader and the node evaluation add their records.
//
// Threads: owned by its player; touched by the thread updating the root.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class MMotionPlayer;

struct MMotionLayerNode {
    static constexpr int32_t kNestedMotion = 3;
    static constexpr int32_t kParticleEmitter = 4;

    MMotionLayerNode();
    ~MMotionLayerNode();
    MMotionLayerNode(MMotionLayerNode&&) noexcept;
    MMotionLayerNode& operator=(MMotionLayerNode&&) noexcept;

    // Only kind 1 (a 4 by 4 control-point mesh) acts: null points empty the
    // list, else it takes exactly 16 points (32 floats).
    void setMeshPoints(int32_t kind, const float* points);

    std::string label;
    int32_t type = 0;
    int32_t parent = -1;  // index in the player's nodes; -1 for the root
    float x = 0.0f;
    float y = 0.0f;
    float angle = 0.0f;
    bool changed = false;
    bool meshChanged = false;
    std::vector<float> meshPoints;
    std::unique_ptr<MMotionPlayer> nestedPlayer;                 // nested-motion layers
    std::vector<std::unique_ptr<MMotionPlayer>> particlePlayers;  // particle layers: one per live particle
};
