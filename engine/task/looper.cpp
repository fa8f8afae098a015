#include "engine/task/looper.h"

#include <algorithm>

#include "engine/task/worker_pool.h"
#include "platform/clock/clock.h"

namespace {
MLooper* looper = nullptr;
}

MLooper::MLooper() {
    vsyncPhase_.enableMutex();
    preLoopPhase_.enableMutex();
    generalPhase_.enableMutex();
    postLoopPhase_.enableMutex();
    looper = this;
    previousMilliseconds_ = platform::currentClock().milliseconds();
}

MLooper::~MLooper() {
    if (looper == this) looper = nullptr;
}

MLooper* MLooper::getInstance() { return looper; }

int MLooper::run(MTask* app) {
    app_ = app;
    for (;;) {
        runTask(&preLoopPhase_);
        if (app) runTask(app);
        MWorkerPool& pool = getWorkerPool();
        pool.runJobs();
        pool.runDeferredCalls();
        runTask(&generalPhase_);
        if (app && !app->isHidden() && app->getState() != MTask::kFinished) app->draw(0);
        runTask(&postLoopPhase_);
        if (app && app->getState() == MTask::kFinished) {
            if (app_ == app) app_ = nullptr;
            delete app;
            app = nullptr;
        }
        frameStep();
        ++frameCounter_;
        time_ += floatStep_;
        runTask(&vsyncPhase_);
        {
            std::lock_guard lock(looperMutex_);
            runTask(&endOfFrameSet_);
        }
        if (!app_ || app_->getState() != MTask::kRunning) return exitCode_;
    }
}

void MLooper::frameStep() {
    // While suspended or while the device is lost no frame runs: keep pumping,
    // presenting (which is where a lost device is reset) and sleeping.
    for (;;) {
        if (host_) {
            host_->pumpMessages();
            if (!isSuspended() || isClosing() || isTerminated()) host_->presentFrame();
        }
        const bool deviceLost = device_ && device_->isDeviceLost();
        if (!isSuspended() && !deviceLost) {
            measureElapsedFrames();
            break;
        }
        if (isClosing() || isTerminated()) break;
        platform::currentClock().sleep(16);
        if (host_) host_->dispatchAppEvents();
    }
    if (!host_) return;
    if (isTerminated() && app_) app_->setState(MTask::kFinished);
    if (isClosing()) host_->turnClosingIntoQuitRequest();
    host_->dispatchAppEvents();
}

void MLooper::measureElapsedFrames() {
    const uint32_t now = platform::currentClock().milliseconds();
    // Unsigned, so a wrap of the millisecond counter is harmless.
    const uint32_t elapsed = now - previousMilliseconds_;
    previousMilliseconds_ = now;
    const float step = float(elapsed) * 60.0f / 1000.0f + carry_;
    const int frames = std::max(1, int(step + 0.5f));
    floatStep_ = float(frames);
    // A run of fast frames may owe at most two frames to later ones.
    carry_ = std::max(step - float(frames), -2.0f);
}

float MLooper::getFrameDelta() const {
    if (variableStep_) return std::max(floatStep_, 1.0f);
    return float(integerStep_);
}

bool MLooper::isSuspended() const { return host_ && host_->isAppSuspended(); }

bool MLooper::isClosing() const { return host_ && host_->isAppClosing(); }

bool MLooper::isTerminated() const { return host_ && host_->isAppTerminated(); }
