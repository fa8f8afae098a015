#include "engine/render/shared_texture_table.h"

#include <algorithm>
#include <mutex>
#include <vector>

#include "engine/base/global_mutex.h"
#include "engine/render/win_d3d_win.h"

namespace {

struct Entry {
    MSharedTexture shared;
    const PSBObject* document;
    const uint8_t* image;
    int32_t count;
};

std::vector<Entry>& table() {
    static std::vector<Entry> entries;
    return entries;
}

std::vector<Entry>::iterator entryOf(const MWinD3DTexture* texture) {
    return std::find_if(table().begin(), table().end(),
                        [texture](const Entry& e) { return e.shared.texture == texture; });
}

}  // namespace

MSharedTexture acquireSharedTexture(const PSBObject* document, const uint8_t* image) {
    std::lock_guard lock(engineGlobalMutex());
    for (Entry& e : table()) {
        if (e.document == document && e.image == image) {
            ++e.count;
            return e.shared;
        }
    }
    return {};
}

void addSharedTexture(const MSharedTexture& shared, const PSBObject* document, const uint8_t* image) {
    std::lock_guard lock(engineGlobalMutex());
    std::vector<Entry>& entries = table();
    if (entries.size() == entries.capacity()) entries.reserve(entries.capacity() + entries.capacity() / 2 + 1);
    entries.push_back({shared, document, image, 1});
}

void releaseSharedTexture(MWinD3DTexture* texture) {
    if (!texture) return;
    MWinD3DWin* window = nullptr;
    {
        std::lock_guard lock(engineGlobalMutex());
        const auto it = entryOf(texture);
        if (it == table().end() || --it->count > 0) return;
        window = it->shared.window;
        table().erase(it);
    }
    // Out of the table, the texture is this caller's alone: the window's own
    // lock is not taken inside the global one.
    if (window) window->releaseTexture(texture);
}

int32_t sharedTextureReferences(const MWinD3DTexture* texture) {
    std::lock_guard lock(engineGlobalMutex());
    const auto it = entryOf(texture);
    return it == table().end() ? 0 : it->count;
}

size_t sharedTextureEntryCount() {
    std::lock_guard lock(engineGlobalMutex());
    return table().size();
}
