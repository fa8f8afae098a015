#include "platform/device/texture_staging.h"

#include <algorithm>

namespace platform {

TextureStaging::TextureStaging(const TextureDesc& desc) : desc_(desc), levels_(std::max(desc.levels, 1)) {}

int TextureStaging::levelWidth(int level) const { return std::max(1, desc_.width >> level); }
int TextureStaging::levelHeight(int level) const { return std::max(1, desc_.height >> level); }

bool TextureStaging::lock(int level, const Rect* rect, LockedRect& out, bool discard) {
    if (level < 0 || level >= int(levels_.size())) return false;
    const int w = levelWidth(level), h = levelHeight(level);
    const Rect r = rect ? *rect : Rect{0, 0, w, h};
    if (r.left < 0 || r.top < 0 || r.right > w || r.bottom > h || r.width() <= 0 || r.height() <= 0)
        return false;
    const bool blocks = isBlockCompressed(desc_.format);
    if (blocks && (r.left % 4 || r.top % 4)) return false;

    std::lock_guard lock(mutex_);
    Level& l = levels_[level];
    if (l.locked) return false;
    if (!l.bits) {
        l.pitch = rowPitch(desc_.format, w);
        const size_t size = size_t(l.pitch) * pitchRows(desc_.format, h);
        const bool whole = r.left == 0 && r.top == 0 && r.right == w && r.bottom == h;
        l.bits.reset(discard && whole ? new uint8_t[size] : new uint8_t[size]());
    }
    l.locked = true;
    l.lockedRect = r;
    const int row = blocks ? r.top / 4 : r.top;
    out.pitch = l.pitch;
    out.bits = l.bits.get() + size_t(row) * l.pitch + rowPitch(desc_.format, r.left);
    return true;
}

void TextureStaging::unlock(int level) {
    if (level < 0 || level >= int(levels_.size())) return;
    std::lock_guard lock(mutex_);
    Level& l = levels_[level];
    if (!l.locked) return;
    l.locked = false;
    const Rect& r = l.lockedRect;
    if (!l.dirty) {
        l.dirtyRect = r;
    } else {
        l.dirtyRect = {std::min(l.dirtyRect.left, r.left), std::min(l.dirtyRect.top, r.top),
                       std::max(l.dirtyRect.right, r.right), std::max(l.dirtyRect.bottom, r.bottom)};
    }
    l.dirty = true;
}

void TextureStaging::takeDirty(const DirtyFn& fn) {
    std::lock_guard lock(mutex_);
    for (size_t i = 0; i < levels_.size(); ++i) {
        Level& l = levels_[i];
        if (!l.dirty || l.locked) continue;
        fn(int(i), l.dirtyRect, l.bits.get(), l.pitch);
        l.dirty = false;
    }
}

void TextureStaging::dropBuffers() {
    std::lock_guard lock(mutex_);
    for (Level& l : levels_) {
        if (l.locked || l.dirty) continue;
        l.bits.reset();
    }
}

bool TextureStaging::hasDirty() {
    std::lock_guard lock(mutex_);
    return std::any_of(levels_.begin(), levels_.end(), [](const Level& l) { return l.dirty; });
}

}  // namespace platform
