#pragma once
// The arcade platform library's calls as the game makes them: the cabinet's
// step, its 16 switches, credits and coins, the play-sequence bookkeeping,
// operator settings, identity, network authentication and the card reader.
// Our stand-in answers them from arcade::Cabinet (cabinet.h): keyboard and
// pads, its settings file and an optional script.
//
// Wide texts are NUL-terminated and stay valid until the next call that
// returns the same text. Threads: main thread only; the coin-in hook runs
// inside _Core_execute on the calling thread.

#include <cstdint>

// The credit count and play description the bookkeeping calls take.
struct ApmPlayDescriptor {
    bool enabled = false;
    int32_t kind = 0;
    int32_t count = 0;
};

// What a bookkeeping call writes back: whether the platform took the play.
struct ApmSequenceResult {
    bool accepted = false;
    int32_t code = 0;
};

// The platform's bookkeeping; the first word is the play count.
struct ApmBookkeeping {
    int32_t playCount = 0;
    int32_t coinCount = 0;
    int32_t serviceCount = 0;
};

struct ApmKeychipRecord {
    wchar_t keychipId[12] = {};
};

struct ApmGameVersion {
    uint32_t major = 0;
    uint32_t minor = 0;
};

// The 20 characters of a card's access code, 16-bit each.
struct ApmAccessCode {
    char16_t digits[21] = {};
};

// Called from inside _Core_execute: event 1 a coin, 2 a credit counted.
using ApmCoinInHook = bool (*)(int32_t event);

// Core and errors.
bool _Core_execute();
bool _Core_exitGame(int32_t code);
bool _Core_isExitNeeded();
bool _Error_isOccurred();

// Switches 0..15; anything else is off.
bool _Input_isOn(int32_t switchIndex);

// Operator settings: true when the setting was read.
bool _ApmSystemSetting_getFixedTitle(bool* fixedTitle);
bool _ApmSystemSetting_getAdvertizeSound(bool* advertizeSound);
// Seconds to the shop's closing time, -1 when it has none.
bool _ApmSystemSetting_getTimeToClosingTime(int32_t* seconds);

// Credits.
bool _Credit_isFreePlay();
bool _Credit_isZero();
bool _Credit_isGameCostEnough(int32_t players);
int32_t _Credit_getCredit();
const wchar_t* _Credit_toString(int32_t player);
void _Credit_setCoinInHook(ApmCoinInHook hook);

// Play sequence.
bool _Sequence_beginPlay(bool enabled, int32_t kind, int32_t userId, ApmSequenceResult* result, int32_t players);
bool _Sequence_continuePlay(int32_t players, int32_t kind, ApmPlayDescriptor play, ApmSequenceResult* result,
                            bool payNow);
bool _Sequence_endPlay(ApmPlayDescriptor play, ApmSequenceResult* result);
const ApmBookkeeping* _Sequence_getBookkeeping();
bool _Sequence_clearBackup();

// Identity.
const ApmKeychipRecord* _System_getKeychipId();
const wchar_t* _System_getGameId();
const ApmGameVersion* _System_getGameVersion();
// The application's root folder, ending with a separator.
const wchar_t* _System_getAppRootPath();

// Network authentication.
bool _AllnetAuth_isGood();
int32_t _AllnetAuth_getLocationId();
const wchar_t* _AllnetAuth_getLocationName();
const wchar_t* _AllnetAuth_getAbaasGsServerName();

// Card reader.
bool _Aime_start();
bool _Aime_isBusy();
bool _Aime_hasConfirm();
int32_t _Aime_getConfirm();
bool _Aime_acceptConfirm();
bool _Aime_hasError();
int32_t _Aime_getErrorCategory();
bool _Aime_hasResult();
bool _Aime_getAimeId(int32_t* aimeId);
bool _Aime_getAccessCode(ApmAccessCode* accessCode);
bool _Aime_cancel();
void _Aime_setLedSuccess();
void _Aime_setLedError();
bool _Aime_isDBAlive();
