#pragma once
// Test tasks that write what happens to them into a shared log.

#include <functional>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "engine/task/task.h"

class TaskLog {
public:
    void add(std::string entry) {
        std::lock_guard lock(mutex_);
        entries_.push_back(std::move(entry));
    }
    std::vector<std::string> take() {
        std::lock_guard lock(mutex_);
        return std::exchange(entries_, {});
    }

private:
    std::mutex mutex_;
    std::vector<std::string> entries_;
};

// Logs "u:name" on update, "d:name" on draw and "~name" when deleted; its
// update then does whatever onUpdate says.
class LogTask : public MTask {
public:
    LogTask(TaskLog& log, std::string name, std::function<void(LogTask&)> onUpdate = {})
        : log_(log), name_(std::move(name)), onUpdate_(std::move(onUpdate)) {}
    ~LogTask() override { log_.add("~" + name_); }

    void update() override {
        log_.add("u:" + name_);
        if (onUpdate_) onUpdate_(*this);
    }
    void draw(int pass) override {
        log_.add("d:" + name_ + (pass ? "@" + std::to_string(pass) : ""));
    }

private:
    TaskLog& log_;
    std::string name_;
    std::function<void(LogTask&)> onUpdate_;
};

inline void finish(LogTask& task) { task.setState(MTask::kFinished); }
