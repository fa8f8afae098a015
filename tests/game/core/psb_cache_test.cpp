// The PSB cache: keys, one read per file, missing files and releases.
#include "game/core/psb_cache.h"

#include <gtest/gtest.h>

#include "engine/data/psb_object.h"
#include "game/records/paths.h"
#include "tests/game/working_folder.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

class PsbCacheTest : public testing::Test {
protected:
    void TearDown() override {
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        setResourceFolders({});
    }
    void writeDocument(const std::string& name, int value) {
        const auto bytes = psbwriter::writePsb(psbwriter::Object{{"v", value}});
        folder.dir().write(name, std::string(bytes.begin(), bytes.end()));
    }
    WorkingFolder folder;
};

TEST_F(PsbCacheTest, KeysDropTheLastExtensionAndTheFolders) {
    EXPECT_EQ(psbCacheKey("resource/font/font16.psb.m"), "font16.psb");
    EXPECT_EQ(psbCacheKey("stage/boss01.psb"), "boss01");
    EXPECT_EQ(psbCacheKey("plain"), "plain");
}

TEST_F(PsbCacheTest, AFileIsReadOnceAndASecondFolderSharesTheEntry) {
    writeDocument("a/title.psb", 1);
    writeDocument("b/title.psb", 2);
    loadPSBObject("a/title.psb");
    PSBObject* first = getPSBObject("title");
    ASSERT_NE(first, nullptr);
    const size_t size = first->size();
    writeDocument("a/title.psb", 123456);  // a changed file is not read again
    loadPSBObject("a/title.psb");
    loadPSBObject("b/title.psb");
    EXPECT_EQ(psbCache().size(), 1u);
    EXPECT_EQ(getPSBObject("title"), first);
    EXPECT_EQ(first->size(), size);
    EXPECT_TRUE(folder.logLines().empty());
}

TEST_F(PsbCacheTest, AMissingFileIsLoggedAndAddsNothing) {
    loadPSBObject("none/gone.psb");
    EXPECT_TRUE(psbCache().empty());
    EXPECT_EQ(getPSBObject("gone"), nullptr);
    EXPECT_EQ(folder.logLines(), (std::vector<std::string>{"SDL2_wheel_FileGetSize Not Find File = none/gone.psb",
                                                          "getPSBObject 指定されたファイルが無い gone"}));
}

TEST_F(PsbCacheTest, ResourceLoadsAndReleases) {
    writeDocument("res/menu.psb.m", 3);
    setResourceFolders({folder.dir().str() + "/res/"});
    SDL2_wheel_PsbLoad("menu.psb.m");
    ASSERT_NE(getPSBObject("menu.psb"), nullptr);
    releasePSBObject("menu.psb");
    releasePSBObject("menu.psb");
    EXPECT_TRUE(psbCache().empty());
}

}  // namespace
