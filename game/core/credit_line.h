#pragma once
// The cabinet's credit line, drawn over everything in output space each frame
// on the arcade platform: the platform's credit text or "FREE PLAY" top
// right with the network icon beside it, a notice when the card service
// can't be used (on the attract side) and the shop's closing-time warnings.
// Queued by the game main draw through the draw store; nothing off the
// arcade platform, and in tool mode only the card notice.
//
// Threads: main thread only.

#include <cstddef>
#include <cstdint>

// Once a frame, from the game main draw.
void creditLineDraw();

// The platform's wide text as UTF-8 in at most size - 1 bytes (whole
// characters only), NUL-terminated; the bytes written.
size_t creditTextToUtf8(const wchar_t* text, char* out, size_t size);
