#pragma once
// Pending mounts and MFileMountRequest, the task that mounts them. Archives
// to mount are placed on the pending list; the next read task to dispatch
// makes a mount request and waits, as every read task does while a mount
// request lives, so that all pending archives are mounted before the next
// ordinary file is read. The request reads every pending archive document
// through a read task of its own and mounts each one that was read; an
// archive that can't be read or decoded is traced and mounted nowhere, and
// reading goes on without it.
//
// Threads: addPendingMount may be called from any thread; the mount mutex
// (mount_table.h) guards the pending list and the count of live requests.
// The request runs on the main loop like every task.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/file_read_request.h"
#include "engine/task/process.h"

// One archive to mount: its mount name, the path of its archive document (a
// data container), the path of its data file, and whether that file stays
// open between member reads.
struct MPendingMount {
    std::string mountName;
    std::string documentPath;
    std::string dataFilePath;
    bool keepOpen = false;
    PSBObject* document = nullptr;  // filled by the read
    MReadStatus status{kReadQueued};
};

void addPendingMount(std::string mountName, std::string documentPath, std::string dataFilePath, bool keepOpen);

// A read task's check before it dispatches: true while it must wait for
// mounts, having started a mount request in its serial set when archives
// are pending and none is running yet.
bool holdReadsForMounts(MProcess& readTask);

// The live mount requests.
int32_t liveMountRequests();

class MFileMountRequest : public MProcess {
public:
    // Counted among the live requests until destroyed.
    MFileMountRequest();
    ~MFileMountRequest() override;

    void step() override;

private:
    void startReading();
    void mountAll();

    uint32_t state_ = 0;  // 0 not started, 1 mounting
    std::vector<std::unique_ptr<MPendingMount>> entries_;
};
