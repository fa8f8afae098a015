#include "gsclient/abaas/body_members.h"

#include <gtest/gtest.h>

namespace {

using namespace am::abaas;

TEST(BodyMembers, GameVersionTextKeepsTwoDigitMajors) {
    EXPECT_EQ(gameVersionText(1, 5), "1.05");
    EXPECT_EQ(gameVersionText(0, 0), "0.00");
    EXPECT_EQ(gameVersionText(12, 5), "12.05");
    EXPECT_EQ(gameVersionText(99, 99), "99.99");
}

TEST(BodyMembers, ClientMemberIsCompactAndInItsOrder) {
    const ClientIdentity identity{"A0000000001", "ABCD", "1.05", 65535};
    const platform::LocalTime now{987, 12, 3, 31, 23, 59, 7, 999};
    EXPECT_EQ(clientMember(identity, now),
              R"("client":{"serial":"A0000000001","game_id":"ABCD","game_ver":"1.05",)"
              R"("location_id":65535,"create_time":"09871231235907"})");
}

// Session values are decoded from replies, so they may hold anything.
TEST(BodyMembers, TextsAreWrittenAsEscapedJsonStrings) {
    const ClientIdentity identity{"A\"1", "AB\\CD", "1.05\n", 1};
    const platform::LocalTime now{2026, 1, 5, 2, 3, 4, 5, 0};
    EXPECT_EQ(clientMember(identity, now),
              R"("client":{"serial":"A\"1","game_id":"AB\\CD","game_ver":"1.05\n",)"
              R"("location_id":1,"create_time":"20260102030405"})");
    EXPECT_EQ(userSaveControl({"t\"}", ""}), R"("control":{"token":"t\"}"})");
    EXPECT_EQ(userHeartbeatControl({"", "s\x01"}), R"("control":{"seq_id":"s\u0001"})");
}

TEST(BodyMembers, ControlMembers) {
    EXPECT_EQ(userLoadControl(true), R"("control":{"start_game":1})");
    EXPECT_EQ(userLoadControl(false), R"("control":{"start_game":0})");
    EXPECT_EQ(userSaveControl({"tk", "seq"}), R"("control":{"seq_id":"seq","end_game":1})");
    EXPECT_EQ(userSaveControl({"tk", ""}), R"("control":{"token":"tk"})");
    EXPECT_EQ(userSaveControl({}), R"("control":{"token":""})");
    EXPECT_EQ(userHeartbeatControl({"tk", "seq"}), R"("control":{"seq_id":"seq"})");
    EXPECT_EQ(userHeartbeatControl({"tk", ""}), R"("control":{})");
}

TEST(BodyMembers, SpliceAddsTheMembersBeforeTheClosingBrace) {
    struct Case {
        const char* body;
        const char* control;
        const char* spliced;
    };
    const Case cases[] = {
        {R"({"a":1})", "C", R"({"a":1,K,C})"},
        {R"({"a":1})", "", R"({"a":1,K})"},
        {"", "C", "{K,C}"},
        {"", "", "{K}"},
        {"{}", "C", "{K,C}"},       // an empty object gets no stray comma
        {"{ \n}", "", "{ \nK}"},
        {R"( {"a":{}} )", "", nullptr},  // a blank after the brace is no object end
    };
    for (const Case& c : cases) {
        std::string body = c.body;
        const bool spliced = spliceMembers(body, "K", c.control);
        if (c.spliced) {
            EXPECT_TRUE(spliced) << c.body;
            EXPECT_EQ(body, c.spliced) << c.body;
        } else {
            EXPECT_FALSE(spliced) << c.body;
            EXPECT_EQ(body, c.body);
        }
    }
}

TEST(BodyMembers, SpliceRefusesTextsThatAreNoObject) {
    for (const char* text : {"[1]", "}", "{", "x}", "   ", "{\"a\":1} "}) {
        std::string body = text;
        EXPECT_FALSE(spliceMembers(body, "K", "C")) << text;
        EXPECT_EQ(body, text);
    }
}

}  // namespace
