#pragma once
// MDiskApplicationDriver: the application's driver over files on disk. It
// owns the application's root task (in its parallel set) and finishes when
// the root task has; its read tasks are MDiskFileReadTasks. It draws the
// task tree onto the screen through the display's device window.
//
// Threads: main thread only.

#include <string>

#include "engine/task/application_driver.h"

class MDiskApplicationDriver : public MApplicationDriver {
public:
    MDiskApplicationDriver(std::string name, MTask* root);
    // The dialog factory is the caller's and must outlive the driver.
    MDiskApplicationDriver(std::string name, MDialogFactory* dialogFactory, MTask* root);

    void step() override;
    // Resets the render states, draws the tree to the screen (cleared to
    // opaque black) and resets them again; nothing without a device.
    void draw(int pass) override;
    MFileReadTask* createReadTask() override;
    MDialogFactory* getDialogFactory() override { return dialogFactory_; }

    const std::string& name() const { return name_; }

private:
    std::string name_;
    MDialogFactory* dialogFactory_ = nullptr;
};
