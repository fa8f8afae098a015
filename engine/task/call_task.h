#pragma once
// MCallTask0: a one-shot task that calls one member function of an object and
// finishes. In a serial set it marks a point of a sequence (show or hide a
// task, start a sound load) and its successor runs in the same frame.
//
// Threads: main thread, as MTask.

#include "engine/task/task.h"

template <class T>
class MCallTask0 final : public MTask {
public:
    using Method = void (T::*)();

    MCallTask0(T* target, Method method) : target_(target), method_(method) {}

    void update() override {
        (target_->*method_)();
        setState(kFinished);
    }

private:
    T* target_;
    Method method_;
};
