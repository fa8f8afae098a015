#pragma once
// The bits of a keyframe's "mask" word: which content keys the frame holds.
// One list for the reader (motion_frame_content) and our motion builder
// (tools/psbwriter/motion_document), so the two can't drift apart.

#include <cstdint>

namespace motion_frame_mask {

inline constexpr uint32_t kMaskOrigin = 0x1;
inline constexpr uint32_t kMaskCoord = 0x2;
inline constexpr uint32_t kMaskFlipX = 0x4;
inline constexpr uint32_t kMaskFlipY = 0x8;
inline constexpr uint32_t kMaskAngle = 0x10;
inline constexpr uint32_t kMaskZoomX = 0x20;
inline constexpr uint32_t kMaskZoomY = 0x40;
inline constexpr uint32_t kMaskSlantX = 0x80;
inline constexpr uint32_t kMaskSlantY = 0x100;
inline constexpr uint32_t kMaskColor = 0x200;
inline constexpr uint32_t kMaskOpacity = 0x400;
inline constexpr uint32_t kMaskPositionEasing = 0x800;
inline constexpr uint32_t kMaskAngleEasing = 0x1000;
inline constexpr uint32_t kMaskZoomEasing = 0x2000;
inline constexpr uint32_t kMaskSlantEasing = 0x4000;
inline constexpr uint32_t kMaskColorEasing = 0x8000;
inline constexpr uint32_t kMaskPath = 0x10000;
inline constexpr uint32_t kMaskDrawMode = 0x20000;
inline constexpr uint32_t kMaskAction = 0x40000;
inline constexpr uint32_t kMaskMotion = 0x80000;
inline constexpr uint32_t kMaskParticle = 0x100000;
inline constexpr uint32_t kMaskCamera = 0x200000;
inline constexpr uint32_t kMaskAnchor = 0x800000;
inline constexpr uint32_t kMaskModel = 0x1000000;
inline constexpr uint32_t kMaskMesh = 0x2000000;
inline constexpr uint32_t kMaskTweenStep = 0x4000000;
inline constexpr uint32_t kMaskFeedback = 0x8000000;
inline constexpr uint32_t kMaskStencil = 0x20000000;
inline constexpr uint32_t kMaskEffectParameter = 0x40000000;

// Groups the reader takes together.
inline constexpr uint32_t kMaskFlip = kMaskFlipX | kMaskFlipY;
inline constexpr uint32_t kMaskZoom = kMaskZoomX | kMaskZoomY;
inline constexpr uint32_t kMaskSlant = kMaskSlantX | kMaskSlantY;
// Everything that changes the layer's matrix.
inline constexpr uint32_t kMaskMatrix = kMaskFlip | kMaskAngle | kMaskZoom | kMaskSlant;

}  // namespace motion_frame_mask
