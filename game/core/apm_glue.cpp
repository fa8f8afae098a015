#include "game/core/apm_glue.h"

#include "game/core/app_switches.h"
#include "game/core/coin_hook.h"
#include "game/core/controller_manager.h"
#include "game/core/platform_singletons.h"
#include "game/core/server_keep_alive.h"
#include "game/records/abaas_gs.h"
#include "game/records/card_profile.h"
#include "game/records/user_load_json.h"
#include "platform/arcade/apm.h"
#include "platform/clock/clock.h"

uint8_t leaveToPlatformTest = 0;

namespace {

constexpr uint8_t kLogicalTest = 14;
constexpr uint8_t kLogicalLeave = 13;
constexpr int kSwitches = 16;

uint8_t logicalOfSwitch(int switchIndex) {
    if (switchIndex == 0) return kLogicalTest;
    if (switchIndex == 1) return 15;
    return uint8_t(switchIndex - 2);
}

void bindSwitches(controller::Manager& manager) {
    for (int s = 0; s < kSwitches; ++s) {
        manager.addBinding(0, {logicalOfSwitch(s), controller::kBindSwitch, 0, uint8_t(s)});
    }
}

// Every exit path goes through here, so the platform hears at most one request.
void requestExit(int32_t code) {
    arcade::AMDaemonManager* daemon = arcade::AMDaemonManager::getInstance();
    if (daemon && daemon->exitRequested) return;
    _Core_exitGame(code);
    if (daemon) daemon->exitRequested = true;
}

void readSwitches(controller::Manager& manager) {
    for (int i = 0; i < kSwitches; ++i) manager.switchState[size_t(i)] = _Input_isOn(i) ? 1 : 0;
    manager.update();
}

// The exit rules after the test switch; true when the game should end.
bool exitWanted(const controller::Manager* manager, uint8_t attract) {
    if (attract != 0) {
        bool fixedTitle = false;
        _ApmSystemSetting_getFixedTitle(&fixedTitle);
        if (manager && manager->risingEdge(kLogicalLeave) && !fixedTitle) return true;
    }
    if (toolMode) return false;
    if (attract == 1 && _Core_isExitNeeded()) return true;
    return _Error_isOccurred();
}

std::string utf8FromWide(const wchar_t* wide) {
    std::string out;
    for (; wide && *wide; ++wide) {
        uint32_t c = uint32_t(*wide);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Pumps the client until the slot holds no request. The client's own time-out
// bounds the wait.
void finishSlot(am::abaas::GsMain& client, int slot) {
    am::abaas::GsMain::Result ignored;
    for (;;) {
        client.update();
        if (client.getResult(slot, ignored) != 1) return;
        platform::currentClock().sleep(1);
    }
}

// A card user leaving for the platform's test keeps their play: the save is
// sent and awaited before the client goes away with it.
void saveCardUserBeforeLeaving(AbaasGs& front) {
    front.setupTitleServer();
    finishSlot(front.client, kUserSlot);
    std::string body;
    userIdToJson(body, uint32_t(cardProfile.aimeId));
    if (front.client.requestUserSave(kUserSlot, body) == 0) finishSlot(front.client, kUserSlot);
}

}  // namespace

bool SDL2_wheel_APMInitAfterFramework() {
    if (!AbaasGs::create()->initialize()) return false;
    if (controller::Manager* manager = controller::Manager::getInstance()) bindSwitches(*manager);
    return true;
}

bool SDL2_wheel_APMUpdate(uint32_t elapsedMicroseconds, uint8_t attract) {
    _Core_execute();
    controller::Manager* manager = controller::Manager::getInstance();
    if (manager) readSwitches(*manager);
    SDL2_wheel_ServerKeepAlive(elapsedMicroseconds);
    if (manager && manager->risingEdge(kLogicalTest) && !toolMode) {
        requestExit(1);
        leaveToPlatformTest = 1;
        return true;
    }
    if (exitWanted(manager, attract)) requestExit(0);
    return true;
}

bool SDL2_wheel_APMTerminate() {
    if (leaveToPlatformTest && abaasGs && cardProfileIsCardUser()) saveCardUserBeforeLeaving(*abaasGs);
    requestExit(leaveToPlatformTest ? 1 : 0);
    AbaasGs::destroy();
    controller::Manager::destroy();
    arcade::AMDaemonManager::destroy();
    ModuleFactory::destroy();
    return true;
}

const char* SDL2_wheel_CreditPromptText() {
    if (_Credit_isFreePlay() || _Credit_isGameCostEnough(1)) return " ";
    if (_Credit_isZero()) return "INSERT COIN(S)";
    return "INSERT MORE COIN (S)";
}

int32_t SDL2_wheel_CreditGet() { return _Credit_isFreePlay() ? 1 : _Credit_getCredit(); }

bool SDL2_wheel_SequenceEndPlay() {
    ApmSequenceResult result;
    return _Sequence_endPlay(ApmPlayDescriptor{true, 116, 1}, &result);
}

void SDL2_wheel_CreditSetCoinInHook() { _Credit_setCoinInHook(coinInHook); }

std::string SDL2_wheel_GetLocationName() { return utf8FromWide(_AllnetAuth_getLocationName()); }

std::string SDL2_wheel_GetAppRootPath() { return utf8FromWide(_System_getAppRootPath()); }
