#include "game/core/boot_loads.h"

#include <algorithm>

void BootLoads::reset() {
    for (MReadStatus& state : loadState_) state.store(0, std::memory_order_release);
    loadDone_.fill(false);
    ready_ = false;
}

void BootLoads::poll(Client& client) {
    if (ready_) return;
    if (loadState(kSoundDocument) == 0 && client.soundDocumentLoaded()) {
        loadState_[kSoundDocument].store(kReadDone, std::memory_order_release);
    }
    if (loadState(kSoundArchives) == 0 && client.soundArchivesLoaded()) {
        loadState_[kSoundArchives].store(kReadDone, std::memory_order_release);
    }
    for (int k = 0; k < kCount; ++k) {
        if (loadState(k) != kReadDone || loadDone_[k]) continue;
        client.followUp(k);
        loadDone_[k] = true;
    }
    ready_ = std::all_of(loadDone_.begin(), loadDone_.end(), [](bool done) { return done; });
}
