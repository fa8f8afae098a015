#pragma once
// Where a requested file is looked for on disk, in the order to try.
//
// Every request path is relative to the search directories, tried from the
// last to the first (so later directories override the primary one), empty
// directory texts skipped. A path that begins with '/' is relative as well:
// the sound loader names a document's archives "/label.psb" when the document
// has no directory of its own, and means the search directories. Directory
// and path are joined with exactly one '/' between them, whether the
// directory ends in one or not. Only after every search directory a path
// beginning with '/' is tried as it is, so an absolute path on disk is still
// found when no search directory holds a file of that name.
//
// Threads: reads the search directories, which are fixed after start-up.

#include <string>
#include <string_view>
#include <vector>

std::string joinSearchPath(std::string_view directory, std::string_view path);

std::vector<std::string> searchCandidates(std::string_view path);
