#include "platform/arcade/cabinet_script.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>
#include <string_view>

#include "platform/arcade/switch_map.h"

namespace arcade {
namespace {

using Args = std::vector<std::string>;

bool toInt(const std::string& text, int64_t low, int64_t high, int32_t& out) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
    out = int32_t(value);
    return true;
}

bool toFlag(const std::string& text, bool& out) {
    if (text == "on" || text == "yes") return out = true, true;
    if (text == "off" || text == "no") return out = false, true;
    return false;
}

std::string parseSwitches(const Args& args, ScriptAction& action) {
    if (args.empty()) return "names no switch";
    for (const std::string& name : args) {
        std::optional<int> index = switchFromName(name);
        if (!index) return "unknown switch '" + name + "'";
        action.value |= 1 << *index;
    }
    return {};
}

std::string parseFlag(const Args& args, ScriptAction& action) {
    bool flag = false;
    if (args.size() != 1 || !toFlag(args[0], flag)) return "needs on or off";
    action.value = flag;
    return {};
}

std::string parseCount(const Args& args, ScriptAction& action, int32_t low, int32_t high, int32_t fallback) {
    action.value = fallback;
    if (args.size() > 1 || (args.size() == 1 && !toInt(args[0], low, high, action.value))) {
        return "needs a number " + std::to_string(low) + " to " + std::to_string(high);
    }
    if (args.empty() && fallback < low) return "needs a number";
    return {};
}

std::string parseCostEnough(const Args& args, ScriptAction& action) {
    if (args.size() == 1 && args[0] == "auto") return action.value = -1, std::string();
    return parseFlag(args, action);
}

std::string parseClosing(const Args& args, ScriptAction& action) {
    if (args.size() == 1 && args[0] == "none") return action.value = -1, std::string();
    return parseCount(args, action, -86400, 86400, INT32_MIN);
}

std::string parseCard(const Args& args, ScriptAction& action) {
    if (args.size() != 2 || !toInt(args[0], INT32_MIN, INT32_MAX, action.value)) {
        return "needs a card id and a 20-digit access code";
    }
    if (args[1].size() != 20 || !std::all_of(args[1].begin(), args[1].end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return "the access code needs 20 digits";
    }
    action.text = args[1];
    return {};
}

std::string parseAnswer(const Args& args, ScriptAction& action) {
    if (args.size() < 2) return "needs a call and at least one yes or no";
    if (std::find_if(std::begin(kAnswerCalls), std::end(kAnswerCalls),
                     [&](const char* call) { return args[0] == call; }) == std::end(kAnswerCalls)) {
        return "unknown call '" + args[0] + "'";
    }
    action.text = args[0];
    for (size_t i = 1; i < args.size(); ++i) {
        bool flag = false;
        if (!toFlag(args[i], flag)) return "answers are yes or no";
        action.flags.push_back(flag);
    }
    return {};
}

struct Command {
    std::string_view name;
    ScriptOp op;
    std::string (*parse)(const Args&, ScriptAction&);
};

constexpr Command kCommands[] = {
    {"press", ScriptOp::press, parseSwitches},
    {"release", ScriptOp::release, parseSwitches},
    {"coin", ScriptOp::coin, [](const Args& a, ScriptAction& s) { return parseCount(a, s, 1, 100, 1); }},
    {"credits", ScriptOp::credits, [](const Args& a, ScriptAction& s) { return parseCount(a, s, 0, 99, -1); }},
    {"free-play", ScriptOp::freePlay, parseFlag},
    {"cost-enough", ScriptOp::costEnough, parseCostEnough},
    {"closing", ScriptOp::closing, parseClosing},
    {"advertise-sound", ScriptOp::advertiseSound, parseFlag},
    {"fixed-title", ScriptOp::fixedTitle, parseFlag},
    {"exit-needed", ScriptOp::exitNeeded, parseFlag},
    {"error", ScriptOp::error, parseFlag},
    {"network", ScriptOp::network, parseFlag},
    {"card-server", ScriptOp::cardServer, parseFlag},
    {"card", ScriptOp::card, parseCard},
    {"card-confirm", ScriptOp::cardConfirm, [](const Args& a, ScriptAction& s) { return parseCount(a, s, 1, 99, -1); }},
    {"card-error", ScriptOp::cardError, [](const Args& a, ScriptAction& s) { return parseCount(a, s, 0, 99, -1); }},
    {"answer", ScriptOp::answer, parseAnswer},
};

// "tap <switch>... [for <steps>]": a press now and a release later.
std::string parseTap(Args args, ScriptAction& press, ScriptAction& release) {
    int32_t steps = 1;
    if (args.size() >= 2 && args[args.size() - 2] == "for") {
        if (!toInt(args.back(), 1, 1000000, steps)) return "tap ... for needs a number of steps";
        args.resize(args.size() - 2);
    }
    std::string problem = parseSwitches(args, press);
    press.op = ScriptOp::press;
    release = press;
    release.op = ScriptOp::release;
    release.step = press.step + uint32_t(steps);
    return problem;
}

// The step of a line: absolute, or "+n" after the previous line's.
bool parseStep(const std::string& word, uint32_t previous, uint32_t& step) {
    bool relative = !word.empty() && word[0] == '+';
    int32_t value = 0;
    if (!toInt(relative ? word.substr(1) : word, 0, INT32_MAX, value)) return false;
    step = relative ? previous + uint32_t(value) : uint32_t(value);
    return true;
}

std::string parseLine(const Args& words, uint32_t& lastStep, std::vector<ScriptAction>& out, int line) {
    uint32_t step = 0;
    if (words.size() < 2 || !parseStep(words[0], lastStep, step)) return "expected <step> <command> ...";
    Args args(words.begin() + 2, words.end());
    ScriptAction action;
    action.step = step;
    action.line = line;
    if (words[1] == "tap") {
        ScriptAction release;
        std::string problem = parseTap(args, action, release);
        if (!problem.empty()) return problem;
        lastStep = step;
        out.push_back(action);
        out.push_back(release);
        return {};
    }
    for (const Command& command : kCommands) {
        if (command.name != words[1]) continue;
        action.op = command.op;
        std::string problem = command.parse(args, action);
        if (!problem.empty()) return words[1] + ' ' + problem;
        lastStep = step;
        out.push_back(action);
        return {};
    }
    return "unknown command '" + words[1] + "'";
}

}  // namespace

ScriptLoad parseCabinetScript(const std::string& text, const std::string& source) {
    ScriptLoad load;
    std::istringstream lines(text);
    std::string line;
    uint32_t lastStep = 0;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::istringstream wordStream(line.substr(0, line.find('#')));
        Args words;
        for (std::string word; wordStream >> word;) words.push_back(word);
        if (words.empty()) continue;
        std::string problem = parseLine(words, lastStep, load.actions, number);
        if (!problem.empty()) load.problems.push_back(source + ':' + std::to_string(number) + ": " + problem);
    }
    std::stable_sort(load.actions.begin(), load.actions.end(),
                     [](const ScriptAction& a, const ScriptAction& b) { return a.step < b.step; });
    return load;
}

ScriptLoad loadCabinetScript(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return {{}, {path + ": cannot be read"}};
    std::ostringstream text;
    text << file.rdbuf();
    return parseCabinetScript(text.str(), path);
}

}  // namespace arcade
