#pragma once
// The root task's cache of loaded PSB documents, keyed by the short name of
// the file: the path without its last extension and its folders
// ("resource/font/font16.psb.m" is "font16.psb"). A file is read once a
// run; a second path with the same short name shares the first one's entry.
//
// Threads: main thread only.

#include <map>
#include <string>

class PSBObject;

using PsbCache = std::map<std::string, PSBObject*, std::less<>>;

// The one cache (the root task empties it at the end without deleting).
PsbCache& psbCache();
std::string psbCacheKey(const std::string& path);

// Reads the file into the cache unless its key is there; a file that can't
// be read is logged and adds nothing.
void loadPSBObject(const std::string& path);
// The cached document, or null (logged).
PSBObject* getPSBObject(const std::string& key);
// Removes the key's entry and deletes its document, unless psbDocumentKept
// says the document is still in use (its user then deletes it); nothing if
// the key is absent.
void releasePSBObject(const std::string& key);
// Installed by the owner of the motion slots: true when slots still play the
// document and take it over.
extern bool (*psbDocumentKept)(PSBObject* document);
// Loads the file at the resource path of the name.
void SDL2_wheel_PsbLoad(const char* name);
