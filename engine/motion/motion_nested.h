#pragma once
// MMotionNested: the players of nested-motion layers. Each such layer holds
// a player made with its tree; each step the pass starts it again whenever
// the layer loads a new frame (at the layer's time into that frame plus the
// frame's offset), stops it when the frame is empty or names no object,
// turns it by the frame's direction mode, places its root on the layer,
// steps it with the parent and moves its events ahead of the parent's own.
// A chain of nested players deeper than MMotionParticles::kMaxNesting plays
// nothing, so a motion that nests itself still ends its step.
//
// Threads: runs inside the evaluation of the parent player, on the thread
// updating its root.

class MMotionPlayer;

class MMotionNested {
public:
    // After a tree is loaded: every nested-motion layer gets its player.
    static void attachPlayers(MMotionPlayer& player);
    static void update(MMotionPlayer& player);
};
