#include "engine/base/debug_trace.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class DebugTraceTest : public testing::Test {
protected:
    void SetUp() override {
        previous_ = setDebugTraceSink([this](std::string_view line) { lines_.emplace_back(line); });
    }
    void TearDown() override { setDebugTraceSink(std::move(previous_)); }

    std::vector<std::string> lines_;
    DebugTraceSink previous_;
};

TEST_F(DebugTraceTest, WritesBaseNameLineFunctionAndMessage) {
    struct Case {
        const char* path;
        const char* message;
        const char* expected;
    };
    const Case cases[] = {
        {"src/dir/x", "m", "x(7): F(): m\n"},
        {"c:\\src\\win\\Disk.cpp", "m", "Disk.cpp(7): F(): m\n"},
        {"plain.cpp", "m", "plain.cpp(7): F(): m\n"},
        {"a/b\\c.cpp", "m", "c.cpp(7): F(): m\n"},
        {"x", "already ends\n", "x(7): F(): already ends\n"},
        {"x", "", "x(7): F(): \n"},
    };
    for (const Case& c : cases) {
        lines_.clear();
        debugTrace(0, c.path, 7, "F", "%s", c.message);
        ASSERT_EQ(lines_.size(), 1u) << c.path;
        EXPECT_EQ(lines_[0], c.expected) << c.path;
    }
}

TEST_F(DebugTraceTest, FormatsArguments) {
    debugTrace(0, "file.cpp", 12, "open", "cannot find %s (%d)", "a.psb", 2);
    ASSERT_EQ(lines_.size(), 1u);
    EXPECT_EQ(lines_[0], "file.cpp(12): open(): cannot find a.psb (2)\n");
}

TEST_F(DebugTraceTest, MacroNamesThisFileAndFunction) {
    M_DEBUG_TRACE("here");
    ASSERT_EQ(lines_.size(), 1u);
    EXPECT_EQ(lines_[0].rfind("debug_trace_test.cpp(", 0), 0u);
    EXPECT_NE(lines_[0].find("TestBody(): here\n"), std::string::npos);
}

TEST_F(DebugTraceTest, LongLinesAreCutToTheBuffer) {
    const std::string longText(5000, 'a');
    debugTrace(0, "x", 1, "F", "%s", longText.c_str());
    ASSERT_EQ(lines_.size(), 1u);
    EXPECT_EQ(lines_[0].size(), 2047u);
    EXPECT_EQ(lines_[0].rfind("x(1): F(): aaa", 0), 0u);
}

TEST_F(DebugTraceTest, AnsiAndUtf8MessagesAgree) {
    debugTrace(1, "x", 1, "F", "\xE3\x81\x82");
    debugTrace(0, "x", 1, "F", "\xE3\x81\x82");
    ASSERT_EQ(lines_.size(), 2u);
    EXPECT_EQ(lines_[0], lines_[1]);
}

TEST(DebugTraceDefaultSink, WritesToStandardError) {
    testing::internal::CaptureStderr();
    debugTrace(0, "x", 3, "F", "to stderr");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "x(3): F(): to stderr\n");
}

}  // namespace
