#include "engine/task/application_driver.h"

namespace {
MApplicationDriver* driver = nullptr;
}

MApplicationDriver::MApplicationDriver() { driver = this; }

MApplicationDriver::~MApplicationDriver() {
    if (driver == this) driver = nullptr;
}

MApplicationDriver* MApplicationDriver::getInstance() { return driver; }
