#pragma once
// The boot resources the root task waits for: the three fonts (0..2), the
// sound document (3) and the five sound archives (4). A load state becomes 1
// when its resource has loaded: the font reads write theirs from a
// background thread; the sound states are found by asking the sound system
// each frame. Each loaded resource's follow-up runs once, on the main
// thread; the resources are ready once all five follow-ups have run.
//
// Threads: loadState may be written by any thread (atomics, release);
// everything else on the main thread.

#include <array>
#include <cstdint>

#include "engine/data/file_read_request.h"

class BootLoads {
public:
    static constexpr int kFonts = 3;
    static constexpr int kSoundDocument = 3;
    static constexpr int kSoundArchives = 4;
    static constexpr int kCount = 5;

    // What the sound system says and what each follow-up does.
    struct Client {
        virtual ~Client() = default;
        virtual bool soundDocumentLoaded() = 0;
        virtual bool soundArchivesLoaded() = 0;
        // Index 0..2: make font k; 3: ask for the sound archives; 4: nothing.
        virtual void followUp(int index) = 0;
    };

    // Back to nothing loaded.
    void reset();
    // Once a frame until ready: the sound states, then the follow-ups.
    void poll(Client& client);
    bool ready() const { return ready_; }
    // Where a font read writes its status (1 done; 2 and 4 failed).
    MReadStatus& fontStatus(int font) { return loadState_[font]; }
    int32_t loadState(int index) const { return loadState_[index].load(std::memory_order_acquire); }

private:
    std::array<MReadStatus, kCount> loadState_{};
    std::array<bool, kCount> loadDone_{};
    bool ready_ = false;
};
