#pragma once
// MMotionCarryState: what a player carries from one motion into the next
// when it switches with kMotionPlayCarryState. Before the switch the layers
// marked "joinTarget" are saved under their path of labels ("/outer/inner")
// with their type, and the variables' values under their full names; once
// the new motion's frames are in place, each layer of the same path and type
// takes its saved state back (mesh points, nested player, live particles and
// emission values, the current frame's values) and each variable whose
// current frame is not empty its value. What nobody claims is destroyed,
// nested and particle players with it.
//
// Threads: on the thread updating the player's root.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_record.h"
#include "engine/motion/motion_node_state.h"

class MMotionPlayer;

struct MMotionSavedLayer {
    int32_t type = 0;
    std::vector<float> meshPoints;
    std::unique_ptr<MMotionPlayer> nestedPlayer;
    std::vector<std::unique_ptr<MMotionPlayer>> particles;
    std::optional<MMotionEmission> emission;
    bool empty = true;  // the current frame was empty
    MMotionFrameContent content;
    MMotionSlotCurves curves;  // of the current frame, taken from the old node

    MMotionSavedLayer();
    ~MMotionSavedLayer();
    MMotionSavedLayer(MMotionSavedLayer&&) noexcept;
    MMotionSavedLayer& operator=(MMotionSavedLayer&&) noexcept;
};

struct MMotionJoinCache {
    std::map<std::string, MMotionSavedLayer> layers;
    std::map<std::string, float> variables;
};

class MMotionCarryState {
public:
    // Labels of the node and its ancestors below the root, outermost first,
    // each after a "/".
    static std::string layerPath(MMotionPlayer& player, int32_t node);
    // Nothing while the player holds its time.
    static void save(MMotionPlayer& player);
    static void restore(MMotionPlayer& player);
    static void clear(MMotionPlayer& player);
};
