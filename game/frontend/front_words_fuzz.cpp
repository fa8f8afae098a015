// The fuzz build makes no content: empty words in place of the generated
// tables.
#include "game/frontend/front_words.h"
#include "game/records/save_payload.h"

const char leaderLineTable[kFrontWordTypes][kLeaderLineSlots][kSceneLineBytes] = {};
const char partingLineTable[kFrontWordTypes][kPartingLineCount][kSceneLineBytes] = {};
const CreditRollRow creditRollTable[kCreditRollPages][kCreditRollRows] = {};
const char* const rankingPilotNames[4] = {"", "", "", ""};
const char* const titleNoticeLine = "";
const char* const loginScreenTexts[] = {""};
const int32_t loginScreenTextCount = 0;
