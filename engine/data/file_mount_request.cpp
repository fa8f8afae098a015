#include "engine/data/file_mount_request.h"

#include "engine/task/application_driver.h"
#include "engine/base/debug_trace.h"
#include "engine/data/disk_file_read_task.h"
#include "engine/data/mount_table.h"
#include "engine/data/psb_object.h"

namespace {

std::vector<std::unique_ptr<MPendingMount>>& pending() {
    static std::vector<std::unique_ptr<MPendingMount>> list;
    return list;
}

int32_t liveRequests = 0;

MFileReadTask* newReadTask() {
    MApplicationDriver* driver = MApplicationDriver::getInstance();
    return driver ? driver->createReadTask() : new MDiskFileReadTask;
}

}  // namespace

void addPendingMount(std::string mountName, std::string documentPath, std::string dataFilePath, bool keepOpen) {
    auto entry = std::make_unique<MPendingMount>();
    entry->mountName = std::move(mountName);
    entry->documentPath = std::move(documentPath);
    entry->dataFilePath = std::move(dataFilePath);
    entry->keepOpen = keepOpen;
    std::lock_guard lock(mountMutex());
    pending().push_back(std::move(entry));
}

bool holdReadsForMounts(MProcess& readTask) {
    std::lock_guard lock(mountMutex());
    if (liveRequests > 0) return true;
    if (pending().empty()) return false;
    readTask.getSerialSet().add(new MFileMountRequest);
    return true;
}

int32_t liveMountRequests() {
    std::lock_guard lock(mountMutex());
    return liveRequests;
}

MFileMountRequest::MFileMountRequest() {
    std::lock_guard lock(mountMutex());
    ++liveRequests;
}

MFileMountRequest::~MFileMountRequest() {
    // The read task goes first: its run may still be filling the entries.
    getSerialSet().clear();
    for (const auto& entry : entries_) delete entry->document;
    std::lock_guard lock(mountMutex());
    --liveRequests;
}

void MFileMountRequest::step() {
    if (state_ == 0) {
        startReading();
    } else {
        mountAll();
    }
}

void MFileMountRequest::startReading() {
    {
        std::lock_guard lock(mountMutex());
        entries_.swap(pending());
    }
    if (entries_.empty()) {
        setState(kFinished);
        return;
    }
    state_ = 1;
    MFileReadTask* reader = newReadTask();
    reader->setMountRead(true);
    // Each archive reports through its own status word, so one that can't
    // be read fails only its own entry, never the whole read task.
    for (const auto& entry : entries_) reader->request(entry->documentPath, &entry->document, &entry->status, true);
    getSerialSet().add(reader);
}

void MFileMountRequest::mountAll() {
    for (const auto& entry : entries_) {
        const int32_t status = entry->status.load(std::memory_order_acquire);
        if (status == kReadDone && entry->document) {
            mountArchive(entry->mountName, entry->dataFilePath, std::unique_ptr<PSBObject>(entry->document),
                         entry->keepOpen);
            entry->document = nullptr;
        } else {
            M_DEBUG_TRACE("cannot read archive [%s] (status %d); nothing is mounted under [%s] from it.\n",
                          entry->documentPath.c_str(), int(status), entry->mountName.c_str());
        }
    }
    setState(kFinished);
}
