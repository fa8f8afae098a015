#include "engine/data/mount_table.h"

#include <map>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/data/file_read_request.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"

namespace {

constexpr float kArchiveVersion = 1.0f;

struct ArchiveRecord {
    std::string dataFilePath;
    std::unique_ptr<PSBObject> document;
    PSBValue fileInfo;
    std::vector<std::string> expirySuffixes;
    bool keepOpen = false;
};

// Keys in byte order, so that of two names that prefix one path the shorter
// is tried first.
std::map<std::string, std::vector<ArchiveRecord>>& table() {
    static std::map<std::string, std::vector<ArchiveRecord>> mounts;
    return mounts;
}

void traceVersion(const PSBValue& root) {
    PSBValue id, version;
    if (!root.find("id", id) || id.kind() != PSBKind::String || std::string(id.toString()) != "archive") return;
    const PSBKind k = root.find("version", version) ? version.kind() : PSBKind::None;
    const bool numeric = k == PSBKind::Bool || k == PSBKind::Int || k == PSBKind::Long || k == PSBKind::Float ||
                         k == PSBKind::Double;
    const float v = numeric ? version.toFloat() : 0.0f;
    if (v < kArchiveVersion) {
        M_DEBUG_TRACE("archive file version is too old. update bundlery, build archive file again. (ver: %.04f < %.04f)\n",
                      double(v), double(kArchiveVersion));
    } else if (v > kArchiveVersion) {
        M_DEBUG_TRACE("archive file version is too new. update vantorlib. (ver: %.04f > %.04f)\n", double(v),
                      double(kArchiveVersion));
    }
}

// The part of rest before the first of the suffixes that ends it.
std::string withoutExpirySuffix(const std::string& rest, const std::vector<std::string>& suffixes) {
    for (const std::string& suffix : suffixes) {
        if (rest.size() >= suffix.size() && rest.compare(rest.size() - suffix.size(), suffix.size(), suffix) == 0) {
            return rest.substr(0, rest.size() - suffix.size());
        }
    }
    return rest;
}

bool isInteger(const PSBValue& v) { return v.kind() == PSBKind::Int || v.kind() == PSBKind::Long; }

// A member's entry is [offset, size]; anything else is not a member.
bool memberOf(const ArchiveRecord& record, const std::string& name, uint64_t& offset, uint64_t& size) {
    PSBValue entry;
    if (!record.fileInfo.find(name, entry)) return false;
    if (entry.kind() != PSBKind::List || entry.getCount() < 2 || !isInteger(entry.at(0)) || !isInteger(entry.at(1)) ||
        entry.at(0).toLong() < 0 || entry.at(1).toLong() < 0) {
        M_DEBUG_TRACE("archive entry [%s] of [%s] is not an offset and a size.\n", name.c_str(),
                      record.dataFilePath.c_str());
        return false;
    }
    offset = uint64_t(entry.at(0).toLong());
    size = uint64_t(entry.at(1).toLong());
    return true;
}

}  // namespace

std::recursive_mutex& mountMutex() {
    static std::recursive_mutex mutex;
    return mutex;
}

void mountArchive(const std::string& mountName, const std::string& dataFilePath,
                  std::unique_ptr<PSBObject> archive, bool keepOpen) {
    const PSBValue root = archive->root();
    traceVersion(root);
    ArchiveRecord record;
    record.dataFilePath = dataFilePath;
    record.fileInfo = root.get("file_info");
    const PSBValue suffixes = root.get("expire_suffix_list");
    for (uint32_t i = 0; i < suffixes.getCount() && suffixes.kind() == PSBKind::List; ++i) {
        const PSBValue suffix = suffixes.at(i);
        if (suffix.kind() == PSBKind::String) record.expirySuffixes.emplace_back(suffix.toString());
    }
    record.keepOpen = keepOpen;
    record.document = std::move(archive);
    std::lock_guard lock(mountMutex());
    table()[mountName].push_back(std::move(record));
}

void openMountedFile(MFileReadRequest& request) {
    if (!request.logicalPath.empty()) return;
    std::lock_guard lock(mountMutex());
    request.logicalPath = request.fileToOpen;
    const std::string& path = request.logicalPath;
    for (const auto& [name, records] : table()) {
        if (name.size() >= path.size() || path.compare(0, name.size(), name) != 0) continue;
        for (const ArchiveRecord& record : records) {
            const std::string member = withoutExpirySuffix(path.substr(name.size()), record.expirySuffixes);
            uint64_t offset = 0, size = 0;
            if (!memberOf(record, member, offset, size)) continue;
            request.fileToOpen = record.dataFilePath;
            request.mountName = name;
            request.offset += offset;
            if (request.size == kReadWholeFile) request.size = size;
            request.keepOpen = record.keepOpen;
            return;
        }
    }
}

void clearMountTable() {
    std::lock_guard lock(mountMutex());
    table().clear();
}
