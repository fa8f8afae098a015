#pragma once
// MApplicationDriver: the process that drives the application as the
// looper's application task. The driver for files on disk implements it: it
// makes the file read tasks and hands out the dialog factory.
//
// One driver per process: the one made last is reached through getInstance.
//
// Threads: main thread only, like every task.

#include "engine/task/process.h"

class MFileReadTask;
class MDialogFactory;

class MApplicationDriver : public MProcess {
public:
    // Publishes the driver.
    MApplicationDriver();
    ~MApplicationDriver() override;

    // The live driver, or null.
    static MApplicationDriver* getInstance();

    // A new read task, for the caller to add to one of its own task sets.
    virtual MFileReadTask* createReadTask() = 0;
    // The common dialogs' factory; none unless the driver has one.
    virtual MDialogFactory* getDialogFactory() { return nullptr; }
};
