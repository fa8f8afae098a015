// A test program: the engine's own main with this AppMain in place of the
// game's. It prints the arguments it was given, then reads the files its
// arguments name through the application driver's read task inside the main
// loop, prints each one's status and "value", and returns 7.
//
// An argument "PATH+" asks for PATH as a data container (deciphered with the
// game's key and inflated); "PATH" for a plain document. Arguments that begin
// with '-' are only printed.
#include <dlfcn.h>

#include <cstdio>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/app/app_main.h"
#include "engine/app/disk_application_driver.h"
#include "engine/base/win_app_settings.h"
#include "engine/data/data_file_key.h"
#include "engine/data/file_read_task.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "engine/task/looper.h"
#include "engine/ui/dialog_factory.h"

namespace {

struct Read {
    Read(std::string path, bool decode) : path(std::move(path)), decode(decode) {}

    std::string path;
    bool decode;
    PSBObject* doc = nullptr;
    MReadStatus status{-1};
};

// Queues every read on one read task and finishes once that task has.
class ReadingRoot : public MProcess {
public:
    explicit ReadingRoot(std::vector<std::unique_ptr<Read>>& reads) : reads_(reads) {}

    void step() override {
        if (queued_) {
            setState(kFinished);
            return;
        }
        MFileReadTask* task = MApplicationDriver::getInstance()->createReadTask();
        for (auto& read : reads_) task->request(read->path, &read->doc, &read->status, read->decode);
        getSerialSet().add(task);
        queued_ = true;
    }

private:
    std::vector<std::unique_ptr<Read>>& reads_;
    bool queued_ = false;
};

// As the test main does: SDL's offscreen window loads Mesa through EGL and
// unloads it again before the leak check, which could then not name the
// allocations Mesa keeps.
void keepMesaLoaded() {
    for (const char* library : {"libEGL.so.1", "libEGL_mesa.so.0", "libGLX_mesa.so.0", "libGLdispatch.so.0",
                                "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so"}) {
        dlopen(library, RTLD_NOW | RTLD_NODELETE);
    }
}

}  // namespace

int AppMain(int argc, char** argv) {
    keepMesaLoaded();
    std::vector<std::unique_ptr<Read>> reads;
    const MWinAppSettings& settings = winAppSettings();
    std::printf("window %d %d, depth stencil %d\n", settings.windowWidth, settings.windowHeight,
                int(settings.useDepthStencil));
    std::printf("argc %d\n", argc);
    for (int i = 0; i < argc; ++i) {
        std::printf("arg %s\n", argv[i]);
        std::string path = argv[i];
        if (i == 0 || path.starts_with('-')) continue;
        const bool decode = path.ends_with('+');
        if (decode) path.pop_back();
        reads.push_back(std::make_unique<Read>(path, decode));
    }
    dataFileKey = "Kw7#pQz1!";
    dataFileKeyMode = 97;
    MLooper::getInstance()->setIntegerStep(1);
    MLooper::getInstance()->setVariableStep(false);
    MLooper::getInstance()->run(new MDiskApplicationDriver("entry test", new MCommonDialogFactory, new ReadingRoot(reads)));
    for (const auto& read : reads) {
        const int value = read->doc ? read->doc->root()["value"].toInt() : -1;
        std::printf("read %s %d %d\n", read->path.c_str(), read->status.load(), value);
        delete read->doc;
    }
    return 7;
}
