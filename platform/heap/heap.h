#pragma once

namespace platform {

// Keeps freed memory in the process instead of trimming the heap after every
// large free: Mesa's software rasteriser frees and reallocates big buffers
// each frame and runs four times slower under the default trimming. Called
// once at start-up, before any thread starts.
void tuneHeapForRendering();

}  // namespace platform
