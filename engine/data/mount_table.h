#pragma once
// The mount table: archives mounted under a name. A request path that begins
// with a mount's name (and is longer than it) is looked up, without the name,
// in the archives mounted under it, and read as a slice of the archive's data
// file. Archives stay mounted for the rest of the process; the table owns
// their documents.
//
// Threads: the mount mutex (mountMutex) guards the table, the pending mounts
// and the count of live mount requests (file_mount_request.h). It is
// recursive, so a holder may call the functions here, which take it too.
// mountArchive runs on the main loop, openMountedFile on the read tasks'
// completion runs, on background threads.

#include <memory>
#include <mutex>
#include <string>

class PSBObject;
struct MFileReadRequest;

std::recursive_mutex& mountMutex();

// Mounts the archive document under mountName, its members read from the
// file dataFilePath; keepOpen keeps that file open between member reads. An
// archive document without "file_info" or "expire_suffix_list" is the PSB
// reader's fatal error. A version other than 1.0 is traced, and mounted all
// the same.
void mountArchive(const std::string& mountName, const std::string& dataFilePath,
                  std::unique_ptr<PSBObject> archive, bool keepOpen);

// Resolves a request whose logical path is still empty: the logical path
// becomes its file path and, when a mounted archive holds the file, the
// request reads the archive's data file at the member's offset (added to its
// own), for the member's size (unless it has a size of its own), kept open
// as the archive says. Otherwise the request is left to the search
// directories.
void openMountedFile(MFileReadRequest& request);

// Unmounts everything and frees the archive documents, for a start-up run
// again (tests do).
void clearMountTable();
