#pragma once
// MMotionFrameContent: one keyframe of a layer as its frame slot holds it,
// with every key's default, and the reader that fills it from a frame of a
// layer's "frameList". parseBlankSource reads the "w:h:ox:oy" text of a
// "blank" source.
//
// Easings are kept as indices into the motion's "easing" list (-1 for a plain
// linear tween); the node evaluation turns them into curves.
//
// Threads: plain records, filled on the thread that updates the root player.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/color_interpolation.h"
#include "engine/motion/motion_source_info.h"

inline constexpr uint32_t kMotionWhiteColor = 0xffffffffu;

// Corner order of every four-colour set in our motion files and in the frame
// record: top-left, top-right, bottom-left, bottom-right.
enum MMotionCorner : int { kCornerTopLeft = 0, kCornerTopRight = 1, kCornerBottomLeft = 2, kCornerBottomRight = 3 };

struct MMotionNestedSettings {
    int32_t flags = 0;
    int32_t dt = 1;
    float dofst = 0.0f;
    bool docmpl = false;
    std::string dtgt;
    float timeOffset = 0.0f;
};

struct MMotionParticleSettings {
    int32_t trigger = 0;
    float fmin = 10.0f, fmax = 10.0f;
    float vmin = 0.0f, vmax = 0.0f;
    float amin = 0.0f, amax = 0.0f;
    float zmin = 1.0f, zmax = 1.0f;
    float range = 0.0f;
};

struct MMotionCameraSettings {
    float fov = 0.0f;
    std::string target;
};

struct MMotionModelSettings {
    bool loop = false;
    int32_t dt = 0;
    std::string dtgt;
    float timeOffset = 0.0f;
};

struct MMotionStencilSettings {
    bool hasStencil = false;
    bool wrv = false;
    int32_t easing = -1;  // "wcc"
    float wrt = 0.0f;
    float wsf = 0.0f;
};

struct MMotionMeshSettings {
    int32_t easing = -1;  // "cc"
    std::vector<float> points;  // empty, or 16 points x then y
};

struct MMotionFrameContent {
    uint32_t frameIndex = 0;
    float time = 0.0f;
    uint32_t tweenStep = 0;  // "ti"
    uint32_t mask = 0;
    bool empty = true;
    bool tween = false;
    bool uniformColor = true;
    bool defaultColor = true;
    bool loaded = false;
    float ox = 0.0f, oy = 0.0f;
    std::array<uint32_t, 4> colors{kMotionNeutralColor, kMotionNeutralColor, kMotionNeutralColor, kMotionNeutralColor};
    uint32_t opacity = 255;
    float x = 0.0f, y = 0.0f, z = 0.0f;
    bool fx = false, fy = false;
    float angle = 0.0f;
    float zx = 1.0f, zy = 1.0f;
    float sx = 0.0f, sy = 0.0f;
    // Easing indices: position "ccc", colour "occ", angle "acc", zoom "zcc", slant "scc".
    int32_t positionEasing = -1, colorEasing = -1, angleEasing = -1, zoomEasing = -1, slantEasing = -1;
    uint32_t drawMode = 0x10;  // "bm"
    float effectParameter = 0.0f;  // "bp"
    std::string src;
    std::string icon;
    PSBValue content;  // the frame's "content", found with the header; null for an empty frame
    PSBValue path;  // "cp", null for a straight tween
    std::string action;  // "act"

    // Per-type settings; filled only when the frame holds them, so a frame
    // without its type's settings keeps what the previous frame left.
    MMotionNestedSettings motion;
    MMotionParticleSettings particle;
    MMotionCameraSettings camera;
    std::string anchorTarget;
    MMotionModelSettings model;
    MMotionMeshSettings mesh;
    float feedbackTimespan = 0.0f;
    MMotionStencilSettings stencil;
};

// True for the layer types whose frames name a source ("src", "icon").
bool motionLayerHasSource(int32_t layerType);

// Reads the header of frame `index` of `frameList` into `slot`: clears it
// (keeping the per-type settings) and reads "time", "type" and, unless empty,
// "content" (kept in the slot), "mask" and "act".
void loadFrameHeader(MMotionFrameContent& slot, uint32_t index, const PSBValue& frameList);

// Reads the rest of the frame's content for a layer of `layerType` (from the
// content the header kept, else from the slot's frame of `frameList`).
void loadFrameContent(MMotionFrameContent& slot, int32_t layerType, const PSBValue& frameList);

// "w:h:ox:oy", each piece trimmed of spaces; missing pieces read 0. Found
// and blank are the caller's; attr 0, resolution 1.
MMotionSourceInfo parseBlankSource(const std::string& text);

// Grid point counts (x, y) of a mesh layer over a source of the given size:
// the division is shared in proportion to width and height, each direction
// gets at least one cell. A source without size gets one cell each way.
std::array<int32_t, 2> meshGridCounts(int32_t division, int32_t width, int32_t height);
