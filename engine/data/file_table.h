#pragma once
// The file table as a whole: the search directories (search_directories.h),
// the mounted archives (mount_table.h) and the files that keep-open reads
// left open (open_file_cache.h).
//
// Threads: main thread, once no read task is left.

// Unmounts every archive, closes the files kept open and empties the search
// directories: process entry's shutdown does it after the application task
// has gone and before the display goes, as archive documents may hold
// textures.
void releaseFileTable();
