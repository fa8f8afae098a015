// The user/save bodies: which savedata they carry, the six ranking ids and
// the display text, and no rankings member while the front turns them off.
#include "game/records/save_payload.h"

#include <gtest/gtest.h>
#include <picojson.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/game/records/gs_front_fixture.h"

namespace {

class SavePayloadTest : public GsFrontFixture {
protected:
    void SetUp() override {
        settings.locationName = "HOME";
        installCabinet();
        record.score[saveDataScoreKey(0, 0)] = 123456789012ull;
        record.stage[0] = 5;
        record.configShot = 7;
        record.configGameSelect = 100000;
    }

    static picojson::object parse(const std::string& body) {
        picojson::value root;
        EXPECT_EQ(picojson::parse(root, body), "") << body;
        return root.is<picojson::object>() ? root.get<picojson::object>() : picojson::object{};
    }

    static std::vector<std::string> savedataKeys(const picojson::object& root) {
        std::vector<std::string> keys;
        const auto& savedata = root.at("user").get("savedata").get<picojson::object>();
        for (const auto& [key, value] : savedata) {
            EXPECT_TRUE(value.is<std::string>()) << key;
            keys.push_back(key);
        }
        return keys;
    }

    static std::vector<int> rankingIds(const picojson::object& root) {
        std::vector<int> ids;
        for (const picojson::value& entry : root.at("rankings").get<picojson::array>()) {
            ids.push_back(int(entry.get("ranking_id").get<double>()));
        }
        return ids;
    }

    UserDataRecord record;
};

const std::vector<std::string> kSettings = {
    "config_blow", "config_bomb", "config_gameselect", "config_rapid", "config_saassist", "config_sadramatic",
    "config_safigtype", "config_sastage", "config_shot", "config_sound", "config_stassist", "config_stdramatic",
    "config_stfigtype", "config_stmode"};

std::vector<std::string> withSettings(std::vector<std::string> keys) {
    keys.insert(keys.end(), kSettings.begin(), kSettings.end());
    std::sort(keys.begin(), keys.end());
    return keys;
}

TEST_F(SavePayloadTest, GameModePlays) {
    const struct {
        uint32_t category, type;
        std::vector<int> ids;
        std::vector<std::string> keys;
    } cases[] = {
        {0, 0, {1, 2, 46, 47, 91, 92}, {"score_nov_a", "stage_nov_a"}},
        {2, 2, {11, 14, 56, 59, 101, 104}, {"maxrank_ori_c", "score_ori_c", "stage_ori_c"}},
        {3, 1, {16, 18, 61, 63, 106, 108}, {"maxrank_exp_b", "score_exp_b", "stage_exp_b"}},
        {4, 0, {21, 22, 66, 67, 111, 112}, {}},  // not a game mode: no played keys
        {0, 4, {0, 0, 0, 0, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        std::string body;
        rankingToJson(body, 9, record, 123456789012ull, c.category, c.type, 3, 0, 0, 7, 0);
        picojson::object root = parse(body);
        EXPECT_EQ(rankingIds(root), c.ids) << c.category << c.type;
        EXPECT_EQ(savedataKeys(root), withSettings(c.keys)) << body;
        EXPECT_EQ(root.at("user").get("user_id").get<double>(), 9.0);
    }
}

TEST_F(SavePayloadTest, ScoreAttackPlays) {
    const struct {
        uint32_t stage, type;
        std::vector<int> ids;
        std::vector<std::string> keys;
    } cases[] = {
        {2, 3, {26, 30, 71, 75, 116, 120}, {"maxrank_sa_st2_d", "score_sa_st2_d"}},
        {5, 0, {41, 42, 86, 87, 131, 132}, {"maxrank_sa_st5_a", "score_sa_st5_a"}},
        {0, 0, {0, 0, 0, 0, 0, 0}, {}},
        {6, 1, {0, 0, 0, 0, 0, 0}, {}},
    };
    for (const auto& c : cases) {
        std::string body;
        scoreAttackRankingToJson(body, 9, record, 5, c.stage, 1, 0, 0, 7, c.type, 1);
        picojson::object root = parse(body);
        EXPECT_EQ(rankingIds(root), c.ids) << c.stage;
        EXPECT_EQ(savedataKeys(root), withSettings(c.keys)) << body;
    }
}

TEST_F(SavePayloadTest, RankingIdTable) {
    EXPECT_EQ(rankingEntryId(0, 0, 0), 1);
    EXPECT_EQ(rankingEntryId(5, 8, 3), 135);
    EXPECT_EQ(rankingEntryId(0, 9, 0), 0);
    EXPECT_EQ(rankingEntryId(1, 0, 4), 0);
    EXPECT_EQ(rankingEntryId(6, 0, 0), 0);
}

TEST_F(SavePayloadTest, OneBodyInFull) {
    std::string body;
    rankingToJson(body, 9, record, 123456789012ull, 0, 0, 7, 1, 2, 3, 0);
    const std::string pilotA = rankingPilotNames[0];
    std::string expected = R"({"rankings":[)";
    for (int id : {1, 2, 46, 47, 91, 92}) {
        if (id != 1) expected += ',';
        expected += R"({"filter1":0,"filter2":0,"filter3":0,"optional_data":")" + pilotA +
                    ",RANK 03,TRUE ALL TRUE\u30DC\u30B9,HOME,OFF\",\"ranking_id\":" + std::to_string(id) +
                    R"(,"score":123456789012,"sub_score":0})";
    }
    expected += R"(],"user":{"savedata":{"config_blow":"0","config_bomb":"0","config_gameselect":"100000",)"
                R"("config_rapid":"0","config_saassist":"0","config_sadramatic":"0","config_safigtype":"0",)"
                R"("config_sastage":"0","config_shot":"7","config_sound":"0","config_stassist":"0",)"
                R"("config_stdramatic":"0","config_stfigtype":"0","config_stmode":"0",)"
                R"("score_nov_a":"123456789012","stage_nov_a":"5"},"user_id":9}})";
    EXPECT_EQ(body, expected);
}

TEST_F(SavePayloadTest, RankingsOffLeavesNoMember) {
    AbaasGs::create()->rankingUpload = false;
    std::string body;
    rankingToJson(body, 9, record, 1, 0, 0, 1, 0, 0, 0, 0);
    EXPECT_EQ(parse(body).count("rankings"), 0u);
    scoreAttackRankingToJson(body, 9, record, 1, 1, 0, 0, 0, 0, 0, 0);
    EXPECT_EQ(parse(body).count("rankings"), 0u);
    EXPECT_EQ(body.find("rankings"), std::string::npos);
}

TEST_F(SavePayloadTest, StageParts) {
    const std::string stage3 = "\u30B9\u30C6\u30FC\u30B83";
    const struct {
        uint32_t stage, trueRoute, progress;
        std::string text;
    } normal[] = {
        {3, 1, 2, stage3 + " TRUE\u30DC\u30B9"},
        {3, 0, 2, stage3 + " \u30DC\u30B9"},
        {3, 0, 1, stage3 + " \u4E2D\u30DC\u30B9"},
        {6, 0, 0, "ALL"},
        {7, 1, 3, "TRUE ALL"},
        {0, 0, 0, " "},
        {0, 0, 1, "  \u4E2D\u30DC\u30B9"},
    };
    for (const auto& c : normal) EXPECT_EQ(rankingStageText(c.stage, c.trueRoute, c.progress), c.text) << c.stage;

    const struct {
        uint32_t stage, finished, trueRoute, progress;
        std::string text;
    } scoreAttack[] = {
        {3, 1, 1, 2, stage3 + " TRUE\u30DC\u30B9TRUE\u30AF\u30EA\u30A2"},
        {3, 1, 0, 0, stage3 + "\u30AF\u30EA\u30A2"},
        {3, 2, 0, 0, stage3},
        {0, 0, 0, 0, "\u4E0D\u6B63\u306A\u5024"},
        {6, 0, 0, 1, "\u4E0D\u6B63\u306A\u5024 \u4E2D\u30DC\u30B9"},
    };
    for (const auto& c : scoreAttack) {
        EXPECT_EQ(scoreAttackStageText(c.stage, c.finished, c.trueRoute, c.progress), c.text) << c.stage;
    }
}

TEST_F(SavePayloadTest, DisplayText) {
    const std::string stage3Boss = "\u30B9\u30C6\u30FC\u30B83 TRUE\u30DC\u30B9";
    EXPECT_EQ(rankingDisplayText(1, 7, stage3Boss, 0),
              std::string(rankingPilotNames[1]) + ",RANK 07," + stage3Boss + ",HOME,OFF");
    EXPECT_EQ(rankingDisplayText(3, 100, "ALL", 2), std::string(rankingPilotNames[3]) + ",RANK 100,ALL,HOME,ON");
    EXPECT_EQ(rankingDisplayText(4, 0, " ", 0), ",RANK 00, ,HOME,OFF");
}

TEST_F(SavePayloadTest, LocationNamesAreNotEscaped) {
    settings.locationName = "A,B";
    installCabinet();
    EXPECT_EQ(rankingDisplayText(0, 1, "ALL", 0), std::string(rankingPilotNames[0]) + ",RANK 01,ALL,A,B,OFF");
}

TEST_F(SavePayloadTest, PilotNamesHaveTheirLengths) {
    const size_t katakana[] = {2, 3, 4, 4};  // three UTF-8 bytes each
    for (int t = 0; t < 4; ++t) EXPECT_EQ(std::string(rankingPilotNames[t]).size(), 3 * katakana[t]);
}

}  // namespace
