#include "engine/task/process.h"

void MProcess::update() {
    // Taken before the serial set runs: a frame in which the last serial
    // sub-task finishes does not step, and sub-tasks the step adds run at once.
    const bool serialEmpty = serial_.isEmpty();
    if (serialEmpty) step();
    runTask(&serial_);
    runTask(&parallel_);
}

void MProcess::draw(int pass) {
    if (!parallel_.isHidden() && parallel_.getState() != kFinished) parallel_.draw(pass);
    if (!serial_.isHidden() && serial_.getState() != kFinished) serial_.draw(pass);
}

void MProcess::step() {}
