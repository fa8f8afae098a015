#include "engine/data/search_directories.h"

#include <gtest/gtest.h>

namespace {

using List = std::vector<std::string>;

class SearchDirectories : public testing::Test {
protected:
    SearchDirectories() { clearSearchDirectories(); }
    ~SearchDirectories() override { clearSearchDirectories(); }
};

TEST_F(SearchDirectories, PrimaryIsAppendedToAnEmptyListThenReplaced) {
    setPrimarySearchDirectory("a/");
    EXPECT_EQ(searchDirectories(), List{"a/"});
    addSearchDirectory("b/");
    setPrimarySearchDirectory("c/");
    EXPECT_EQ(searchDirectories(), (List{"c/", "b/"}));
}

TEST_F(SearchDirectories, AddingKeepsOneEntryPerText) {
    setPrimarySearchDirectory("a/");
    addSearchDirectory("b/");
    addSearchDirectory("b/");
    addSearchDirectory("a/");
    addSearchDirectory("c/");
    EXPECT_EQ(searchDirectories(), (List{"a/", "b/", "c/"}));
}

}  // namespace
