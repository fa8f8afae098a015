#include "engine/data/file_table.h"

#include "engine/data/mount_table.h"
#include "engine/data/open_file_cache.h"
#include "engine/data/search_directories.h"

void releaseFileTable() {
    clearMountTable();
    closeCachedFiles();
    clearSearchDirectories();
}
