// Archives: the mount table's resolution of request paths (mount names as
// prefixes, expiry suffixes, member offsets and sizes, keep-open), and
// archives mounted through the read pipeline, including missing and
// unreadable ones, which must not hold up the reads behind them.
#include "engine/data/mount_table.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

#include "engine/data/file_mount_request.h"
#include "engine/data/file_read_request.h"
#include "engine/data/search_candidates.h"
#include "tests/engine/data/psb_document.h"
#include "tests/engine/data/read_pipeline_fixture.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes valueDocument(int value) { return psbwriter::writePsb(psbwriter::Object{{"value", value}}); }

// An archive document: members name -> {offset, size}, the expiry suffixes.
Bytes archiveDocument(const std::vector<std::pair<std::string, std::pair<int, int>>>& members,
                      const std::vector<std::string>& suffixes, double version = 1.0) {
    psbwriter::Object info;
    for (const auto& [name, slice] : members) info[name] = psbwriter::List{slice.first, slice.second};
    psbwriter::List suffixList;
    for (const std::string& s : suffixes) suffixList.emplace_back(s);
    return psbwriter::writePsb(psbwriter::Object{
        {"id", "archive"}, {"version", version}, {"file_info", info}, {"expire_suffix_list", suffixList}});
}

MFileReadRequest requestFor(const std::string& path, uint64_t offset = 0, uint64_t size = kReadWholeFile) {
    MFileReadRequest r;
    r.fileToOpen = path;
    r.offset = offset;
    r.size = size;
    return r;
}

class MountTableTest : public testing::Test {
protected:
    ~MountTableTest() override { clearMountTable(); }

    void mount(const std::string& name, const std::string& dataFile, const Bytes& document, bool keepOpen = false) {
        mountArchive(name, dataFile, loadDocument(document), keepOpen);
    }
};

TEST_F(MountTableTest, APathUnderAMountReadsTheMembersSlice) {
    mount("sound/", "sound.bin", archiveDocument({{"se/hit.wav", {100, 20}}, {"bgm.ogg", {0, 100}}}, {}), true);
    mount("voice/", "voice.bin", archiveDocument({{"a.wav", {5, 6}}, {"empty.wav", {11, 0}}}, {}));
    constexpr uint64_t whole = kReadWholeFile;
    struct Case {
        const char* name;
        MFileReadRequest request;
        std::string file, mountName;
        uint64_t offset, size;
        bool keepOpen;
    };
    const Case cases[] = {
        {"a member", requestFor("sound/se/hit.wav"), "sound.bin", "sound/", 100, 20, true},
        {"the member's offset adds to the request's own", requestFor("sound/bgm.ogg", 7), "sound.bin", "sound/",
         7, 100, true},
        {"a request with a size keeps it", requestFor("voice/a.wav", 1, 3), "voice.bin", "voice/", 6, 3, false},
        {"an empty member is read as empty", requestFor("voice/empty.wav"), "voice.bin", "voice/", 11, 0, false},
        {"a path equal to a mount name is not in it", requestFor("sound/"), "sound/", "", 0, whole, false},
        {"no such member", requestFor("sound/none.wav"), "sound/none.wav", "", 0, whole, false},
        {"no such mount", requestFor("music/a.ogg"), "music/a.ogg", "", 0, whole, false},
        {"a name is a prefix of bytes, not of folders", requestFor("soundse/hit.wav"), "soundse/hit.wav", "", 0,
         whole, false},
    };
    for (const Case& c : cases) {
        MFileReadRequest r = c.request;
        const std::string path = r.fileToOpen;
        openMountedFile(r);
        EXPECT_EQ(r.logicalPath, path) << c.name;
        EXPECT_EQ(r.fileToOpen, c.file) << c.name;
        EXPECT_EQ(r.mountName, c.mountName) << c.name;
        EXPECT_EQ(r.offset, c.offset) << c.name;
        EXPECT_EQ(r.size, c.size) << c.name;
        EXPECT_EQ(r.keepOpen, c.keepOpen) << c.name;
    }
    // A request resolved once is not resolved again.
    MFileReadRequest resolved = requestFor("sound/bgm.ogg");
    resolved.logicalPath = "elsewhere";
    openMountedFile(resolved);
    EXPECT_EQ(resolved.fileToOpen, "sound/bgm.ogg");
}

TEST_F(MountTableTest, OnlyTheFirstExpirySuffixThatEndsThePathIsCut) {
    mount("data/", "data.bin",
          archiveDocument({{"a.psb", {1, 1}}, {"b", {2, 2}}, {"c.psb.m", {3, 3}}}, {".m", ".psb.m", ".psb"}));
    struct Case {
        const char* path;
        uint64_t offset;  // 0: not found
    } cases[] = {
        {"data/a.psb.m", 1},    // ".m" cut
        {"data/b.psb.m", 0},    // ".m" cut first, leaving "b.psb": not stored
        {"data/b.psb", 2},      // ".psb" cut
        {"data/c.psb.m.m", 3},  // one ".m" cut
        {"data/c.psb.m", 0},    // ".m" cut, "c.psb" not stored
    };
    for (const Case& c : cases) {
        MFileReadRequest r = requestFor(c.path);
        openMountedFile(r);
        EXPECT_EQ(r.offset, c.offset) << c.path;
        EXPECT_EQ(r.mountName, c.offset ? "data/" : "") << c.path;
    }
}

TEST_F(MountTableTest, OfTwoMountsThatPrefixAPathTheFirstInByteOrderWins) {
    mount("a/b/", "inner.bin", archiveDocument({{"c", {2, 2}}}, {}));
    mount("a/", "outer.bin", archiveDocument({{"b/c", {1, 1}}}, {}));
    MFileReadRequest r = requestFor("a/b/c");
    openMountedFile(r);
    EXPECT_EQ(r.fileToOpen, "outer.bin");
    EXPECT_EQ(r.mountName, "a/");

    // Records of one mount are tried in mount order, and a record without
    // the member lets the next one answer.
    mount("x/", "first.bin", archiveDocument({{"other", {1, 1}}}, {}));
    mount("x/", "second.bin", archiveDocument({{"m", {9, 9}}}, {}));
    MFileReadRequest m = requestFor("x/m");
    openMountedFile(m);
    EXPECT_EQ(m.fileToOpen, "second.bin");
}

TEST_F(MountTableTest, AnEntryThatIsNotAnOffsetAndASizeIsNoMember) {
    const Bytes document = psbwriter::writePsb(psbwriter::Object{
        {"id", "archive"},
        {"version", 1.0},
        {"file_info", psbwriter::Object{{"short", psbwriter::List{1}}, {"text", "x"}, {"minus", psbwriter::List{-1, 2}}}},
        {"expire_suffix_list", psbwriter::List{}}});
    mount("z/", "z.bin", document);
    for (const char* path : {"z/short", "z/text", "z/minus"}) {
        MFileReadRequest r = requestFor(path);
        openMountedFile(r);
        EXPECT_EQ(r.fileToOpen, path);
    }
}

TEST_F(MountTableTest, AnArchiveWithoutItsTablesIsFatal) {
    ThrowingPSBFatal throwing;
    const Bytes noInfo = psbwriter::writePsb(psbwriter::Object{{"id", "archive"}, {"expire_suffix_list", psbwriter::List{}}});
    EXPECT_THROW(mount("n/", "n.bin", noInfo), PSBFatalError);
    const Bytes noSuffixes = psbwriter::writePsb(psbwriter::Object{{"id", "archive"}, {"file_info", psbwriter::Object{}}});
    EXPECT_THROW(mount("n/", "n.bin", noSuffixes), PSBFatalError);
}

class ArchiveReadTest : public ReadPipelineTest {
protected:
    // An archive of value documents: members "one.psb" (1), "two.psb" (2)
    // and the container "three.psb.m" (3, keyed by its own name), after a
    // 5-byte lead and an empty member "empty".
    void writeArchive(const std::string& name, bool keepOpen, double version = 1.0) {
        Bytes data(5, 0xEE);
        std::vector<std::pair<std::string, std::pair<int, int>>> members;
        const auto add = [&](const std::string& member, const Bytes& bytes) {
            members.push_back({member, {int(data.size()), int(bytes.size())}});
            data.insert(data.end(), bytes.begin(), bytes.end());
        };
        add("empty", {});
        add("one.psb", valueDocument(1));
        add("two.psb", valueDocument(2));
        add("three.psb.m", psbwriter::packContainer(valueDocument(3), {}, "three.psb.m"));
        write(name + ".bin", data);
        const std::string documentPath = name + ".psb.m";
        write(documentPath, psbwriter::packContainer(archiveDocument(members, {".x"}, version), {}, documentPath));
        addPendingMount(name + "/", documentPath, name + ".bin", keepOpen);
    }
};

TEST_F(ArchiveReadTest, ReadsWaitForPendingMountsAndThenReadMembers) {
    writeArchive("pack", false);
    write("pack/two.psb", valueDocument(22));  // the archive comes before the disk
    write("loose.psb", valueDocument(4));
    MFileReadTask* task = addTask();
    ReadSlot one, two, three, cut, loose, missing;
    task->request("pack/one.psb", &one.doc, &one.status, false);
    task->request("pack\\two.psb", &two.doc, &two.status, false);
    task->request("pack/three.psb.m", &three.doc, &three.status, true);
    task->request("pack/one.psb.x", &cut.doc, &cut.status, false);
    task->request("loose.psb", &loose.doc, &loose.status, false);
    task->request("pack/none.psb", &missing.doc, &missing.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(one.value(), 1);
    EXPECT_EQ(two.value(), 2);
    EXPECT_EQ(three.value(), 3);
    EXPECT_EQ(cut.value(), 1);
    EXPECT_EQ(loose.value(), 4);
    EXPECT_EQ(missing.status, kReadNotFound);
    EXPECT_EQ(liveMountRequests(), 0);
    EXPECT_FALSE(isFileCached(searchPath("pack.bin")));
}

TEST_F(ArchiveReadTest, AnEmptyMemberReadsNoBytes) {
    writeArchive("pack", true);
    MFileReadTask* task = addTask();
    uint8_t* bytes = nullptr;
    size_t size = 99;
    MReadStatus status{-1};
    task->requestBytes("pack/empty", &bytes, &size, &status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(status, kReadDone);
    EXPECT_EQ(size, 0u);
    std::free(bytes);
}

// Members of a damaged archive that reach past the end of its data file
// fail to read, before the reader allocates the size they claim; the
// members within it still read.
TEST_F(ArchiveReadTest, AMemberPastTheDataFilesEndFailsToRead) {
    write("short.bin", valueDocument(5));
    const int64_t end = int64_t(valueDocument(5).size());
    const psbwriter::Object info{{"whole", psbwriter::List{0, end}},
                                 {"tail", psbwriter::List{end - 4, 8}},
                                 {"far", psbwriter::List{end + 64, 1}},
                                 {"huge", psbwriter::List{0, int64_t(1) << 42}},
                                 {"huge_far", psbwriter::List{int64_t(1) << 42, int64_t(1) << 42}}};
    mountArchive("short/", "short.bin",
                 loadDocument(psbwriter::writePsb(
                     psbwriter::Object{{"file_info", info}, {"expire_suffix_list", psbwriter::List{}}})),
                 false);
    MFileReadTask* task = addTask();
    ReadSlot whole, tail, far, huge, hugeFar;
    task->request("short/whole", &whole.doc, &whole.status, false);
    task->request("short/tail", &tail.doc, &tail.status, false);
    task->request("short/far", &far.doc, &far.status, false);
    task->request("short/huge", &huge.doc, &huge.status, false);
    task->request("short/huge_far", &hugeFar.doc, &hugeFar.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(whole.value(), 5);
    for (const ReadSlot* slot : {&tail, &far, &huge, &hugeFar}) {
        EXPECT_EQ(slot->status, kReadNotFound);
        EXPECT_EQ(slot->doc, nullptr);
    }
}

TEST_F(ArchiveReadTest, AKeepOpenArchiveLeavesItsDataFileOpenForTheNextRead) {
    writeArchive("kept", true);
    for (int round = 1; round <= 2; ++round) {
        MFileReadTask* task = addTask();
        ReadSlot one, two;
        task->request("kept/one.psb", &one.doc, &one.status, false);
        task->request("kept/two.psb", &two.doc, &two.status, false);
        ASSERT_TRUE(runUntilEmpty());
        EXPECT_EQ(one.value(), 1) << round;
        EXPECT_EQ(two.value(), 2) << round;
        EXPECT_TRUE(isFileCached(joinSearchPath(dir / "data/", "kept.bin"))) << round;
    }
}

TEST_F(ArchiveReadTest, AMissingOrUnreadableArchiveMountsNothingAndReadsGoOn) {
    writeArchive("good", false);
    addPendingMount("gone/", "gone.psb.m", "gone.bin", false);
    Bytes damaged = psbwriter::packContainer(archiveDocument({{"a", {0, 1}}}, {}), {}, "bad.psb.m");
    for (size_t i = 8; i < damaged.size(); ++i) damaged[i] ^= 0x5A;
    write("bad.psb.m", damaged);
    write("bad.bin", Bytes(4));
    addPendingMount("bad/", "bad.psb.m", "bad.bin", false);

    MFileReadTask* task = addTask();
    ReadSlot good, gone, bad;
    task->request("good/two.psb", &good.doc, &good.status, false);
    task->request("gone/a", &gone.doc, &gone.status, false);
    task->request("bad/a", &bad.doc, &bad.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(good.value(), 2);
    EXPECT_EQ(gone.status, kReadNotFound);
    EXPECT_EQ(bad.status, kReadNotFound);
    EXPECT_EQ(liveMountRequests(), 0);
    const std::string lines = trace();
    EXPECT_NE(lines.find("cannot read archive [gone.psb.m] (status 2); nothing is mounted under [gone/]"),
              std::string::npos) << lines;
    EXPECT_NE(lines.find("cannot read archive [bad.psb.m] (status 4); nothing is mounted under [bad/]"),
              std::string::npos) << lines;

    // A later read task finds no mount pending and reads at once.
    MFileReadTask* later = addTask();
    ReadSlot again;
    later->request("good/one.psb", &again.doc, &again.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(again.value(), 1);
}

TEST_F(ArchiveReadTest, AnArchiveOfAnotherVersionIsTracedAndMountedAllTheSame) {
    writeArchive("old", false, 0.5);
    writeArchive("new", false, 1.25);
    MFileReadTask* task = addTask();
    ReadSlot older, newer;
    task->request("old/one.psb", &older.doc, &older.status, false);
    task->request("new/two.psb", &newer.doc, &newer.status, false);
    ASSERT_TRUE(runUntilEmpty());
    EXPECT_EQ(older.value(), 1);
    EXPECT_EQ(newer.value(), 2);
    const std::string lines = trace();
    EXPECT_NE(lines.find("archive file version is too old. update bundlery, build archive file again. "
                         "(ver: 0.5000 < 1.0000)\n"),
              std::string::npos) << lines;
    EXPECT_NE(lines.find("archive file version is too new. update vantorlib. (ver: 1.2500 > 1.0000)\n"),
              std::string::npos) << lines;
}

}  // namespace
