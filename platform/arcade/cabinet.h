#pragma once
// arcade::Cabinet: the state behind our stand-in for the arcade platform
// library (apm.h). One cabinet serves the process; it is made on first use
// from its settings file ($HALVIR_CABINET_SETTINGS or the XDG default) and,
// when $HALVIR_CABINET_SCRIPT names one, a script. Tests install their own
// with installCabinet.
//
// Each _Core_execute is one step: the script's actions of that step, the
// keyboard and pads (unless liveControls is off), the card reader, then the
// coins, each through the coin-in hook. Switches are the OR of what the
// script holds and what the keyboard and pads hold.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/arcade/apm.h"
#include "platform/arcade/cabinet_script.h"
#include "platform/arcade/cabinet_settings.h"
#include "platform/arcade/card_reader.h"

namespace arcade {

// One _Sequence_* call as the game made it, with the answer it got.
struct SequenceCall {
    std::string call;  // "begin-play", "continue-play", "end-play", "get-bookkeeping", "clear-backup"
    int32_t step = 0;
    std::vector<int32_t> args;
    bool answer = false;
};

class Cabinet {
public:
    explicit Cabinet(const CabinetSettings& settings = {});

    void setScript(std::vector<ScriptAction> actions);
    // One platform step; calls the coin-in hook for every coin and credit.
    void execute();
    int32_t stepCount() const { return steps_; }

    // What the script or a test sets.
    bool liveControls = true;
    uint16_t heldSwitches = 0;
    bool freePlay = true;
    int32_t credits = 0;
    int32_t gameCost = 1;
    int32_t costEnough = -1;  // 1 always, 0 never, -1 from the credits
    int32_t closingSeconds = -1;
    bool advertiseSound = true;
    bool fixedTitle = false;
    bool exitNeeded = false;
    bool error = false;
    bool network = false;
    bool cardServer = true;
    bool cardReaderFitted = false;
    CardReader cardReader;
    void insertCoins(int32_t count) { pendingCoins_ += count; }
    // Answers for the next calls of one of kAnswerCalls; then the default.
    void queueAnswers(const std::string& call, const std::vector<bool>& answers);
    bool takeAnswer(const std::string& call, bool fallback);

    // What the game did.
    std::vector<int32_t> exitGameCalls;
    std::vector<SequenceCall> sequenceCalls;
    ApmBookkeeping bookkeeping;
    ApmCoinInHook coinInHook = nullptr;
    std::vector<bool> coinHookAnswers;

    bool switchOn(int index) const;
    bool gameCostEnough(int32_t players) const;
    void recordExit(int32_t code);
    void recordSequence(const std::string& call, std::vector<int32_t> args, bool answer);
    // Also writes each record as a line to this file ("" none): "<step>
    // exit-game <code>" or "<step> <call> <args>... -> yes|no".
    std::string recordPath;

    const CabinetSettings& settings() const { return settings_; }

private:
    void apply(const ScriptAction& action);
    void countCoins();

    CabinetSettings settings_;
    std::vector<ScriptAction> script_;
    size_t nextAction_ = 0;
    int32_t steps_ = -1;
    uint16_t liveSwitches_ = 0;
    bool coinKeyDown_ = false;
    bool cardKeyDown_ = false;
    int32_t pendingCoins_ = 0;
    std::map<std::string, std::deque<bool>> answers_;
};

// The process's cabinet, made on first use (see above).
Cabinet& cabinet();
// The environment's cabinet also logs its records to $HALVIR_CABINET_LOG.
// Replaces the process's cabinet (tests); nullptr makes the next use build a
// fresh one from the environment.
void installCabinet(std::unique_ptr<Cabinet> cabinet);
// The cabinet the environment describes; its load problems go to the standard error.
std::unique_ptr<Cabinet> cabinetFromEnvironment();

}  // namespace arcade
