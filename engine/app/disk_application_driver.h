#pragma once
// MDiskApplicationDriver: the application's driver over files on disk. It
// owns the application's root task (in its parallel set) and finishes when
// the root task has; its read tasks are MDiskFileReadTasks.
//
// Threads: main thread only.

#include <string>

#include "engine/app/application_driver.h"

class MDiskApplicationDriver : public MApplicationDriver {
public:
    MDiskApplicationDriver(std::string name, MTask* root);

    void step() override;
    MFileReadTask* createReadTask() override;

    const std::string& name() const { return name_; }

private:
    std::string name_;
};
