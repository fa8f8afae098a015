// The PSB cache.
#include "game/core/psb_cache.h"

#include <cstdio>
#include <cstdlib>

#include "engine/data/psb_object.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"

bool (*psbDocumentKept)(PSBObject* document) = nullptr;

PsbCache& psbCache() {
    static PsbCache cache;
    return cache;
}

std::string psbCacheKey(const std::string& path) {
    std::string key = path.substr(0, path.rfind('.'));
    const size_t slash = key.rfind('/');
    return slash == std::string::npos ? key : key.substr(slash + 1);
}

void loadPSBObject(const std::string& path) {
    std::string key = psbCacheKey(path);
    if (psbCache().count(key)) return;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) {
        SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", path.c_str());
        return;
    }
    std::fclose(file);
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(path.c_str(), &size);
    if (!bytes) return;
    psbCache().emplace(std::move(key), new PSBObject(bytes, size_t(size)));
}

PSBObject* getPSBObject(const std::string& key) {
    const auto found = psbCache().find(key);
    if (found != psbCache().end()) return found->second;
    SDL2_wheel_Log("getPSBObject 指定されたファイルが無い %s", key.c_str());
    return nullptr;
}

void releasePSBObject(const std::string& key) {
    const auto found = psbCache().find(key);
    if (found == psbCache().end()) return;
    PSBObject* document = found->second;
    psbCache().erase(found);
    // A motion slot still playing the document reads it until the slot goes.
    if (!psbDocumentKept || !psbDocumentKept(document)) delete document;
}

void SDL2_wheel_PsbLoad(const char* name) { loadPSBObject(makeResourcePath(name)); }
