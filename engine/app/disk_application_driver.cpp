#include "engine/app/disk_application_driver.h"

#include <utility>

#include "engine/data/disk_file_read_task.h"

MDiskApplicationDriver::MDiskApplicationDriver(std::string name, MTask* root) : name_(std::move(name)) {
    getParallelSet().add(root);
}

void MDiskApplicationDriver::step() {
    if (getParallelSet().isEmpty()) setState(kFinished);
}

MFileReadTask* MDiskApplicationDriver::createReadTask() { return new MDiskFileReadTask; }
