// The mapped-file prefetch: the map listing grouped into files, and every
// readable page of this program's own files read without a fault.
#include "game/core/module_prefetch.h"

#include <gtest/gtest.h>

#include "platform/memory/own_memory.h"

namespace {

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
    EXPECT_EQ(modules[0].inode, 100u);
    EXPECT_EQ(modules[0].base(), 0x55d0a0000000u);
    EXPECT_EQ(modules[0].size(), 0x5000u);
    ASSERT_EQ(modules[0].ranges.size(), 2u);
    EXPECT_EQ(modules[0].ranges[1].offset, 0x2000u);

    EXPECT_EQ(modules[1].path, "/usr/lib/lib with blank.so");
    ASSERT_EQ(modules[1].ranges.size(), 3u);
    EXPECT_TRUE(modules[1].ranges[0].readable);
    EXPECT_FALSE(modules[1].ranges[1].readable);
    EXPECT_EQ(modules[1].size(), 0x5000u);

    // Mapped again after other files: a module of its own.
    EXPECT_EQ(modules[2].path, "/opt/game/halvir");
}

TEST(ModulePrefetchTest, EveryReadablePageOfThisProgramsFilesIsRead) {
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

TEST(ModulePrefetchTest, PagesOfAFileThatIsGoneAreReadWithoutAFault) {
    // A module whose file is gone: nothing is known to be backed, so every page
    // goes through the reads that can't fault; an unmapped page fails.
    MappedModule module{"/nonexistent/file", 1, {{0x1000, 0x3000, 0, true}}};
    EXPECT_EQ(prefetchModuleRange(module, platform::pageSize()), 0u);
}

}  // namespace
