#pragma once
// MMotionLayerEval: one step's evaluation of a player's layer tree. Each
// node's two frame slots are tweened (easings and paths taken from the
// slots' curves) into its evaluated state, the host's local adjustment is
// applied, and the result is carried down the tree by the layer's
// "inheritMask" (whole matrix, or flips, angle, zooms and slants one by one
// with the root's placement applied whole) and "transformOrder"; then the
// passes of the special layer types run: anchors, the mesh pass, drawn
// flags, camera, clip rectangles, shapes, nested motions, models, particles.
// A node whose tween fraction has not moved and that nothing forces costs
// one comparison.
//
// MMotionEvalPasses holds the passes other parts of the motion system
// provide; the defaults here do nothing but carry each node's position as
// its mapped position.
//
// Threads: called by the timeline driver on the thread updating the root
// player.

#include <cstdint>

class MMotionPlayer;
struct MMotionLayerNode;

class MMotionEvalPasses {
public:
    virtual ~MMotionEvalPasses() = default;
    // A node under a parent with a mesh follows the mesh.
    virtual void followMesh(MMotionPlayer&, MMotionLayerNode& /*node*/, const MMotionLayerNode& /*host*/) {}
    // Maps positions through the mesh hosts above each node and marks
    // changed meshes; without hosts a node's mapped position is its own.
    virtual void meshPass(MMotionPlayer& player);
    virtual void nestedMotions(MMotionPlayer&) {}
    virtual void particles(MMotionPlayer&) {}
    virtual void playStreams(MMotionPlayer&) {}
};

class MMotionLayerEval {
public:
    static constexpr float kEpsilon = 1.1920929e-07f;

    static void evaluateNodes(MMotionPlayer& player, MMotionEvalPasses& passes);
    // Interpolates the node's slots into its evaluated state; true when
    // anything was written.
    static bool evaluateFrame(MMotionPlayer& player, MMotionLayerNode& node, bool force);
    // The node's matrix from its evaluated flips, angle, zooms and slants,
    // the first "transformOrder" step acting first on a point.
    static void buildLocalMatrix(MMotionLayerNode& node);

    static void applyAnchors(MMotionPlayer& player);
    static void updateClipRects(MMotionPlayer& player);
    static void updateCamera(MMotionPlayer& player);
    static void updateShapes(MMotionPlayer& player);
    static void updateModels(MMotionPlayer& player);
};
