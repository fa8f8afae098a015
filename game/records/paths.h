#pragma once
// Where the game's files are: data under the resource folder, the player's
// and operator's files ("config.txt", "save.dat", the rankings, replays)
// under the application root.
//
// Threads: main thread only.

#include <string>
#include <vector>

// The first resource folder followed directly by the name ("" when there is
// no folder, so the name stays relative to the working folder).
std::string makeResourcePath(const std::string& name);
// The application root followed directly by the name; the root ends in "/".
std::string makeAppRootPath(const std::string& name);

// The resource folders, first one first (start-up sets them; none at first).
void setResourceFolders(std::vector<std::string> folders);

// The application root: until the arcade platform gives it, a "halvir/"
// folder under the XDG data home ($XDG_DATA_HOME, else ~/.local/share),
// made on first use. Tests and start-up may set another; a root that doesn't
// end in "/" gets one.
const std::string& appRootFolder();
void setAppRootFolder(std::string folder);
