#include "engine/input/pad_poll_thread.h"

#include <chrono>

MPadPollThread::MPadPollThread(platform::InputBackend& backend, std::mutex& padsLock,
                               uint32_t& connectedMask)
    : backend_(backend), padsLock_(padsLock), connectedMask_(connectedMask),
      thread_([this] { run(); }) {}

MPadPollThread::~MPadPollThread() { stop(); }

void MPadPollThread::stop() {
    {
        std::lock_guard lock(stopLock_);
        stopSignalled_ = true;
    }
    stopChanged_.notify_all();
    if (thread_.joinable()) thread_.join();
}

bool MPadPollThread::stopSignalled() {
    std::lock_guard lock(stopLock_);
    return stopSignalled_;
}

bool MPadPollThread::waitForStop() {
    std::unique_lock lock(stopLock_);
    return stopChanged_.wait_for(lock, std::chrono::milliseconds(kIntervalMs),
                                 [this] { return stopSignalled_; });
}

void MPadPollThread::run() {
    for (;;) {
        for (int user = 0; user < platform::kXPadUsers; ++user) {
            if (stopSignalled()) return;
            const bool connected = backend_.xpadConnected(user);
            std::lock_guard lock(padsLock_);
            if (connected) {
                connectedMask_ |= 1u << user;
            } else {
                connectedMask_ &= ~(1u << user);
            }
        }
        if (waitForStop()) return;
    }
}
