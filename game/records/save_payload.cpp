#include "game/records/save_payload.h"

#include <picojson.h>

#include <cstdio>

#include "game/core/apm_glue.h"
#include "game/records/abaas_gs.h"

namespace {

constexpr uint32_t kCategoryOriginal = 2;
constexpr uint32_t kFamilyIds = 45;
constexpr uint32_t kLastCategory = 8;

constexpr char kMidBoss[] = " \u4E2D\u30DC\u30B9";             // " 中ボス"
constexpr char kBoss[] = " \u30DC\u30B9";                        // " ボス"
constexpr char kTrueBoss[] = " TRUE\u30DC\u30B9";                // " TRUEボス"
constexpr char kInvalidStage[] = "\u4E0D\u6B63\u306A\u5024";     // "不正な値"
constexpr char kCleared[] = "\u30AF\u30EA\u30A2";                // "クリア"

void addSaveDataKey(picojson::object& savedata, const UserDataRecord& record, int keyIndex) {
    const SaveDataKey& key = saveDataKeys[size_t(keyIndex)];
    savedata[key.name] = picojson::value(std::to_string(userDataGet(record, key)));
}

void addSettings(picojson::object& savedata, const UserDataRecord& record) {
    for (int k = kFirstSettingKey; k < kSaveDataKeys; ++k) addSaveDataKey(savedata, record, k);
}

std::string progressSuffix(uint32_t trueRoute, uint32_t stageProgress) {
    if (stageProgress == 1) return kMidBoss;
    if (stageProgress == 2) return trueRoute ? kTrueBoss : kBoss;
    return {};
}

picojson::value rankingEntry(int32_t id, double score, const std::string& displayText) {
    picojson::object entry;
    entry["filter1"] = picojson::value(0.0);
    entry["filter2"] = picojson::value(0.0);
    entry["filter3"] = picojson::value(0.0);
    entry["optional_data"] = picojson::value(displayText);
    entry["ranking_id"] = picojson::value(double(id));
    entry["score"] = picojson::value(score);
    entry["sub_score"] = picojson::value(0.0);
    return picojson::value(std::move(entry));
}

// The root of either body; entries only while the front allows them.
void finishBody(std::string& body, uint32_t userId, picojson::object savedata, uint64_t score,
                uint32_t category, uint32_t leaderType, const std::string& displayText) {
    picojson::object user;
    user["savedata"] = picojson::value(std::move(savedata));
    user["user_id"] = picojson::value(double(userId));
    picojson::object root;
    root["user"] = picojson::value(std::move(user));
    const bool rankings = !abaasGs || abaasGs->rankingUploadEnabled();
    if (rankings) {
        picojson::array entries;
        for (int k = 0; k < kRankingEntries; ++k) {
            entries.push_back(rankingEntry(rankingEntryId(k, category, leaderType), double(score), displayText));
        }
        root["rankings"] = picojson::value(std::move(entries));
    }
    body = picojson::value(std::move(root)).serialize();
}

}  // namespace

int32_t rankingEntryId(int entry, uint32_t category, uint32_t leaderType) {
    if (entry < 0 || entry >= kRankingEntries || category > kLastCategory || leaderType > 3) return 0;
    const uint32_t family = uint32_t(entry / 2);
    const uint32_t base = kFamilyIds * family + 5 * category;
    return int32_t(entry % 2 == 0 ? base + 1 : base + 2 + leaderType);
}

std::string rankingStageText(uint32_t stage, uint32_t trueRoute, uint32_t stageProgress) {
    std::string text;
    if (stage >= 1 && stage <= 5) {
        text = rankingStageNames[stage - 1];
    } else if (stage == 6) {
        text = "ALL";
    } else if (stage == 7) {
        text = "TRUE ALL";
    } else {
        text = " ";
    }
    return text + progressSuffix(trueRoute, stageProgress);
}

std::string scoreAttackStageText(uint32_t saStage, uint32_t finished, uint32_t trueRoute, uint32_t stageProgress) {
    std::string text = saStage >= 1 && saStage <= 5 ? rankingStageNames[saStage - 1] : kInvalidStage;
    text += progressSuffix(trueRoute, stageProgress);
    if (finished == 1) text += trueRoute ? std::string("TRUE") + kCleared : std::string(kCleared);
    return text;
}

std::string rankingDisplayText(uint32_t leaderType, uint32_t maxRank, const std::string& stagePart, uint32_t assist) {
    char rank[24];
    std::snprintf(rank, sizeof rank, "RANK %02u", maxRank);
    std::string text = leaderType <= 3 ? rankingPilotNames[leaderType] : "";
    text += ',';
    text += rank;
    text += ',' + stagePart;
    text += ',' + SDL2_wheel_GetLocationName();
    text += assist == 0 ? ",OFF" : ",ON";
    return text;
}

void rankingToJson(std::string& body, uint32_t userId, const UserDataRecord& record, uint64_t score,
                   uint32_t category, uint32_t leaderType, uint32_t stage, uint32_t trueRoute,
                   uint32_t stageProgress, uint32_t maxRank, uint32_t assist) {
    picojson::object savedata;
    if (category <= 3 && leaderType <= 3) {
        addSaveDataKey(savedata, record, saveDataScoreKey(category, leaderType));
        addSaveDataKey(savedata, record, saveDataStageKey(category, leaderType));
        if (category >= kCategoryOriginal) addSaveDataKey(savedata, record, saveDataMaxRankKey(category, leaderType));
    }
    addSettings(savedata, record);
    const std::string text =
        rankingDisplayText(leaderType, maxRank, rankingStageText(stage, trueRoute, stageProgress), assist);
    finishBody(body, userId, std::move(savedata), score, category, leaderType, text);
}

void scoreAttackRankingToJson(std::string& body, uint32_t userId, const UserDataRecord& record, uint64_t score,
                              uint32_t saStage, uint32_t finished, uint32_t trueRoute, uint32_t stageProgress,
                              uint32_t maxRank, uint32_t leaderType, uint32_t assist) {
    picojson::object savedata;
    if (saStage >= 1 && saStage <= 5 && leaderType <= 3) {
        addSaveDataKey(savedata, record, saveDataSaScoreKey(saStage, leaderType));
        addSaveDataKey(savedata, record, saveDataSaMaxRankKey(saStage, leaderType));
    }
    addSettings(savedata, record);
    const std::string text = rankingDisplayText(
        leaderType, maxRank, scoreAttackStageText(saStage, finished, trueRoute, stageProgress), assist);
    // Score-attack categories follow the four game modes; a stage out of range
    // must not wrap into a valid category.
    const uint32_t category = saStage >= 1 && saStage <= 5 ? saStage + 3 : kLastCategory + 1;
    finishBody(body, userId, std::move(savedata), score, category, leaderType, text);
}
