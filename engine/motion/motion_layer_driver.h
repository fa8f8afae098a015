#pragma once
// MMotionLayerDriver: the timeline driver that plays a layer tree: the layer
// loader's tree plus the node lists by type and the variables; the frame
// scans (MMotionFrameScan) for every move of time; the evaluation of the
// nodes (MMotionLayerEval) each step, with the nested-motion
// (MMotionNested) and particle (MMotionParticles) passes; the state carried
// into the next motion (MMotionCarryState). Render items, streams and the
// mesh pass are left to the parts that provide them: their calls here do
// nothing yet.
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

    // After a seek: the layers marked to take over the previous motion's
    // state receive it.
    virtual void applyJoinState(MMotionPlayer& player);

    static MMotionLayerDriver& shared();
};
