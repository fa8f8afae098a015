#pragma once
// The stand-in cabinet's script: what the switches, coins, credits, operator
// settings, network and card reader do at which platform step, and the
// answers the bookkeeping calls give. One action a line, "<step> <command>
// <arguments>" (or "+<steps>" after the previous line's step); README.md
// lists the commands. Step 0 is the start-up call of _Core_execute, step 1
// the first frame's.
//
// Threads: plain functions on values; any thread.

#include <cstdint>
#include <string>
#include <vector>

namespace arcade {

enum class ScriptOp {
    press,          // switches on until released (value: switch bits)
    release,        // switches off (value: switch bits)
    coin,           // value coins inserted
    credits,        // the credit count becomes value
    freePlay,
    costEnough,     // value 1 always, 0 never, -1 from the credits
    closing,        // seconds to closing time, -1 none
    advertiseSound,
    fixedTitle,
    exitNeeded,
    error,
    network,
    cardServer,
    card,           // a card touches the reader: value its id, text its access code
    cardConfirm,    // the next read asks a confirmation of kind value
    cardError,      // the next read fails with category value
    answer,         // text the call, flags the queued answers
};

struct ScriptAction {
    uint32_t step = 0;
    ScriptOp op = ScriptOp::press;
    int32_t value = 0;
    std::string text;
    std::vector<bool> flags;
    int line = 0;
};

struct ScriptLoad {
    std::vector<ScriptAction> actions;  // in step order, stable for one step
    std::vector<std::string> problems;  // "<source>:<line>: <what>"; the line is skipped
};

ScriptLoad parseCabinetScript(const std::string& text, const std::string& source);
// A file that cannot be read is one problem and no action.
ScriptLoad loadCabinetScript(const std::string& path);

// The calls whose answers a script can queue.
inline constexpr const char* kAnswerCalls[] = {"begin-play", "continue-play", "end-play", "clear-backup",
                                               "card-start", "card-cancel"};

}  // namespace arcade
