#pragma once
// MLooper: the engine's one main loop. Each turn is one frame: the pre-loop
// phase, the application task, the worker step, the deferred calls, the
// general phase, the application task's draw, the post-loop phase, the frame
// step (window messages, present, elapsed time in whole 60 Hz frames), the
// vsync phase and the end-of-frame set. run returns once the application task
// has stopped running.
//
// One looper per process, reached through getInstance; hooks
// (looper_hook.h) register in its phase sets and must be destroyed before it.
//
// Threads: construction, run, frameStep, the phases, the deferred calls and
// every getter and setter belong to the main thread. The four phase sets have
// their mutexes enabled, so hooks may be added and removed from any thread;
// the end-of-frame set is run under the looper mutex.

#include <cstdint>
#include <mutex>

#include "engine/task/frame_host.h"
#include "engine/task/task_set.h"

class MLooper {
public:
    MLooper();
    ~MLooper();
    MLooper(const MLooper&) = delete;
    MLooper& operator=(const MLooper&) = delete;

    // The live looper, or null.
    static MLooper* getInstance();

    // Runs frames with app as the application task until it is no longer
    // running; answers the exit code. A finished app is deleted by the loop;
    // one that the frame step ends (window closed) stays for the caller.
    int run(MTask* app);
    // The step between frames.
    void frameStep();

    // How far time-based code advances per loop turn, in frames.
    float getFrameDelta() const;

    int32_t getIntegerStep() const { return integerStep_; }
    void setIntegerStep(int32_t step) { integerStep_ = step; }
    bool isVariableStep() const { return variableStep_ != 0; }
    void setVariableStep(bool variable) { variableStep_ = variable ? 1 : 0; }
    uint32_t getFrameCounter() const { return frameCounter_; }
    double getTime() const { return time_; }
    // Whole 60 Hz frames the last frame took, at least 1.
    float getFloatStep() const { return floatStep_; }
    int32_t getExitCode() const { return exitCode_; }
    void setExitCode(int32_t code) { exitCode_ = code; }
    MTask* getApplicationTask() const { return app_; }
    void clearApplicationTask() { app_ = nullptr; }

    MParallelTaskSet& getVSyncPhase() { return vsyncPhase_; }
    MParallelTaskSet& getPreLoopPhase() { return preLoopPhase_; }
    MParallelTaskSet& getGeneralPhase() { return generalPhase_; }
    MParallelTaskSet& getPostLoopPhase() { return postLoopPhase_; }
    // Add to it on the main thread only.
    MParallelTaskSet& getEndOfFrameSet() { return endOfFrameSet_; }

    // The window shell installs itself when the application object exists
    // (and clears its application events then); null means no window.
    void setFrameHost(MFrameHost* host) { host_ = host; }
    MFrameHost* getFrameHost() const { return host_; }
    // The display device; null means none (never lost).
    void setFrameDevice(MFrameDevice* device) { device_ = device; }
    MFrameDevice* getFrameDevice() const { return device_; }

private:
    void measureElapsedFrames();
    bool isSuspended() const;
    bool isClosing() const;
    bool isTerminated() const;

    int32_t integerStep_ = 1;
    uint32_t frameCounter_ = 0;
    double time_ = 0.0;
    float floatStep_ = 0.0f;
    uint8_t variableStep_ = 0;
    int32_t exitCode_ = 0;
    // Destroyed from last to first, as the loop's shutdown expects.
    MParallelTaskSet vsyncPhase_;
    MParallelTaskSet preLoopPhase_;
    MParallelTaskSet generalPhase_;
    MParallelTaskSet postLoopPhase_;
    MParallelTaskSet endOfFrameSet_;
    std::recursive_mutex looperMutex_;
    MTask* app_ = nullptr;

    MFrameHost* host_ = nullptr;
    MFrameDevice* device_ = nullptr;
    // The millisecond counter at the previous frame step, and the fraction of
    // a frame carried to the next measurement.
    uint32_t previousMilliseconds_ = 0;
    float carry_ = 0.0f;
};
