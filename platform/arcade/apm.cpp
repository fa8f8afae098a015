// The platform library's calls, answered by the process's arcade::Cabinet.
#include "platform/arcade/apm.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/arcade/cabinet.h"
#include "platform/arcade/wide_text.h"

namespace {

arcade::Cabinet& cab() { return arcade::cabinet(); }

// Each text call owns one buffer, valid until its next call.
const wchar_t* held(std::wstring& buffer, const std::string& text) {
    buffer = arcade::wideFromUtf8(text);
    return buffer.c_str();
}

bool networkGood() { return cab().network; }

}  // namespace

bool _Core_execute() {
    cab().execute();
    return true;
}

bool _Core_exitGame(int32_t code) {
    cab().recordExit(code);
    return true;
}

bool _Core_isExitNeeded() { return cab().exitNeeded; }
bool _Error_isOccurred() { return cab().error; }
bool _Input_isOn(int32_t switchIndex) { return cab().switchOn(switchIndex); }

bool _ApmSystemSetting_getFixedTitle(bool* fixedTitle) {
    if (!fixedTitle) return false;
    *fixedTitle = cab().fixedTitle;
    return true;
}

bool _ApmSystemSetting_getAdvertizeSound(bool* advertizeSound) {
    if (!advertizeSound) return false;
    *advertizeSound = cab().advertiseSound;
    return true;
}

bool _ApmSystemSetting_getTimeToClosingTime(int32_t* seconds) {
    if (!seconds) return false;
    *seconds = cab().closingSeconds;
    return true;
}

bool _Credit_isFreePlay() { return cab().freePlay; }
bool _Credit_isZero() { return cab().credits == 0; }
bool _Credit_isGameCostEnough(int32_t players) { return cab().gameCostEnough(players); }
int32_t _Credit_getCredit() { return cab().credits; }

const wchar_t* _Credit_toString(int32_t) {
    static std::wstring text;
    text = std::to_wstring(cab().credits);
    return text.c_str();
}

void _Credit_setCoinInHook(ApmCoinInHook hook) { cab().coinInHook = hook; }

namespace {

// A paid call: accepted by a queued answer, else when the credit covers it;
// an accepted play takes its cost unless the play is free.
bool payPlay(const char* call, std::vector<int32_t> args, ApmSequenceResult* result, bool countPlay) {
    arcade::Cabinet& c = cab();
    bool accepted = c.takeAnswer(call, c.gameCostEnough(1));
    if (accepted && !c.freePlay) c.credits = std::max(0, c.credits - c.gameCost);
    if (accepted && countPlay) ++c.bookkeeping.playCount;
    if (result) *result = {accepted, accepted ? 0 : 1};
    c.recordSequence(call, std::move(args), accepted);
    return accepted;
}

}  // namespace

bool _Sequence_beginPlay(bool enabled, int32_t kind, int32_t userId, ApmSequenceResult* result, int32_t players) {
    return payPlay("begin-play", {enabled, kind, userId, players}, result, true);
}

bool _Sequence_continuePlay(int32_t players, int32_t kind, ApmPlayDescriptor play, ApmSequenceResult* result,
                            bool payNow) {
    return payPlay("continue-play", {players, kind, play.enabled, play.kind, play.count, payNow}, result, false);
}

bool _Sequence_endPlay(ApmPlayDescriptor play, ApmSequenceResult* result) {
    bool accepted = cab().takeAnswer("end-play", true);
    if (result) *result = {accepted, accepted ? 0 : 1};
    cab().recordSequence("end-play", {play.enabled, play.kind, play.count}, accepted);
    return accepted;
}

const ApmBookkeeping* _Sequence_getBookkeeping() {
    cab().recordSequence("get-bookkeeping", {}, true);
    return &cab().bookkeeping;
}

bool _Sequence_clearBackup() {
    bool accepted = cab().takeAnswer("clear-backup", true);
    if (accepted) cab().bookkeeping = {};
    cab().recordSequence("clear-backup", {}, accepted);
    return accepted;
}

const ApmKeychipRecord* _System_getKeychipId() {
    static ApmKeychipRecord record;
    std::wstring id = arcade::wideFromUtf8(cab().settings().keychipId);
    record = {};
    id.copy(record.keychipId, std::size(record.keychipId) - 1);
    return &record;
}

const wchar_t* _System_getGameId() {
    static std::wstring text;
    return held(text, cab().settings().gameId);
}

const ApmGameVersion* _System_getGameVersion() {
    static ApmGameVersion version;
    version = {cab().settings().versionMajor, cab().settings().versionMinor};
    return &version;
}

const wchar_t* _System_getAppRootPath() {
    static std::wstring text;
    std::error_code ignored;  // a root that cannot be made shows in the game's own file errors
    std::filesystem::create_directories(cab().settings().appRoot, ignored);
    return held(text, cab().settings().appRoot);
}

bool _AllnetAuth_isGood() { return networkGood(); }
int32_t _AllnetAuth_getLocationId() { return cab().settings().locationId; }

const wchar_t* _AllnetAuth_getLocationName() {
    static std::wstring text;
    return held(text, cab().settings().locationName);
}

const wchar_t* _AllnetAuth_getAbaasGsServerName() {
    static std::wstring text;
    return held(text, cab().settings().serverHost);
}

bool _Aime_start() {
    arcade::Cabinet& c = cab();
    return c.cardReaderFitted && c.takeAnswer("card-start", true) && c.cardReader.start();
}

bool _Aime_isBusy() { return cab().cardReader.busy(); }
bool _Aime_hasConfirm() { return cab().cardReader.hasConfirm(); }
int32_t _Aime_getConfirm() { return cab().cardReader.confirmKind(); }
bool _Aime_acceptConfirm() { return cab().cardReader.acceptConfirm(); }
bool _Aime_hasError() { return cab().cardReader.hasError(); }
int32_t _Aime_getErrorCategory() { return cab().cardReader.errorCategory(); }
bool _Aime_hasResult() { return cab().cardReader.hasResult(); }

bool _Aime_getAimeId(int32_t* aimeId) {
    const arcade::CardReader::Card* card = cab().cardReader.result();
    if (!card || !aimeId) return false;
    *aimeId = card->aimeId;
    return true;
}

bool _Aime_getAccessCode(ApmAccessCode* accessCode) {
    const arcade::CardReader::Card* card = cab().cardReader.result();
    if (!card || !accessCode) return false;
    *accessCode = {};
    for (size_t i = 0; i < card->accessCode.size() && i < 20; ++i) accessCode->digits[i] = char16_t(card->accessCode[i]);
    return true;
}

bool _Aime_cancel() { return cab().takeAnswer("card-cancel", true) && cab().cardReader.cancel(); }
void _Aime_setLedSuccess() { ++cab().cardReader.ledSuccess; }
void _Aime_setLedError() { ++cab().cardReader.ledError; }
bool _Aime_isDBAlive() { return networkGood() && cab().cardServer; }
