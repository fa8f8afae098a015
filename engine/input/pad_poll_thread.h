#pragma once
// MPadPollThread: asks every 16 ms which XInput users answer and keeps the
// connected mask, so the main thread never waits on a pad that is gone. It
// ends when its stop event is signalled; stop() signals and joins.
//
// Threads: the thread itself calls only InputBackend::xpadConnected and
// writes the mask under padsLock; the main thread reads the mask under the
// same lock. Construction and stop() belong to the main thread.

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "platform/input/input_backend.h"

class MPadPollThread {
public:
    static constexpr int kIntervalMs = 16;

    MPadPollThread(platform::InputBackend& backend, std::mutex& padsLock, uint32_t& connectedMask);
    ~MPadPollThread();
    MPadPollThread(const MPadPollThread&) = delete;
    MPadPollThread& operator=(const MPadPollThread&) = delete;

    void stop();

private:
    void run();
    bool stopSignalled();
    bool waitForStop();

    platform::InputBackend& backend_;
    std::mutex& padsLock_;
    uint32_t& connectedMask_;

    std::mutex stopLock_;
    std::condition_variable stopChanged_;
    bool stopSignalled_ = false;
    std::thread thread_;
};
