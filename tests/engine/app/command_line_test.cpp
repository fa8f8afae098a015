#include "engine/app/command_line.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct Parsed {
    MCommandLine line;
    std::vector<std::string> rest;
};

Parsed parse(std::vector<std::string> args) {
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    Parsed p{parseCommandLine(int(argv.size()), argv.data()), {}};
    for (int i = 0; i < p.line.argumentCount(); ++i) p.rest.emplace_back(p.line.argumentVector()[i]);
    EXPECT_EQ(p.line.argumentVector()[p.line.argumentCount()], nullptr);
    // The texts outlive args: only the collected values are compared below.
    p.line.arguments.clear();
    return p;
}

TEST(CommandLine, EveryOptionIsTakenOutAndSetsItsValue) {
    const Parsed p = parse({"/bin/halvir", "--data-directory=/d", "--backup-directory=b", "--web-directory=w",
                            "--window-size=800,600", "--screen-size=1280", "--window-dpi=120,96",
                            "--display-adapter-id=1", "--use-depth-stencil=0", "--log-to-file=log.txt", "-f"});
    EXPECT_EQ(p.rest, (std::vector<std::string>{"/bin/halvir", "-f"}));
    const MWinAppOptions& o = p.line.app;
    EXPECT_EQ(o.dataDirectory, "/d");
    EXPECT_EQ(o.backupDirectory, "b");
    EXPECT_EQ(o.webDirectory, "w");
    EXPECT_EQ(o.windowSize, (std::array<int32_t, 2>{800, 600}));
    EXPECT_EQ(o.screenSize, (std::array<int32_t, 2>{1280, 1280}));
    EXPECT_EQ(o.windowDpi, (std::array<float, 2>{120.0f, 96.0f}));
    EXPECT_EQ(p.line.displayAdapter, 1);
    EXPECT_EQ(o.useDepthStencil, false);
    EXPECT_EQ(p.line.logFile, "log.txt");
}

TEST(CommandLine, NothingGivenLeavesEveryValueUnset) {
    const Parsed p = parse({"/bin/halvir"});
    EXPECT_EQ(p.rest, std::vector<std::string>{"/bin/halvir"});
    EXPECT_FALSE(p.line.app.dataDirectory);
    EXPECT_EQ(p.line.app.windowSize, (std::array<int32_t, 2>{0, 0}));
    EXPECT_FALSE(p.line.app.useDepthStencil);
    EXPECT_EQ(p.line.displayAdapter, -1);
    EXPECT_FALSE(p.line.logFile);
}

TEST(CommandLine, PairValues) {
    const struct {
        const char* arg;
        std::array<int32_t, 2> size;
    } cases[] = {
        {"--window-size=800,600", {800, 600}}, {"--window-size=800", {800, 800}},
        {"--window-size=0,600", {0, 600}},     {"--window-size= 640 , 480", {640, 480}},
        {"--window-size=", {0, 0}},            {"--window-size=x,7", {0, 7}},
        {"--window-size=-5,+6", {-5, 6}},      {"--window-size=12px,34,56", {12, 34}},
        {"--window-size=99999999999", {2147483647, 2147483647}},
    };
    for (const auto& c : cases) EXPECT_EQ(parse({c.arg}).line.app.windowSize, c.size) << c.arg;
}

TEST(CommandLine, OnlyTheStartOfAnArgumentMatches) {
    // Near misses stay for the game, untouched.
    const std::vector<std::string> misses = {
        "x--window-size=800,600", " --window-size=800", "--window-size", "-window-size=800",
        "--Window-Size=800",      "--window_size=800",  "--data-directory", "path/--data-directory=/d",
    };
    std::vector<std::string> args = {"/bin/halvir"};
    args.insert(args.end(), misses.begin(), misses.end());
    const Parsed p = parse(args);
    EXPECT_EQ(p.rest, args);
    EXPECT_EQ(p.line.app.windowSize, (std::array<int32_t, 2>{0, 0}));
    EXPECT_FALSE(p.line.app.dataDirectory);
}

TEST(CommandLine, TheLastOfARepeatedOptionWinsAndOrderIsKept) {
    const Parsed p = parse({"/bin/halvir", "-f", "--window-size=640,480", "-t", "--window-size=320,200",
                            "--use-depth-stencil=7"});
    EXPECT_EQ(p.rest, (std::vector<std::string>{"/bin/halvir", "-f", "-t"}));
    EXPECT_EQ(p.line.app.windowSize, (std::array<int32_t, 2>{320, 200}));
    EXPECT_EQ(p.line.app.useDepthStencil, true);
}

TEST(CommandLine, TheProgramPathIsTestedToo) {
    const Parsed p = parse({"--data-directory=/first", "-a"});
    EXPECT_EQ(p.rest, std::vector<std::string>{"-a"});
    EXPECT_EQ(p.line.app.dataDirectory, "/first");
}

}  // namespace
