#pragma once
// MMotionLayerNode: one layer of a playing motion: the tree links and labels
// the player's lookups and scoped variables walk, what the layer loader reads
// of the layer (MMotionLayerLoader), its type record, its two frame slots and
// their curves, the evaluated state with the local adjustment the host sets
// (the root's placement is its local adjustment), the nested players and the
// mesh points.
//
// Threads: owned by its player; touched by the thread updating the root.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_record.h"
#include "engine/motion/motion_node_draw.h"
#include "engine/motion/motion_node_state.h"
#include "engine/motion/motion_source_info.h"

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

    // What every step reads or writes comes first, so the passes over the
    // nodes touch a few cache lines of each rather than the whole node.
    int32_t type = 0;
    int32_t parent = -1;  // index in the player's nodes; -1 for the root
    int32_t parameter = -1;  // "parameterize": the parameter choosing the frames, -1 for time
    int32_t coordinate = 0;
    uint32_t inheritMask = 0;
    std::array<int32_t, 4> transformOrder{};
    int32_t stencilType = 0;
    uint32_t frameCount = 0;  // frames in frameList, counted by the seek
    uint32_t currentSlot = 0;
    uint32_t id = 0;      // from the manager's layer-id pool while hasId is set
    bool hasId = false;
    bool stencilMask = false;  // named by a stencil composite
    bool joinTarget = false;
    bool groundCorrection = false;
    bool dirty = false;
    bool meshCombine = false;
    bool hasMeshCombinator = false;
    bool sourceFound = false;  // the current frame's source (sourceSrc, sourceIcon) was found
    bool sourceBlank = false;
    int32_t groundIndex = -1;
    int32_t meshTransform = 0;
    int32_t meshSyncChildMask = 0;
    int32_t meshDivision = 0;

    // Evaluated each step.
    MMotionNodeState state;
    MMotionNodeState local;  // the host's adjustment; its changed flag: set since the last evaluation
    MMotionNodeMatrix matrix;
    std::array<uint32_t, 4> colors{0x808080ffu, 0x808080ffu, 0x808080ffu, 0x808080ffu};  // corners, as in the frames
    bool uniformColor = true;
    bool defaultColor = true;
    bool drawn = false;
    bool listed = false;
    bool meshChanged = false;
    bool meshPointsExternal = false;  // set by setMeshPoints; frames no longer write the points
    float lastFraction = 0.0f;
    // The position before this step's evaluation, then the change it made.
    std::array<float, 3> motion{};
    // The position carried through the mesh hosts above the node.
    std::array<float, 3> mapped{};
    // The clip layer whose rectangle is in force and the nearest drawn
    // ancestor; -1 for none in this tree: the ones the root is under
    // (MMotionOuterLinks), if any.
    int32_t clip = -1;
    int32_t drawnAncestor = -1;

    std::array<MMotionFrameContent, 2> slots{};
    std::array<MMotionSlotCurves, 2> curves;  // of the slot of the same index
    MMotionLayerRecord record;

    std::string label;
    PSBValue value;       // the layer object
    PSBValue frameList;
    // The source of the current frame: its names and what they resolved to.
    std::string sourceSrc;
    std::string sourceIcon;
    MMotionSourceInfo source;

    std::vector<float> meshPoints;
    MMotionNodeDraw draw;  // render item, vertex grid, mesh-host links
    std::unique_ptr<MMotionPlayer> nestedPlayer;                 // nested-motion layers
    std::vector<std::unique_ptr<MMotionPlayer>> particlePlayers;  // particle layers: one per live particle
};
