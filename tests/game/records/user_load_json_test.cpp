// The user/load bodies and the parse of the server's replies, which come from
// the network and so may be anything.
#include "game/records/user_load_json.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const std::string kUserLoadBody =
R"({"user":{"savedata":{"keys":["score_nov_a","score_nov_b","score_nov_c","score_nov_d","score_cas_)"
    R"(a","score_cas_b","score_cas_c","score_cas_d","score_ori_a","score_ori_b","score_ori_c","score_or)"
    R"(i_d","score_exp_a","score_exp_b","score_exp_c","score_exp_d","stage_nov_a","stage_nov_b","stage_)"
    R"(nov_c","stage_nov_d","stage_cas_a","stage_cas_b","stage_cas_c","stage_cas_d","stage_ori_a","stag)"
    R"(e_ori_b","stage_ori_c","stage_ori_d","stage_exp_a","stage_exp_b","stage_exp_c","stage_exp_d","ma)"
    R"(xrank_ori_a","maxrank_ori_b","maxrank_ori_c","maxrank_ori_d","maxrank_exp_a","maxrank_exp_b","ma)"
    R"(xrank_exp_c","maxrank_exp_d","score_sa_st1_a","score_sa_st1_b","score_sa_st1_c","score_sa_st1_d")"
    R"(,"score_sa_st2_a","score_sa_st2_b","score_sa_st2_c","score_sa_st2_d","score_sa_st3_a","score_sa_)"
    R"(st3_b","score_sa_st3_c","score_sa_st3_d","score_sa_st4_a","score_sa_st4_b","score_sa_st4_c","sco)"
    R"(re_sa_st4_d","score_sa_st5_a","score_sa_st5_b","score_sa_st5_c","score_sa_st5_d","maxrank_sa_st1)"
    R"(_a","maxrank_sa_st1_b","maxrank_sa_st1_c","maxrank_sa_st1_d","maxrank_sa_st2_a","maxrank_sa_st2_)"
    R"(b","maxrank_sa_st2_c","maxrank_sa_st2_d","maxrank_sa_st3_a","maxrank_sa_st3_b","maxrank_sa_st3_c)"
    R"(","maxrank_sa_st3_d","maxrank_sa_st4_a","maxrank_sa_st4_b","maxrank_sa_st4_c","maxrank_sa_st4_d")"
    R"(,"maxrank_sa_st5_a","maxrank_sa_st5_b","maxrank_sa_st5_c","maxrank_sa_st5_d","config_shot","conf)"
    R"(ig_bomb","config_rapid","config_blow","config_sound","config_sastage","config_safigtype","config)"
    R"(_saassist","config_sadramatic","config_stmode","config_stfigtype","config_stassist","config_stdr)"
    R"(amatic","config_gameselect"]},"user_id":4294967295}})";

TEST(UserLoadJson, RequestListsAll94KeysInTableOrder) {
    std::string body;
    userLoadRequestToJson(body, 4294967295u);
    EXPECT_EQ(body, kUserLoadBody);
    EXPECT_EQ(saveDataKeys.size(), 94u);
}

TEST(UserLoadJson, UserIdBody) {
    const std::pair<uint32_t, const char*> cases[] = {
        {0, R"({"user":{"user_id":0}})"},
        {42, R"({"user":{"user_id":42}})"},
        {4294967295u, R"({"user":{"user_id":4294967295}})"},
    };
    for (const auto& [id, expected] : cases) {
        std::string body = "left over";
        userIdToJson(body, id);
        EXPECT_EQ(body, expected);
    }
}

std::string reply(const std::string& name, const std::string& savedata, const std::string& userId = "7") {
    return R"({"control":{"online":0},"user":{"name":)" + name + R"(,"savedata":{)" + savedata +
           R"(},"user_id":)" + userId + "}}";
}

TEST(UserLoadJson, ParseFillsEveryKeyThatArrived) {
    UserDataRecord record;
    const std::string savedata = R"("score_exp_b":"4294967297","stage_ori_a":"4294967297",)"
                                 R"("maxrank_sa_st5_d":"50","config_shot":"3","config_gameselect":"2")";
    ASSERT_TRUE(parseUserResponse(reply(R"("ACE")", savedata), record));
    EXPECT_EQ(record.userId, 7u);
    EXPECT_EQ(record.name, u"ACE");
    EXPECT_EQ(record.score[13], 4294967297ull);  // whole, in a 64-bit field
    EXPECT_EQ(record.stage[8], 1u);              // low 32 bits
    EXPECT_EQ(record.saMaxRank[19], 50u);
    EXPECT_EQ(record.configShot, 3u);
    EXPECT_EQ(record.configGameSelect, 2u);
    EXPECT_EQ(record.configBomb, 0u);            // missing, not missing-aware
    EXPECT_EQ(record.configSound, kSaveDataMissing);
    EXPECT_EQ(record.configStDramatic, kSaveDataMissing);
}

TEST(UserLoadJson, NamesArriveAsWideText) {
    const std::pair<std::string, std::u16string> cases[] = {
        {R"("")", kDefaultPlayerName},
        {"\"\u30A2\u30AD\"", u"\u30A2\u30AD"},
        {"\"A\xFF\"", u"A\uFFFD"},  // broken UTF-8 is replaced, not trusted
        {"\"\xF0\x9F\x98\x80\"", u"\U0001F600"},
        {R"("A\u0000B")", u"A"},
    };
    for (const auto& [name, expected] : cases) {
        UserDataRecord record;
        parseUserResponse(reply(name, ""), record);
        EXPECT_EQ(record.name, expected) << name;
    }
}

TEST(UserLoadJson, SaveDataNumbersReadLikeTheServerWritesThem) {
    struct Case {
        const char* text;
        bool ok;
        uint64_t value;
    };
    const Case cases[] = {
        {"12", true, 12},          {"  +12", true, 12},       {"-1", true, UINT64_MAX},
        {"12abc", true, 12},       {"18446744073709551615", true, UINT64_MAX},
        {"18446744073709551616", false, 0}, {"", false, 0},   {"abc", false, 0},
        {"-", false, 0},           {"0x10", true, 0},
    };
    for (const Case& c : cases) {
        uint64_t value = 0;
        EXPECT_EQ(parseSaveDataNumber(c.text, value), c.ok) << c.text;
        if (c.ok) {
            EXPECT_EQ(value, c.value) << c.text;
        }
    }
}

TEST(UserLoadJson, MalformedRepliesTakeTheDefaultsAndSaySo) {
    const std::string cases[] = {
        "",
        "not json",
        "[1,2]",
        R"({"user":3})",
        reply("5", ""),                                     // name of another type
        reply(R"("A")", "", "-1"),                          // user id out of range
        reply(R"("A")", "", "1e300"),
        reply(R"("A")", "", "1e999"),                       // beyond a double
        reply(R"("A")", "", R"("7")"),
        reply(R"("A")", R"("config_sound":17)"),            // number, not text
        reply(R"("A")", R"("config_sound":"x")"),
        reply(R"("A")", R"("config_sound":"99999999999999999999999")"),
    };
    for (const std::string& text : cases) {
        UserDataRecord record;
        EXPECT_FALSE(parseUserResponse(text, record)) << text;
        EXPECT_FALSE(record.name.empty()) << text;
        EXPECT_EQ(record.configSound, kSaveDataMissing) << text;
        EXPECT_EQ(record.score[0], 0u) << text;
    }
}

TEST(UserLoadJson, ControlStatus) {
    const std::pair<const char*, bool> cases[] = {
        {R"({"control":{"online":1}})", true},
        {R"({"control":{"online":1.0},"user":{}})", true},
        {R"({"control":{"online":0}})", false},
        {R"({"control":{"online":2}})", false},
        {R"({"control":{"online":4294967297}})", false},
        {R"({"control":{"online":-1}})", false},
        {R"({"control":{"online":1e999}})", false},
        {R"({"control":{"online":"1"}})", false},
        {R"({"control":[1]})", false},
        {R"({"online":1})", false},
        {"[]", false},
        {"{", false},
    };
    for (const auto& [text, online] : cases) EXPECT_EQ(parseControlStatus(text), online) << text;
}

}  // namespace
