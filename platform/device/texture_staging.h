#pragma once
// The CPU side of a texture: one pixel buffer per level, written through
// locks, and the regions written since the device last took them. Lets a
// texture be filled on any thread while the device object behind it is made
// and filled later on the device's own thread.
//
// Threads: lock, unlock, takeDirty and dropBuffers may be called from any
// thread; an internal mutex guards the buffers' bookkeeping. The bytes of a
// locked region belong to the locking thread until it unlocks.

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/device/device.h"

namespace platform {

class TextureStaging {
public:
    explicit TextureStaging(const TextureDesc& desc);

    // Fails for a level out of range, a level already locked, or a rectangle
    // outside the level (or, for block formats, not on block edges). A level
    // without a buffer gets a zeroed one, except for a discarding lock of the
    // whole level: its bytes are then left for the caller to write, all of
    // them, as clearing them first would only be paid for twice.
    bool lock(int level, const Rect* rect, LockedRect& out, bool discard = false);
    void unlock(int level);

    // Calls fn for every level written since the last call, with the union of
    // the written rectangles and the level's whole buffer.
    using DirtyFn = std::function<void(int level, const Rect& rect, const uint8_t* levelBits, int pitch)>;
    void takeDirty(const DirtyFn& fn);
    // Frees the buffers of unlocked levels once their pixels are on the device.
    void dropBuffers();
    bool hasDirty();

    int levelWidth(int level) const;
    int levelHeight(int level) const;

private:
    struct Level {
        std::unique_ptr<uint8_t[]> bits;
        int pitch = 0;
        bool locked = false;
        Rect lockedRect;
        bool dirty = false;
        Rect dirtyRect;
    };

    TextureDesc desc_;
    std::mutex mutex_;
    std::vector<Level> levels_;
};

}  // namespace platform
