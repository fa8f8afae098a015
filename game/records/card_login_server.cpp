// The card login's side of the game server: the profile load, the game
// start, their replies with the retry rule, and the profile step.
#include <string>
#include <utility>

#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_login_steps.h"
#include "game/records/card_profile.h"
#include "game/records/sound_lookup.h"
#include "game/records/user_load_json.h"
#include "platform/arcade/apm.h"

namespace {

using am::abaas::GsMain;

constexpr uint8_t kServerRetries = 4;  // a request is made at most five times
constexpr int32_t kServerSeconds = 30;
constexpr int32_t kPhaseProfile = 1;
constexpr int32_t kPhaseGameStart = 2;
constexpr uint16_t kHttpOk = 200;
constexpr uint16_t kStatusRefused = 100;
constexpr int32_t kErrorRefused = 2;
constexpr int32_t kErrorNoAnswer = 3;

// The client with the title server set up; null before the platform start.
GsMain* serverClient() {
    if (!abaasGs) return nullptr;
    abaasGs->setupTitleServer();
    return &abaasGs->client;
}

void serverShowError(int32_t error, bool lamp) {
    cardProfile.loginError = error;
    loginSetTimers(kServerSeconds);
    soundPlayNamed("aime_error");
    if (lamp) _Aime_setLedError();
    cardProfile.loginState = kLoginError;
}

// The request of the phase is made again, up to the limit; then the game
// server counts as offline, so the card choices refuse until the keep-alive
// hears it again. Only the profile load lights the error lamp.
void serverRetry(bool gameStart) {
    CardProfile& p = cardProfile;
    if (p.retryCount < kServerRetries) {
        ++p.retryCount;
        p.loginState = gameStart ? kLoginGameStart : kLoginProfileLoad;
        return;
    }
    if (abaasGs) abaasGs->online = false;
    serverShowError(kErrorNoAnswer, !gameStart);
}

// Each setting the reply carried; the buttons only when all four are assigned.
void serverTakeSettings(const UserDataRecord& data) {
    bool buttonsAssigned = true;
    for (const CardStoredSetting& setting : cardStoredSettings) {
        if (setting.button && data.*setting.data == 0) buttonsAssigned = false;
    }
    for (const CardStoredSetting& setting : cardStoredSettings) {
        const uint32_t value = data.*setting.data;
        const bool taken = setting.button ? buttonsAssigned : value != kSaveDataMissing;
        if (taken) cardProfile.*setting.profile = int32_t(value);
    }
}

// A reply that can't be read is a failed request: the profile is filled
// from a whole reply or not at all.
int32_t serverTakeProfile() {
    CardProfile& p = cardProfile;
    if (parseControlStatus(p.replyText)) {
        serverShowError(kErrorRefused, true);
        return kLoginRunning;
    }
    UserDataRecord data;
    if (!parseUserResponse(p.replyText, data)) {
        serverRetry(false);
        return kLoginRunning;
    }
    p.retryCount = 0;
    p.userName = std::move(data.name);
    cardProfileRecordsFrom(data);
    serverTakeSettings(data);
    loginSetTimers(kServerSeconds);
    loginShowScreen(kLoginRecords, 2, 0);
    soundPlayNamed("aime_success");
    _Aime_setLedSuccess();
    return kLoginRunning;
}

// The user/load request of the phase for the card, its reply into the
// profile's reply text; a refused request takes the retry rule.
void serverLoad(int32_t cardId, int32_t phase) {
    CardProfile& p = cardProfile;
    const bool gameStart = phase == kPhaseGameStart;
    std::string body;
    userLoadRequestToJson(body, uint32_t(cardId));
    p.replyText.clear();
    GsMain* client = serverClient();
    int queued = -1;
    if (client) {
        queued = gameStart ? client->requestUserLoadStart(kUserSlot, body, p.replyText)
                           : client->requestUserLoad(kUserSlot, false, body, p.replyText);
    }
    if (queued == 0) {
        p.loginPhase = phase;
        p.loginState = kLoginReply;
    } else {
        serverRetry(gameStart);
    }
}

}  // namespace

int32_t loginStepProfileLoad(LoginArrows&) {
    _Aime_getAimeId(&cardProfile.aimeId);
    serverLoad(cardProfile.aimeId, kPhaseProfile);
    return kLoginRunning;
}

int32_t loginStepGameStart(LoginArrows&) {
    int32_t cardId = 0;
    _Aime_getAimeId(&cardId);
    serverLoad(cardId, kPhaseGameStart);
    return kLoginRunning;
}

int32_t loginStepReply(LoginArrows&) {
    CardProfile& p = cardProfile;
    const bool gameStart = p.loginPhase == kPhaseGameStart;
    GsMain* client = serverClient();
    GsMain::Result status;
    int result = -1;
    if (client) {
        client->update();
        result = client->getResult(kUserSlot, status);
    }
    if (result == 1) return kLoginRunning;
    const bool answered = result == 0 && status.httpStatus == kHttpOk;
    if (answered && status.appStatus == 0) {
        if (!gameStart) return serverTakeProfile();
        p.retryCount = 0;
        return kLoginPlay;
    }
    if (answered && status.appStatus == kStatusRefused) {
        serverShowError(kErrorRefused, !gameStart);
    } else {
        serverRetry(gameStart);
    }
    return kLoginRunning;
}
