// Runs the built command-line tool end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"

namespace {

int psbtool(const std::string& arguments) {
    const std::string command = std::string(PSBTOOL_PATH) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Each test in a folder of its own: CTest runs the tests of this binary at
// the same time, in separate processes.
class PsbtoolTest : public testing::Test {
protected:
    void SetUp() override {
        std::ofstream(dir_ + "/d.json") << R"({"version": 2, "root": {"name": "x", "n": [1, {"$float": 0.5}]}})";
    }
    TempDir temp_;
    std::string dir_ = temp_.str();
};

TEST_F(PsbtoolTest, BuildsAndDumpsADocument) {
    ASSERT_EQ(psbtool("build " + dir_ + "/d.json " + dir_ + "/d.psb"), 0);
    ASSERT_EQ(psbtool("dump " + dir_ + "/d.psb > " + dir_ + "/d.out.json"), 0);
    const std::string dumped = readText(dir_ + "/d.out.json");
    EXPECT_NE(dumped.find("\"name\": \"x\""), std::string::npos) << dumped;
    EXPECT_NE(dumped.find("\"$float\": 0.5"), std::string::npos) << dumped;
    ASSERT_EQ(psbtool("build " + dir_ + "/d.out.json " + dir_ + "/again.psb"), 0);
    EXPECT_EQ(readText(dir_ + "/again.psb"), readText(dir_ + "/d.psb"));
}

TEST_F(PsbtoolTest, PacksAContainerUnderTheGamesKey) {
    ASSERT_EQ(psbtool("build " + dir_ + "/d.json " + dir_ + "/d.psb"), 0);
    ASSERT_EQ(psbtool("pack " + dir_ + "/d.psb " + dir_ + "/packed.m --name Font16.psb.m"), 0);
    const std::string packed = readText(dir_ + "/packed.m");
    const std::vector<uint8_t> bytes(packed.begin(), packed.end());
    const auto contents = psbwriter::unpackContainer(bytes, psbwriter::ContainerKey{}, "font16.psb.m");
    EXPECT_EQ(std::string(contents.begin(), contents.end()), readText(dir_ + "/d.psb"));
    EXPECT_EQ(psbtool("dump " + dir_ + "/packed.m --name font16.psb.m > /dev/null"), 0);
    EXPECT_EQ(psbtool("dump " + dir_ + "/packed.m > /dev/null"), 1);  // the wrong name, so the wrong key
}

TEST_F(PsbtoolTest, ReportsErrors) {
    EXPECT_EQ(psbtool(""), 2);
    EXPECT_EQ(psbtool("build only-one"), 2);
    EXPECT_EQ(psbtool("pack a b --bogus 1"), 2);
    EXPECT_EQ(psbtool("build /no/such.json " + dir_ + "/x.psb"), 1);
    std::ofstream(dir_ + "/broken.psb") << "PSB";
    EXPECT_EQ(psbtool("dump " + dir_ + "/broken.psb"), 1);
}

}  // namespace
