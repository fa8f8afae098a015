#include "game/records/card_profile.h"

CardProfile cardProfile;

namespace {

void clearRecordBlock(CardProfile& profile) {
    profile.bestScore = {};
    profile.bestStage = {};
    profile.bestMaxRank = {};
    profile.saBestScore = {};
    profile.saBestMaxRank = {};
}

void setGuestSettings(CardProfile& profile) {
    const CardProfile guest;
    for (const CardStoredSetting& setting : cardStoredSettings) profile.*setting.profile = guest.*setting.profile;
}

// The server's arrays run type by type within each mode or stage.
template <class To, class From, size_t Rows>
void copyRowsFrom(std::array<std::array<To, 4>, Rows>& to, const From& from) {
    for (size_t i = 0; i < Rows * 4; ++i) to[i / 4][i % 4] = To(from[i]);
}
template <class To, class From, size_t Rows>
void copyRowsTo(To& to, const std::array<std::array<From, 4>, Rows>& from) {
    for (size_t i = 0; i < Rows * 4; ++i) to[i] = from[i / 4][i % 4];
}

}  // namespace

void cardProfileClear() {
    CardProfile& p = cardProfile;
    p.loginState = p.loginError = p.loginPhase = 0;
    p.accessCodeMode = false;
    p.retryCount = 0;
    p.secondsLeft = p.frameCount = 0;
    p.aimeId = 0;
    clearRecordBlock(p);
    p.userName.clear();
    cardProfileResetGuest();
    p.recordsPage = 0;
}

void cardProfileResetGuest() {
    CardProfile& p = cardProfile;
    p.loginError = p.loginPhase = 0;
    p.aimeId = 0;
    clearRecordBlock(p);
    p.userName = CardProfile{}.userName;
    setGuestSettings(p);
}

bool cardProfileIsCardUser() { return cardProfile.aimeId != 0 && cardProfile.aimeId != -1; }

bool cardProfileGameStarted() { return cardProfile.loginPhase == 2 && cardProfile.loginState == 0; }

void cardProfileRecordsFrom(const UserDataRecord& data) {
    CardProfile& p = cardProfile;
    copyRowsFrom(p.bestScore, data.score);
    copyRowsFrom(p.bestStage, data.stage);
    copyRowsFrom(p.bestMaxRank, data.maxRank);
    copyRowsFrom(p.saBestScore, data.saScore);
    copyRowsFrom(p.saBestMaxRank, data.saMaxRank);
}

void cardProfileToUserData(UserDataRecord& data) {
    const CardProfile& p = cardProfile;
    data.userId = uint32_t(p.aimeId);
    copyRowsTo(data.score, p.bestScore);
    copyRowsTo(data.stage, p.bestStage);
    copyRowsTo(data.maxRank, p.bestMaxRank);
    copyRowsTo(data.saScore, p.saBestScore);
    copyRowsTo(data.saMaxRank, p.saBestMaxRank);
    for (const CardStoredSetting& setting : cardStoredSettings) data.*setting.data = uint32_t(p.*setting.profile);
}
