#pragma once
// The game main draw's own requests (backdrop, prompt, credit line, pause
// overlay, menu-frame glow, frames-per-second text), queued after what the
// objects queued; gameMainDraw then sorts and flushes the frame. Tests
// inspect the queue through this.
//
// Threads: main thread only.

#include <cstdint>

// The sprite frame of the backdrop behind the whole output, on layer 0.
inline constexpr int32_t kFrameBackdrop = 2692;

void gameMainQueueOverlays();
