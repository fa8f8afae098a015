#pragma once
// MPSBTexture and loadPSBTexture: a device texture made from an image object
// of a loaded PSB document (every pixel type and platform layout the
// documents carry, with their mip levels). Textures are shared: the same
// image of the same document becomes one texture with a reference count in
// the shared texture table (shared_texture_table.h), however many users load
// it.
//
// An image object whose pixel data does not match its size, type or layout
// gives no texture and a trace line; a missing required key ("width",
// "height", "type", "pixel") is the PSB reader's fatal error.
//
// Threads: loadPSBTexture may run on the main thread and on the background
// loading threads at once; the table is touched only under the engine's
// global mutex. One MPSBTexture belongs to one thread at a time; releasing it
// (its destructor) may happen on any thread.

#include <cstdint>
#include <memory>

class MWinD3DWin;
class PSBValue;
class PSBObject;
struct MWinD3DTexture;

// Something a texture's user hangs on it; deleted with the texture.
class MPSBTextureAttachment {
public:
    virtual ~MPSBTextureAttachment() = default;
};

struct MPSBTexture {
    MPSBTexture() = default;
    ~MPSBTexture() { release(); }
    MPSBTexture(const MPSBTexture&) = delete;
    MPSBTexture& operator=(const MPSBTexture&) = delete;

    // Gives the texture back (one reference, for a shared one; the texture
    // itself when it has a kept pixel buffer or is not shareable), frees the
    // kept buffer and the attachment, and empties the record.
    void release();

    int32_t width = 0;   // the size the texture was made with
    int32_t height = 0;
    int32_t storedWidth = 0;  // "width" and "height" of the image object
    int32_t storedHeight = 0;
    MWinD3DTexture* texture = nullptr;  // null when none could be made
    // The sharing key: the document and the image object's value in it.
    const PSBObject* document = nullptr;
    const uint8_t* image = nullptr;
    std::unique_ptr<MPSBTextureAttachment> attached;
    std::unique_ptr<uint8_t[]> keptPixels;
    uint8_t flag = 0;
    // Words the views that use the texture as a mask set for its draws.
    int32_t callerWords[4] = {0, 0, 0, 0};
    int32_t mipLevels = 1;
    bool shareable = true;
    MWinD3DWin* window = nullptr;  // the window that made the texture
};

// Fills out from the image object and makes its texture on the display's
// Direct3D window, or takes one more reference of the texture already made
// from the same image of the same document. shareable false makes a texture
// of out's own, never entered in the table. Whatever out held is released
// first. False when no texture was made (out.texture stays null): no
// display, a damaged image object, or a failed texture creation.
bool loadPSBTexture(MPSBTexture& out, const PSBValue& image, bool shareable = true);
// The same on a given window.
bool loadPSBTexture(MWinD3DWin& window, MPSBTexture& out, const PSBValue& image, bool shareable = true);
