#include "game/core/glue_provisional.h"

#include <cstdlib>
#include <cwchar>
#include <vector>

#include "platform/arcade/apm.h"

AbaasGs* abaasGs = nullptr;
std::array<std::array<uint8_t, 32>, 2> abaasTitleKeys{};

int32_t cardUserId = 0;
int32_t cardLoginState = 0;
int32_t cardLoginBusy = 0;
CardProfile cardProfile;
uint8_t coinFlag = 0;

namespace {

constexpr const char kOwnGameId[] = "KVZD";

std::string abaasWideToNarrow(const wchar_t* wide) {
    if (!wide) return {};
    size_t size = std::wcstombs(nullptr, wide, 0);
    if (size == size_t(-1) || size == 0) return {};
    std::string narrow(size, '\0');
    std::wcstombs(narrow.data(), wide, size);
    return narrow;
}

}  // namespace

bool AbaasGs::initialize() {
    am::abaas::GsMain::ClientConfig identity;
    identity.locationId = uint16_t(_AllnetAuth_getLocationId() & 0xFFFF);
    identity.keychipId = abaasWideToNarrow(_System_getKeychipId()->keychipId);
    if (client.setClientConfig(identity) != 0) return false;
    setupTitleServer();
    return true;
}

void AbaasGs::setupTitleServer() {
    if (titleServerReady || !_AllnetAuth_isGood()) return;
    am::abaas::GsMain::Config config;
    config.gameId = abaasWideToNarrow(_System_getGameId());
    config.serverUri = abaasWideToNarrow(_AllnetAuth_getAbaasGsServerName());
    const ApmGameVersion* version = _System_getGameVersion();
    config.majorVersion = uint8_t(version->major);
    config.minorVersion = uint8_t(version->minor);
    bool ownGame = config.gameId == kOwnGameId;
    const std::array<uint8_t, 32>& key = abaasTitleKeys[ownGame ? 1 : 0];
    config.titleKey.assign(key.begin(), key.end());
    if (ownGame) rankingUpload = false;
    titleServerReady = client.setTitleServerConfig(config) == 0;
}

std::string userIdToJson(int32_t userId) { return R"({"user":{"user_id":)" + std::to_string(userId) + "}}"; }

bool coinInHook(int32_t event) {
    if (event == 1 || event == 2) coinFlag = 1;
    return true;
}
