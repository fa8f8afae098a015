#include "engine/data/search_directories.h"

#include <gtest/gtest.h>

namespace {

using Folders = std::vector<std::string>;

class SearchDirectories : public testing::Test {
protected:
    SearchDirectories() { clearSearchDirectories(); }
    ~SearchDirectories() override { clearSearchDirectories(); }
};

TEST_F(SearchDirectories, PrimaryIsAppendedToAnEmptyListThenReplaced) {
    setPrimarySearchDirectory("a/");
    EXPECT_EQ(searchDirectories(), Folders{"a/"});
    addSearchDirectory("b/");
    setPrimarySearchDirectory("c/");
    EXPECT_EQ(searchDirectories(), (Folders{"c/", "b/"}));
}

TEST_F(SearchDirectories, AddingKeepsOneEntryPerText) {
    setPrimarySearchDirectory("a/");
    addSearchDirectory("b/");
    addSearchDirectory("b/");
    addSearchDirectory("a/");
    addSearchDirectory("c/");
    EXPECT_EQ(searchDirectories(), (Folders{"a/", "b/", "c/"}));
}

}  // namespace
