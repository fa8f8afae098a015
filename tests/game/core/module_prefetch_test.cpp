// The mapped-file prefetch: the map listing grouped into files, every
// readable range of this program's own files handed to the kernel, and none
// of a file's pages mapped into the process by it.
#include "game/core/module_prefetch.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/base/debug_trace.h"
#include "platform/memory/own_memory.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

// How many pages of [begin, end) are mapped into this process: bit 63 of each
// little-endian /proc/self/pagemap entry, which the process may read even
// where the frame numbers are hidden from it.
int presentPages(uint64_t begin, uint64_t end, uint64_t pageSize) {
    const int fd = open("/proc/self/pagemap", O_RDONLY | O_CLOEXEC);
    if (fd < 0) return -1;
    int present = 0;
    for (uint64_t page = begin; page < end; page += pageSize) {
        unsigned char entry[8] = {};
        if (pread(fd, entry, sizeof entry, off_t(page / pageSize * sizeof entry)) != ssize_t(sizeof entry)) {
            present = -1;
            break;
        }
        if (entry[7] & 0x80) ++present;
    }
    close(fd);
    return present;
}

// A read-only mapping of a file written by the test, as the listing shows it.
class MappedFile {
public:
    MappedFile(const TempDir& dir, size_t bytes) : path_(dir / "mapped.bin"), size_(bytes) {
        dir.write("mapped.bin", std::string(bytes, 'x'));
        const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0) {
            address_ = mmap(nullptr, size_, PROT_READ, MAP_PRIVATE, fd, 0);
            close(fd);
        }
    }
    ~MappedFile() {
        if (address_ != MAP_FAILED) munmap(address_, size_);
    }
    bool mapped() const { return address_ != MAP_FAILED; }
    uint64_t begin() const { return reinterpret_cast<uint64_t>(address_); }
    uint64_t end() const { return begin() + size_; }
    const MappedModule* findIn(const std::vector<MappedModule>& modules) const {
        for (const MappedModule& module : modules) {
            if (module.path == path_) return &module;
        }
        return nullptr;
    }

private:
    std::string path_;
    size_t size_;
    void* address_ = MAP_FAILED;
};

constexpr const char* kMaps =
    "55d0a0000000-55d0a0002000 r--p 00000000 08:01 100 /opt/game/halvir\n"
    "55d0a0002000-55d0a0005000 r-xp 00002000 08:01 100 /opt/game/halvir\n"
    "55d0a0800000-55d0a0900000 rw-p 00000000 00:00 0 [heap]\n"
    "7f0000000000-7f0000001000 r--p 00000000 08:01 200 /usr/lib/lib with blank.so\n"
    "7f0000001000-7f0000003000 ---p 00001000 08:01 200 /usr/lib/lib with blank.so\n"
    "7f0000004000-7f0000005000 rw-p 00002000 08:01 200 /usr/lib/lib with blank.so\n"
    "7f0000005000-7f0000006000 rw-s 00000000 00:05 300 /dev/dri/renderD128\n"
    "7f0000006000-7f0000007000 rw-s 00000000 00:01 301 /memfd:pool (deleted)\n"
    "7f0000007000-7f0000008000 r--p 00000000 08:01 100 /opt/game/halvir\n"
    "garbage line\n"
    "zz-yy r--p 0 0 0 /bad\n";

TEST(ModulePrefetchTest, TheListingIsGroupedIntoConsecutiveMappingsOfOneFile) {
    const std::vector<MappedModule> modules = parseMappedModules(kMaps);
    ASSERT_EQ(modules.size(), 3u);
    EXPECT_EQ(modules[0].path, "/opt/game/halvir");
    EXPECT_EQ(modules[0].base(), 0x55d0a0000000u);
    EXPECT_EQ(modules[0].size(), 0x5000u);
    ASSERT_EQ(modules[0].ranges.size(), 2u);
    EXPECT_EQ(modules[0].ranges[1].begin, 0x55d0a0002000u);

    EXPECT_EQ(modules[1].path, "/usr/lib/lib with blank.so");
    ASSERT_EQ(modules[1].ranges.size(), 3u);
    EXPECT_TRUE(modules[1].ranges[0].readable);
    EXPECT_FALSE(modules[1].ranges[1].readable);
    EXPECT_EQ(modules[1].size(), 0x5000u);

    // Mapped again after other files: a module of its own.
    EXPECT_EQ(modules[2].path, "/opt/game/halvir");
}

TEST(ModulePrefetchTest, EveryReadableRangeOfThisProgramsFilesIsTaken) {
    const uint64_t pageSize = platform::pageSize();
    const std::vector<MappedModule> modules = parseMappedModules(platform::ownMemoryMaps());
    ASSERT_FALSE(modules.empty());
    for (const MappedModule& module : modules) {
        uint32_t readable = 0;
        for (const auto& range : module.ranges) {
            if (range.readable) readable += uint32_t((range.end - range.begin) / pageSize);
        }
        EXPECT_EQ(prefetchModuleRange(module, pageSize), readable) << module.path;
    }
    EXPECT_TRUE(workaroundPrefetchModule());
}

// A few hundred lines each start: in the debug trace only when asked for.
TEST(ModulePrefetchTest, ItsLinesReachTheDebugTraceOnlyWhenAskedFor) {
    std::vector<std::string> lines;
    const DebugTraceSink kept = setDebugTraceSink([&](std::string_view line) { lines.emplace_back(line); });
    {
        ScopedEnv env;
        env.set(kPrefetchTraceVariable, std::nullopt);
        EXPECT_TRUE(workaroundPrefetchModule());
        EXPECT_TRUE(lines.empty()) << lines.front();
        env.set(kPrefetchTraceVariable, "1");
        EXPECT_TRUE(workaroundPrefetchModule());
    }
    setDebugTraceSink(kept);
    ASSERT_FALSE(lines.empty());
    EXPECT_NE(lines.front().find("prefetch"), std::string::npos) << lines.front();
}

// Touching pages would map them all; the advice leaves the resident set as it was.
TEST(ModulePrefetchTest, AFilesPagesAreNotMappedIntoTheProcess) {
    const uint64_t pageSize = platform::pageSize();
    TempDir dir;
    const MappedFile file(dir, 256 * pageSize);
    ASSERT_TRUE(file.mapped());
    ASSERT_EQ(presentPages(file.begin(), file.end(), pageSize), 0);
    const std::vector<MappedModule> modules = parseMappedModules(platform::ownMemoryMaps());
    const MappedModule* module = file.findIn(modules);
    ASSERT_NE(module, nullptr);
    EXPECT_EQ(prefetchModuleRange(*module, pageSize), 256u);
    EXPECT_EQ(presentPages(file.begin(), file.end(), pageSize), 0);
}

TEST(ModulePrefetchTest, ARangeThatIsNoLongerMappedIsSkippedWithoutAFault) {
    const uint64_t pageSize = platform::pageSize();
    void* gone = mmap(nullptr, 2 * pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(gone, MAP_FAILED);
    munmap(gone, 2 * pageSize);
    const uint64_t begin = reinterpret_cast<uint64_t>(gone);
    MappedModule module{"/nonexistent/file", {{begin, begin + 2 * pageSize, true}}};
    EXPECT_EQ(prefetchModuleRange(module, pageSize), 0u);
}

}  // namespace
