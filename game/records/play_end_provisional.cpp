// Provisional: the play records replace this file.
#include <string>

#include "game/core/glue_provisional.h"
#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "game/records/play_end.h"
#include "game/records/player_name.h"
#include "game/records/ranking_file.h"
#include "game/records/user_load_json.h"

void playRecordFinish(RankingRecord& record) { rankingCopyName(record.name, currentPlayerName()); }

int32_t playDataUpload() {
    if (!abaasGs) return 1;
    std::string body;
    userIdToJson(body, uint32_t(cardUserId));
    return abaasGs->client.requestUserSave(kUserSlot, body) == 0 ? 0 : 1;
}
