#pragma once
// The open-file cache: the files that keep-open reads (members of archives
// mounted to stay open) leave open for the next read of the same file, by
// full path. A reader takes a file out while it reads it, so no two readers
// ever share one.
//
// Threads: any thread; one mutex of its own, held only around a lookup or an
// insertion.

#include <string>

#include "platform/disk/disk_file.h"

// The file kept for path, taken out of the cache; kNoFile when none is.
platform::FileHandle takeCachedFile(const std::string& path);
// Keeps file for path; when a file is kept for path already, file is closed.
void keepCachedFile(const std::string& path, platform::FileHandle file);
bool isFileCached(const std::string& path);
// Closes every kept file (tests do, between cases).
void closeCachedFiles();
