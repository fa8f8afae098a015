// Runs the built command-line tool end to end.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "tests/support/temp_dir.h"
#include "tools/psbwriter/data_container.h"
#include "tools/psbwriter/psb_writer.h"

namespace {

int psbtool(const std::string& arguments) {
    const std::string command = std::string(PSBTOOL_PATH) + " " + arguments + " 2>/dev/null";
    const int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

struct Failure {
    int code;
    std::string message;  // what psbtool wrote to the error output
};

std::string readText(const std::string& path);

Failure psbtoolFailure(const std::string& arguments, const std::string& errorFile) {
    const std::string command = std::string(PSBTOOL_PATH) + " " + arguments + " >/dev/null 2>" + errorFile;
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, readText(errorFile)};
}

void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

uint32_t u32At(const std::vector<uint8_t>& bytes, size_t at) {
    return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t(bytes[at + 3]) << 24;
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
    std::ofstream(dir_ + "/broken.psb") << std::string("PSB\0\2\0", 6);
    EXPECT_EQ(psbtool("dump " + dir_ + "/broken.psb"), 1);
}

TEST_F(PsbtoolTest, SaysWhatIsWrongWithAFileItCannotDump) {
    using psbwriter::Resource;
    // A version-3 document whose root, a resource, is turned into an extra
    // resource, which only version 4 has.
    std::vector<uint8_t> extra = psbwriter::writePsb(Resource{{1, 2, 3}, false});
    extra[u32At(extra, 36)] = 34;
    // A document whose string-offset array has an element width of 20 bytes.
    std::vector<uint8_t> wide = psbwriter::writePsb(psbwriter::Object{{"a", 1}});
    const uint32_t strings = u32At(wide, 16);
    wide[strings + 1 + (wide[strings] - 12)] = 32;
    // 500 bytes that declare 4 GiB.
    std::vector<uint8_t> huge{'m', 'd', 'f', 0, 0xFF, 0xFF, 0xFF, 0xFF};
    huge.resize(500, 0x78);
    const std::vector<uint8_t> text{'h', 'e', 'l', 'l', 'o', '\n'};
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        const char* message;
    };
    const Case cases[] = {
        {"extra", extra, "psb: broken document: an extra resource in a version 3 document (extra resources need "
                         "version 4).\n"},
        {"wide", wide, "psb: broken document: a packed array's element width is out of range.\n"},
        {"huge", huge, "the container declares 4294967295 bytes, more than its zlib stream can hold\n"},
        {"text", text, " is neither a PSB document nor a data container\n"},
        {"packed-text", psbwriter::packContainer(text, {}, "packed-text"),
         ": the data container holds no PSB document\n"},
    };
    for (const Case& c : cases) {
        const std::string path = dir_ + "/" + c.name;
        writeBytes(path, c.bytes);
        const Failure failure = psbtoolFailure("dump " + path, dir_ + "/error.txt");
        EXPECT_EQ(failure.code, 1) << c.name;
        EXPECT_TRUE(failure.message.starts_with("psbtool: ")) << c.name << ": " << failure.message;
        EXPECT_TRUE(failure.message.ends_with(c.message)) << c.name << ": " << failure.message;
    }
}

}  // namespace
