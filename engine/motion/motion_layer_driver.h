#pragma once
// MMotionLayerDriver: the timeline driver that plays a layer tree: the layer
// loader's tree plus the node lists by type, the variables and the mesh
// combinators; the frame scans (MMotionFrameScan) for every move of time;
// the evaluation of the nodes (MMotionLayerEval) each step with its mesh
// pass (motion_mesh_pass.cpp), the nested-motion (MMotionNested) and
// particle (MMotionParticles) passes; the state carried into the next motion
// (MMotionCarryState); the render list (motion_render_list.cpp) and the
// stream (MMotionStream).
//
// Threads: called by the player on the thread that updates its root. Keeps
// no state, so one driver (`shared()`) serves every player.

#include "engine/motion/motion_layer_eval.h"
#include "engine/motion/motion_layer_loader.h"

class MMotionLayerDriver : public MMotionLayerLoader, public MMotionEvalPasses {
public:
    void loadLayers(MMotionPlayer& player, const PSBValue& timeline) override;
    void scan(MMotionPlayer& player, MMotionScan kind) override;
    void evaluate(MMotionPlayer& player) override;
    void saveJoinState(MMotionPlayer& player) override;
    void nestedMotions(MMotionPlayer& player) override;
    void particles(MMotionPlayer& player) override;
    void loadStreams(MMotionPlayer& player, const PSBValue& timeline) override;
    void buildRenderList(MMotionPlayer& player, uint32_t inheritedColor,
                         std::vector<MMotionRenderItem*>* out) override;

    void followMesh(MMotionPlayer& player, MMotionLayerNode& node, const MMotionLayerNode& parent) override;
    void meshPass(MMotionPlayer& player) override;
    void playStreams(MMotionPlayer& player) override;

    // After a seek: the layers marked to take over the previous motion's
    // state receive it.
    virtual void applyJoinState(MMotionPlayer& player);

    static MMotionLayerDriver& shared();
};
