#pragma once
// The search directories of the file table: the disk folders a file is looked
// for in, tried from the last to the first. Each text carries its own trailing
// '/', as a request path is appended to it directly.
//
// Threads: written on the main thread during start-up only; read afterwards,
// from any thread, without a lock.

#include <string>
#include <vector>

// The first (primary) directory: appended to an empty list, else replaces the
// first entry.
void setPrimarySearchDirectory(const std::string& directory);

// Appends the directory unless an equal text is already listed.
void addSearchDirectory(const std::string& directory);

const std::vector<std::string>& searchDirectories();

// Empties the list, for a start-up run again (tests do).
void clearSearchDirectories();
