#pragma once
// MDiskApplicationDriver: the application's driver over files on disk. It
// owns the application's root task (in its parallel set) and finishes when
// the root task has; its read tasks are MDiskFileReadTasks. It owns the
// dialog factory the application hands it (may be null) and hands it out.
// It draws the task tree onto the screen through the display's device window.
//
// Threads: main thread only.

#include <memory>
#include <string>

#include "engine/task/application_driver.h"

class MDiskApplicationDriver : public MApplicationDriver {
public:
    // Takes the factory and the root task.
    MDiskApplicationDriver(std::string name, MDialogFactory* dialogs, MTask* root);
    ~MDiskApplicationDriver() override;

    void step() override;
    // Resets the render states, draws the tree to the screen (cleared to
    // opaque black) and resets them again; nothing without a device.
    void draw(int pass) override;
    MFileReadTask* createReadTask() override;
    MDialogFactory* getDialogFactory() override { return dialogs_.get(); }

    const std::string& name() const { return name_; }

private:
    std::string name_;
    std::unique_ptr<MDialogFactory> dialogs_;
};
