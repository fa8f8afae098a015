#include "engine/task/looper_hook.h"

#include <cstdlib>

#include "engine/base/debug_trace.h"
#include "engine/task/looper.h"

namespace {

// The hook's representative in its phase set: runs the hook body each frame
// while the hook is enabled.
template <class Hook, void (Hook::*Body)(), bool (Hook::*Enabled)() const>
class HookClock final : public MTask {
public:
    explicit HookClock(Hook* hook) : hook_(hook) {}
    void update() override {
        if ((hook_->*Enabled)()) (hook_->*Body)();
    }

private:
    Hook* hook_;
};

using MLooperPreLoopHookClock = HookClock<MLooperPreLoopHook, &MLooperPreLoopHook::preLoopHook,
                                          &MLooperPreLoopHook::isPreLoopHookEnabled>;
using MLooperPostLoopHookClock = HookClock<MLooperPostLoopHook, &MLooperPostLoopHook::postLoopHook,
                                           &MLooperPostLoopHook::isPostLoopHookEnabled>;
using MLooperVSyncHookClock = HookClock<MLooperVSyncHook, &MLooperVSyncHook::vsyncHook,
                                        &MLooperVSyncHook::isVSyncHookEnabled>;

MLooper& requireLooper() {
    MLooper* looper = MLooper::getInstance();
    if (!looper) {
        M_DEBUG_TRACE("a looper hook was created before the looper");
        std::abort();
    }
    return *looper;
}

// The looper deletes whatever its phase sets still hold, so a hook outliving
// it has nothing left to remove.
void leavePhase(MParallelTaskSet& (MLooper::*phase)(), MTask* clock) {
    if (MLooper* looper = MLooper::getInstance()) {
        (looper->*phase)().remove(clock);
        delete clock;
    }
}

}  // namespace

MLooperPreLoopHook::MLooperPreLoopHook() : clock_(new MLooperPreLoopHookClock(this)) {
    requireLooper().getPreLoopPhase().add(clock_);
}

MLooperPreLoopHook::~MLooperPreLoopHook() { leavePhase(&MLooper::getPreLoopPhase, clock_); }

MLooperPostLoopHook::MLooperPostLoopHook() : clock_(new MLooperPostLoopHookClock(this)) {
    requireLooper().getPostLoopPhase().add(clock_);
}

MLooperPostLoopHook::~MLooperPostLoopHook() { leavePhase(&MLooper::getPostLoopPhase, clock_); }

MLooperVSyncHook::MLooperVSyncHook(bool enabled)
    : clock_(new MLooperVSyncHookClock(this)), enabled_(enabled) {
    requireLooper().getVSyncPhase().add(clock_);
}

MLooperVSyncHook::~MLooperVSyncHook() { leavePhase(&MLooper::getVSyncPhase, clock_); }
