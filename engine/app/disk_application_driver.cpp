#include "engine/app/disk_application_driver.h"

#include <utility>

#include "engine/data/disk_file_read_task.h"
#include "engine/render/display.h"
#include "engine/render/win_d3d_win.h"
#include "engine/ui/dialog_factory.h"

MDiskApplicationDriver::MDiskApplicationDriver(std::string name, MDialogFactory* dialogs, MTask* root)
    : name_(std::move(name)), dialogs_(dialogs) {
    getParallelSet().add(root);
}

// The root task's dialogs may still reach the factory while the tree goes.
MDiskApplicationDriver::~MDiskApplicationDriver() { getParallelSet().clear(); }

void MDiskApplicationDriver::step() {
    if (getParallelSet().isEmpty()) setState(kFinished);
}

MFileReadTask* MDiskApplicationDriver::createReadTask() { return new MDiskFileReadTask; }

// The tree is drawn through the parallel set rather than a kept pointer to
// the root task: a root that finished this frame is already deleted when the
// loop draws.
void MDiskApplicationDriver::draw(int) {
    MDisplay* display = MDisplay::getInstance();
    MWinD3DWin* win = display ? display->d3dWin() : nullptr;
    if (!win || !win->device()) return;
    win->resetRenderStates();
    win->drawTaskToTarget(&getParallelSet(), nullptr, true, 0xFF000000);
    win->resetRenderStates();
}
