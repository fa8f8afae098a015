#include "game/records/abaas_gs.h"

#include "platform/arcade/apm.h"

AbaasGs* abaasGs = nullptr;

AbaasGs::AbaasGs() { abaasGs = this; }

AbaasGs::~AbaasGs() {
    if (abaasGs == this) abaasGs = nullptr;
}

bool AbaasGs::initialize() {
    am::abaas::GsMain::ClientConfig identity;
    identity.locationId = uint16_t(_AllnetAuth_getLocationId() & 0xFFFF);
    const ApmKeychipRecord* keychip = _System_getKeychipId();
    identity.keychipId = keychip ? abaasWideToNarrow(keychip->keychipId) : std::string();
    if (client.setClientConfig(identity) != 0) return false;
    setupTitleServer();
    return true;
}

void AbaasGs::setupTitleServer() {
    if (titleServerReady || !_AllnetAuth_isGood()) return;
    am::abaas::GsMain::Config config;
    config.gameId = abaasWideToNarrow(_System_getGameId());
    config.serverUri = abaasWideToNarrow(_AllnetAuth_getAbaasGsServerName());
    if (const ApmGameVersion* version = _System_getGameVersion()) {
        // The platform's words are wider than the protocol's bytes: only the low byte counts.
        config.majorVersion = uint8_t(version->major & 0xFF);
        config.minorVersion = uint8_t(version->minor & 0xFF);
    }
    const bool ownGame = config.gameId == kOwnGameId;
    config.titleKey = abaasTitleKey(ownGame);
    if (ownGame) rankingUpload = false;
    titleServerReady = client.setTitleServerConfig(config) == 0;
}

std::vector<uint8_t> abaasTitleKey(bool ownGame) {
    const std::array<uint8_t, 32>& masked = abaasMaskedTitleKeys[ownGame ? 1 : 0];
    std::vector<uint8_t> key(masked.begin(), masked.end());
    for (uint8_t& byte : key) byte ^= kTitleKeyMask;
    return key;
}

std::string abaasWideToNarrow(const wchar_t* wide) {
    std::string narrow;
    for (; wide && *wide; ++wide) {
        if (uint32_t(*wide) > 0x7F) return {};
        narrow += char(*wide);
    }
    return narrow;
}
