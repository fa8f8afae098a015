#pragma once
// The shape every scene outside play shares: a task of group 13 that the
// game-control sequence creates and waits for, with one work record of its
// own (scene(work): step, step counter, frame counter) drawn by its callback.
//
// Threads: main thread only.

#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kSceneGroup = 13;
inline constexpr float kSceneX = 112.0f;
inline constexpr float kSceneY = 144.0f;

// A scene's set-up (state 0, then 100 follows) and its running step, called
// in state 100 and in the scene's own states up to lastRunState.
struct SceneAct {
    void (*setUp)(ObjTask* task);
    void (*run)(ObjTask* task);
    int32_t lastRunState = 100;
};

// One act pass of a scene: any state it does not run releases the task
// (unless persistent), so a scene ends by setting state -1.
void sceneAct(ObjTask* task, const SceneAct& act);
// The scene's work record at the screen's centre on the draw depth, drawn by
// draw, its motion slots closed; null when the pool is empty.
ObjWork* sceneWorkNew(ObjTask* task, float depth, void (*draw)(ObjTask*, ObjWork*));
// A release function for scenes that hold nothing but their work record.
void sceneWorkFree(ObjTask* task);
// True while the motion slot is in use.
bool sceneSlotOpen(int32_t slot);
// True once the slot has played its label through; a closed slot has (a
// screen never waits on a motion that is not there).
bool sceneLabelPlayed(int32_t slot);

// The work's first motion slot on its layer, untinted and opaque; a closed
// slot draws nothing.
void drawWorkMotion(ObjTask* task, ObjWork* work);
