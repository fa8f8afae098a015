// The command-line switches: whole, case-sensitive matches anywhere in the
// arguments, and the arcade mode derived from them.
#include "game/core/app_switches.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SwitchCase {
    const char* name;
    std::vector<std::string> arguments;
    AppSwitches expected;
    bool arcadeMode;
};

AppSwitches read(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (std::string& argument : arguments) argv.push_back(argument.data());
    return readAppSwitches(int(argv.size()), argv.data());
}

class AppSwitchesTest : public testing::TestWithParam<SwitchCase> {
protected:
    void SetUp() override { toolMode = arcadeMode = hdOutput = false; }
};

TEST_P(AppSwitchesTest, ReadsTheSwitchesAndDerivesArcadeMode) {
    const SwitchCase& c = GetParam();
    const AppSwitches s = read(c.arguments);
    EXPECT_EQ(s.fullscreen, c.expected.fullscreen);
    EXPECT_EQ(s.hd, c.expected.hd);
    EXPECT_EQ(s.tool, c.expected.tool);
    EXPECT_EQ(s.arcade, c.expected.arcade);
    EXPECT_EQ(s.home, c.expected.home);
    applyAppSwitches(s);
    EXPECT_EQ(toolMode, c.expected.tool && !c.expected.home);
    EXPECT_EQ(hdOutput, c.expected.hd);
    EXPECT_EQ(arcadeMode, c.arcadeMode);
}

INSTANTIATE_TEST_SUITE_P(
    Table, AppSwitchesTest,
    testing::Values(SwitchCase{"None", {"halvir"}, {}, true},
                    SwitchCase{"ToolAlone", {"halvir", "-t"}, {.tool = true}, false},
                    SwitchCase{"ToolThenArcade", {"halvir", "-t", "-a"}, {.tool = true, .arcade = true}, true},
                    SwitchCase{"ArcadeThenTool", {"-a", "x", "-t"}, {.tool = true, .arcade = true}, true},
                    SwitchCase{"ArcadeAlone", {"-a"}, {.arcade = true}, true},
                    SwitchCase{"FullscreenAndHdRepeated", {"-f", "-h", "-f", "-h"}, {.fullscreen = true, .hd = true},
                               true},
                    SwitchCase{"ProgramPathIsComparedToo", {"-f"}, {.fullscreen = true}, true},
                    SwitchCase{"HomeAlone", {"halvir", "-m"}, {.home = true}, false},
                    SwitchCase{"HomeOverridesToolAndArcade",
                               {"-t", "-m", "-a"},
                               {.tool = true, .arcade = true, .home = true},
                               false},
                    SwitchCase{"UpperCaseIsNoSwitch", {"-F", "-T", "-A", "-H", "-M"}, {}, true},
                    SwitchCase{"LongerIsNoSwitch", {"-ff", "-t ", "--t", "-tool", "-a1", "-mm"}, {}, true},
                    SwitchCase{"ShorterIsNoSwitch", {"-", "t", "f", ""}, {}, true}),
    [](const testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

}  // namespace
