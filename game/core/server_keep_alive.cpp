#include "game/core/server_keep_alive.h"

#include "game/records/abaas_gs.h"
#include "game/records/card_profile.h"
#include "game/records/user_load_json.h"
#include "platform/arcade/apm.h"

KeepAliveWords keepAlive;

namespace {

using am::abaas::GsMain;

bool shouldSendAlive() {
    if (!keepAlive.alivePending && keepAlive.aliveTimer > kKeepAlivePeriod) return true;
    if (!keepAlive.authenticationDone && _AllnetAuth_isGood()) return true;
    return !keepAlive.aliveSentOnce;
}

void sendAlive(AbaasGs& front) {
    if (!keepAlive.authenticationDone && _AllnetAuth_isGood()) {
        front.initialize();
        keepAlive.authenticationDone = true;
    }
    front.client.requestServerAlive(kAliveSlot);
    keepAlive.alivePending = true;
    keepAlive.aliveTimer = 0;
    keepAlive.aliveSentOnce = true;
}

enum class Outcome { none, success, failure };

Outcome outcomeOf(int result, bool statusMatters, const GsMain::Result& status) {
    if (result == 1) return Outcome::none;
    bool good = result == 0 && (!statusMatters || (status.httpStatus == 200 && status.appStatus == 0));
    return good ? Outcome::success : Outcome::failure;
}

// The card user's side: the heartbeat and the user slot's answer.
Outcome stepLoggedIn(AbaasGs& front, uint32_t elapsed) {
    if (cardProfileIsCardUser()) {
        keepAlive.heartbeatTimer += elapsed;
        if (keepAlive.heartbeatTimer >= kKeepAlivePeriod) {
            keepAlive.alivePending = true;
            keepAlive.heartbeatTimer = 0;
            std::string body;
            userIdToJson(body, uint32_t(cardProfile.aimeId));
            front.client.requestUserHeartbeat(kUserSlot, body);
        }
    } else {
        keepAlive.heartbeatTimer = 0;
    }
    front.client.update();
    GsMain::Result status;
    keepAlive.frameResult = front.client.getResult(kUserSlot, status);
    keepAlive.frameHttpStatus = status.httpStatus;
    keepAlive.frameResultCode = status.appStatus;
    return keepAlive.alivePending ? outcomeOf(keepAlive.frameResult, false, status) : Outcome::none;
}

Outcome stepAlive(AbaasGs& front) {
    if (!keepAlive.alivePending) return Outcome::none;
    front.client.update();
    GsMain::Result status;
    return outcomeOf(front.client.getResult(kAliveSlot, status), true, status);
}

void settle(AbaasGs& front, Outcome outcome) {
    if (outcome == Outcome::success) {
        keepAlive.aliveAttempts = 3;
        keepAlive.alivePending = false;
        front.online = true;
    } else if (outcome == Outcome::failure) {
        keepAlive.alivePending = false;
        front.online = false;
        if (keepAlive.aliveAttempts < 3) ++keepAlive.aliveAttempts;
    }
}

}  // namespace

void keepAliveReset() {
    keepAlive = KeepAliveWords{};
    keepAlive.authenticationDone = _AllnetAuth_isGood();
}

void SDL2_wheel_ServerKeepAlive(uint32_t elapsedMicroseconds) {
    keepAlive.aliveTimer += elapsedMicroseconds;
    keepAlive.frameHttpStatus = keepAlive.frameResultCode = 0;
    keepAlive.frameResult = KeepAliveWords::kNoResult;
    if (!abaasGs) return;
    AbaasGs& front = *abaasGs;
    front.setupTitleServer();
    if (shouldSendAlive()) sendAlive(front);
    if (keepAlive.aliveAttempts < 3) keepAlive.alivePending = true;
    settle(front, cardProfileGameStarted() ? stepLoggedIn(front, elapsedMicroseconds) : stepAlive(front));
    if (keepAlive.authenticationDone) keepAlive.authenticationDone = _AllnetAuth_isGood();
}
