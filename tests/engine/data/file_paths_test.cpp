#include <gtest/gtest.h>

#include "engine/data/container_cipher.h"
#include "engine/data/normalize_path.h"
#include "engine/data/search_candidates.h"
#include "engine/data/search_directories.h"

namespace {

TEST(NormalizePath, TurnsBackslashesIntoSlashesAndCollapsesRuns) {
    const struct {
        const char* in;
        const char* out;
    } cases[] = {
        {"a/b/c", "a/b/c"}, {"a\\b\\c", "a/b/c"}, {"a//b///c", "a/b/c"}, {"a\\\\b/\\c", "a/b/c"},
        {"//label.psb", "/label.psb"}, {"", ""}, {"dir/", "dir/"},
    };
    for (const auto& c : cases) EXPECT_EQ(normalizePath(c.in), c.out) << c.in;
}

TEST(SearchCandidates, JoinWithOneSlashFromTheLastDirectoryToTheFirst) {
    clearSearchDirectories();
    setPrimarySearchDirectory("/data/");
    addSearchDirectory("");
    addSearchDirectory("/web");
    EXPECT_EQ(searchCandidates("a/b.psb"), (std::vector<std::string>{"/web/a/b.psb", "/data/a/b.psb"}));
    // A leading '/' is still relative first, then tried as it is.
    EXPECT_EQ(searchCandidates("/label.psb"),
              (std::vector<std::string>{"/web/label.psb", "/data/label.psb", "/label.psb"}));
    clearSearchDirectories();
    EXPECT_EQ(searchCandidates("a.psb"), std::vector<std::string>{});
    EXPECT_EQ(searchCandidates("/tmp/a.psb"), std::vector<std::string>{"/tmp/a.psb"});
}

TEST(ContainerCipher, TheKeyStreamFollowsTheLowerCasedFileNameOnly) {
    const auto stream = containerKeyStream("key", 97, "resource/font/Font16.PSB.m");
    EXPECT_EQ(stream.size(), 97u);
    EXPECT_EQ(containerKeyStream("key", 97, "font16.psb.m"), stream);
    EXPECT_EQ(containerKeyStream("key", 97, "x\\y\\FONT16.psb.m"), stream);
    EXPECT_NE(containerKeyStream("key", 97, "font24.psb.m"), stream);
    EXPECT_NE(containerKeyStream("other", 97, "font16.psb.m"), stream);

    std::vector<uint8_t> bytes = {'m', 'd', 'f', 0, 1, 2, 3, 4, 10, 20, 30};
    const std::vector<uint8_t> original = bytes;
    cipherContainerBody(bytes.data(), bytes.size(), "key", 97, "font16.psb.m");
    EXPECT_EQ(std::vector<uint8_t>(bytes.begin(), bytes.begin() + 8),
              std::vector<uint8_t>(original.begin(), original.begin() + 8));
    EXPECT_EQ(bytes[8], uint8_t(original[8] ^ stream[0]));
    cipherContainerBody(bytes.data(), bytes.size(), "key", 97, "font16.psb.m");
    EXPECT_EQ(bytes, original);
}

}  // namespace
