#pragma once
// Tasks a caller runs in its own task tree to load sounds and wait for them:
// the first update asks MSound, the later ones finish the task once the
// document (or archive) is loaded, or can't be.
//
// Threads: main thread, as MTask.

#include <string>

#include "engine/task/task.h"

class MSoundLoadTask final : public MTask {
public:
    explicit MSoundLoadTask(std::string name) : name_(std::move(name)) {}
    void update() override;

private:
    std::string name_;
    bool asked_ = false;
};

class MSoundLoadArchiveTask final : public MTask {
public:
    explicit MSoundLoadArchiveTask(std::string label) : label_(std::move(label)) {}
    void update() override;

private:
    std::string label_;
    bool asked_ = false;
};
