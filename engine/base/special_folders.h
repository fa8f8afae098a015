#pragma once
// Path tokens in configured paths, joining paths and making directories.
// Paths are UTF-8 and use '/'.
//
// Threads: main thread, during start-up (the tokens read the live settings).

#include <string>
#include <string_view>

// Expands, in three passes: "%NAME%" environment variables; "<<CurrentDir>>"
// and "<<ExeFileDir>>" (the start and executable directories of the live
// settings); the known folders such as "<LocalAppData>" (known_folders.h).
// Each replacement loses one trailing '/' or '\'. The first token that cannot
// be replaced, or an opening delimiter without its closing one, ends the whole
// expansion: the rest is kept as it is and the later passes do not run.
std::string expandSpecialFolders(std::string_view path);

// directory + '/' (unless it ends in one) + name.
std::string joinPath(std::string_view directory, std::string_view name);

// Creates the directory with every missing parent; true when it is there
// afterwards as a directory.
bool ensureDirectory(std::string_view path);
