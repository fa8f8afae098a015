#pragma once
// The shared texture table: one entry per (document, image) whose texture
// users share, with its reference count. An entry lives while its count is
// above 0; the last release gives the texture back to its window.
//
// Threads: every function here takes the engine's global mutex (app's
// global_mutex.h) for its whole work, so any thread may call them. A lookup
// and the entering of a new texture are separate locked calls: two threads
// that load the same image at once may each make and enter a texture, and
// each then releases its own.

#include <cstddef>
#include <cstdint>

class MWinD3DWin;
class PSBObject;
struct MWinD3DTexture;

struct MSharedTexture {
    MWinD3DTexture* texture = nullptr;
    MWinD3DWin* window = nullptr;
};

// The texture entered for (document, image) with one more reference, or an
// empty record when there is none.
MSharedTexture acquireSharedTexture(const PSBObject* document, const uint8_t* image);

// Enters a texture with a count of 1.
void addSharedTexture(const MSharedTexture& shared, const PSBObject* document, const uint8_t* image);

// Drops one reference of the texture's entry; at 0 the texture is released
// and the entry removed. A texture that is not in the table is left alone.
void releaseSharedTexture(MWinD3DTexture* texture);

// The texture's reference count, 0 when it is not in the table.
int32_t sharedTextureReferences(const MWinD3DTexture* texture);
size_t sharedTextureEntryCount();
