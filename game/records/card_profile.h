#pragma once
// The player's profile: the card user's id, name, best records and fourteen
// stored settings as the game server keeps them, and the card login's own
// words. A player without a card is the guest: id 0, all records zero,
// "NO NAME" and the guest's settings. Game init and the end of a card
// user's play reset it to the guest; the title clears it before a login.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <string>

#include "game/records/user_data.h"

struct CardProfile {
    int32_t loginCursor = 0;
    int32_t loginState = 0;  // 0 idle, 1..15 the login's steps
    int32_t loginError = 0;  // 0 none, 1 card read, 2 refused by the server, 3 no answer
    int32_t loginPhase = 0;  // 0 none, 1 profile load, 2 game start outstanding
    bool accessCodeMode = false;
    uint8_t retryCount = 0;  // 0..4
    std::string replyText;   // the client writes the last reply here
    int32_t secondsLeft = 0;
    int32_t frameCount = 0;  // frames left of the current second, 60..1
    bool buttonHeld = false;
    int32_t aimeId = 0;  // 0 or -1: the guest
    std::u16string userName = u"NO NAME";

    // Stored settings, in the server's key order.
    int32_t configSound = 0;
    int32_t configGameSelect = 0;
    int32_t configSaStage = 1;
    int32_t configSaFigType = 0;
    int32_t configSaAssist = 1;
    int32_t configSaDramatic = 1;
    int32_t configStMode = 1;
    int32_t configStFigType = 0;
    int32_t configStAssist = 1;
    int32_t configStDramatic = 1;
    int32_t configShot = 1;
    int32_t configBomb = 2;
    int32_t configRapid = 3;
    int32_t configBlow = 5;

    // The record block: bests per mode (NOVICE..EXPERT) and leader type,
    // max ranks of ORIGINAL and EXPERT, score-attack bests per stage and type.
    std::array<std::array<uint64_t, 4>, 4> bestScore{};
    std::array<std::array<uint32_t, 4>, 4> bestStage{};  // 1..5, 6 ALL, 7 TRUE ALL
    std::array<std::array<uint32_t, 4>, 2> bestMaxRank{};
    std::array<std::array<uint64_t, 4>, 5> saBestScore{};
    std::array<std::array<uint32_t, 4>, 5> saBestMaxRank{};

    int32_t recordsPage = 0;  // 0..2
};

extern CardProfile cardProfile;

// One stored setting in the profile and in the server's record; the four
// button assignments are taken from a reply only together.
struct CardStoredSetting {
    int32_t CardProfile::* profile;
    uint32_t UserDataRecord::* data;
    bool button;
};
extern const std::array<CardStoredSetting, kSaveDataSettings> cardStoredSettings;

// Before a login: every login word, the id and the records to zero, then the guest.
void cardProfileClear();
// The guest: id 0, no error or phase, records zero, "NO NAME", the guest settings.
void cardProfileResetGuest();
// A card user is logged in (the id is neither 0 nor -1).
bool cardProfileIsCardUser();
// The game server started the game for the player and the login handed
// over (phase 2, state 0): the keep-alive then minds the user slot.
bool cardProfileGameStarted();
// The record block and the stored settings, to and from the server's record.
void cardProfileRecordsFrom(const UserDataRecord& data);
void cardProfileToUserData(UserDataRecord& data);
