// libFuzzer target: the disk read pipeline over damaged data files. The
// first byte chooses:
// - even: the rest is a data container, read as a document: deciphered with
//   the game's key, inflated, loaded and its textures built;
// - odd: the rest is an archive document, mounted over a fixed data file
//   (container_fuzz_data.h), each of whose members (up to eight, with and
//   without an expiry suffix) is read at its offset and size, as a decoded
//   document and as plain bytes; bit 1 keeps the data file open.
// Each read runs on a read task of its own, synchronously. A damaged file
// must end in a failed status or the PSB reader's fatal message (thrown
// here so the run goes on), never a read outside a buffer, and a member
// must never make the reader allocate more than its data file holds.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/debug_trace.h"
#include "engine/data/data_file_key.h"
#include "engine/data/disk_file_read_task.h"
#include "engine/data/mount_table.h"
#include "engine/data/open_file_cache.h"
#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/data/psb_value.h"
#include "engine/data/search_directories.h"
#include "tests/engine/data/container_fuzz_data.h"
#include "tests/support/fuzz_folder.h"

namespace {

struct ContainerFuzzFatal {};

void throwContainerFuzzFatal(const char*) { throw ContainerFuzzFatal{}; }

constexpr uint32_t kContainerFuzzMembers = 8;
constexpr int kContainerFuzzSteps = 16;

void writeFuzzFile(const std::string& path, const uint8_t* data, size_t size) {
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data),
                                                                  std::streamsize(size));
}

const std::string& containerFuzzRoot() {
    static const std::string root = [] {
        const std::string folder = fuzzFolder("halvir_container_fuzz").root();
        std::vector<containerfuzz::Member> members;
        const std::vector<uint8_t> data = containerfuzz::dataFile(members);
        writeFuzzFile(folder + containerfuzz::kDataFile, data.data(), data.size());
        setPSBFatalHandler(throwContainerFuzzFatal);
        setDebugTraceSink([](std::string_view) {});
        dataFileKey = psbwriter::kGameDataKey;
        dataFileKeyMode = psbwriter::kGameKeyStreamLength;
        clearSearchDirectories();
        setPrimarySearchDirectory(folder);
        return folder;
    }();
    return root;
}

// One read on a task of its own; the result's status must be a final one.
void readOnce(const std::string& path, bool document, bool decode) {
    auto task = std::make_unique<MDiskFileReadTask>();
    task->setSynchronous(true);
    PSBObject* doc = nullptr;
    uint8_t* bytes = nullptr;
    size_t size = 0;
    MReadStatus status{-1};
    if (document) {
        task->request(path, &doc, &status, decode);
    } else {
        task->requestBytes(path, &bytes, &size, &status, decode);
    }
    try {
        for (int step = 0; step < kContainerFuzzSteps && !task->isDone() && !task->isFailed(); ++step) task->step();
    } catch (const ContainerFuzzFatal&) {
    }
    const int32_t s = status.load();
    if (s != kReadDone && s != kReadNotFound && s != kReadUndecodable && s != kReadQueued) std::abort();
    delete doc;
    std::free(bytes);
}

void readMembers(const uint8_t* data, size_t size, bool keepOpen) {
    auto* copy = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(copy, data, size);
    std::vector<std::string> names;
    try {
        auto archive = std::make_unique<PSBObject>(copy, size);
        PSBValue info;
        if (archive->root().find("file_info", info)) info.getKeys(names);
        mountArchive(containerfuzz::kMountName, containerfuzz::kDataFile, std::move(archive), keepOpen);
    } catch (const ContainerFuzzFatal&) {
        return;
    }
    if (names.size() > kContainerFuzzMembers) names.resize(kContainerFuzzMembers);
    for (const std::string& name : names) {
        const std::string path = containerfuzz::kMountName + name;
        readOnce(path, true, true);
        readOnce(path, false, false);
        readOnce(path + ".1", true, false);
    }
    clearMountTable();
    closeCachedFiles();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const std::string& root = containerFuzzRoot();
    if ((data[0] & 1) == 0) {
        writeFuzzFile(root + containerfuzz::kContainerFile, data + 1, size - 1);
        readOnce(containerfuzz::kContainerFile, true, true);
    } else {
        readMembers(data + 1, size - 1, (data[0] & 2) != 0);
    }
    return 0;
}
