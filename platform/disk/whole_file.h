#pragma once
// Files read and written whole, as a careful program keeps its user's
// records: a read tells a file that isn't there from one that is there but
// can't be read; a write goes to a file beside the target, reaches the
// device, and only then takes the target's name, so after a crash or a power
// cut the name holds the old bytes or the new ones, never a mix or nothing.
//
// Threads: any; nothing is shared.

#include <cstddef>
#include <string>

namespace platform {

enum class WholeReadStatus {
    Read,
    Missing,  // nothing of that name (ENOENT)
    Failed,   // something is there but its bytes can't be had
};

struct WholeRead {
    WholeReadStatus status = WholeReadStatus::Failed;
    int error = 0;  // the errno of a failure; EISDIR when a folder stands in the file's place
};

// Reads the whole regular file into bytes.
WholeRead readWholeFile(const std::string& path, std::string& bytes);

enum class ReplaceStep {
    Done,
    Create,  // the file beside the target could not be made
    Write,   // writing or syncing it failed; it is removed again
    Rename,  // it could not take the target's name; it is removed again
};

struct ReplaceResult {
    ReplaceStep failedAt = ReplaceStep::Done;
    int error = 0;
    bool folderSynced = true;  // the rename reached the device too
    bool ok() const { return failedAt == ReplaceStep::Done; }
};

// Writes size bytes to "<path>.tmp" with the old file's permissions, syncs
// it, renames it over path and syncs the folder.
ReplaceResult replaceFileWhole(const std::string& path, const void* bytes, size_t size);

// Syncs the folder that holds path, so a name made or changed there
// survives a power cut; false with errno set when it can't.
bool syncFolderOf(const std::string& path);

}  // namespace platform
