#include "game/records/play_upload.h"

#include <string>

#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_profile.h"
#include "game/records/play_records.h"
#include "game/records/save_payload.h"

namespace {

constexpr int32_t kNoFront = -3;

void playUploadBody(std::string& body) {
    UserDataRecord data;
    cardProfileToUserData(data);
    const RankingRecord& last = playRecords.last;
    if (playRecordIsScoreAttack(last.category)) {
        const uint32_t saStage = last.category - kFirstScoreAttackCategory + 1;
        scoreAttackRankingToJson(body, data.userId, data, last.score, saStage, last.finished, last.trueRoute,
                                 last.stageProgress, last.maxRank, last.leaderType, last.assist);
    } else {
        rankingToJson(body, data.userId, data, last.score, last.category, last.leaderType, last.stage,
                      last.trueRoute, last.stageProgress, last.maxRank, last.assist);
    }
}

}  // namespace

int32_t playDataUpload() {
    if (!cardProfileIsCardUser()) return 0;
    if (!abaasGs) return kNoFront;
    abaasGs->setupTitleServer();
    std::string body;
    playUploadBody(body);
    return abaasGs->client.requestUserSave(kUserSlot, body);
}
