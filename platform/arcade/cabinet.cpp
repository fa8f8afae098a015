#include "platform/arcade/cabinet.h"

#include <cstdio>
#include <cstdlib>

#include "platform/arcade/switch_map.h"

namespace arcade {
namespace {

std::unique_ptr<Cabinet>& installed() {
    static std::unique_ptr<Cabinet> cabinet;
    return cabinet;
}

void report(const std::vector<std::string>& problems) {
    for (const std::string& problem : problems) std::fprintf(stderr, "cabinet: %s\n", problem.c_str());
}

void appendRecord(const std::string& path, const std::string& line) {
    if (path.empty()) return;
    if (std::FILE* file = std::fopen(path.c_str(), "a")) {
        std::fprintf(file, "%s\n", line.c_str());
        std::fclose(file);
    }
}

}  // namespace

Cabinet::Cabinet(const CabinetSettings& settings)
    : freePlay(settings.freePlay),
      gameCost(settings.gameCost),
      network(settings.network),
      cardServer(settings.cardServer),
      cardReaderFitted(settings.cardReader),
      settings_(settings) {
    if (settings_.appRoot.empty()) settings_.appRoot = defaultAppRoot();
}

void Cabinet::setScript(std::vector<ScriptAction> actions) {
    script_ = std::move(actions);
    nextAction_ = 0;
    while (nextAction_ < script_.size() && int64_t(script_[nextAction_].step) <= steps_) ++nextAction_;
}

void Cabinet::execute() {
    ++steps_;
    while (nextAction_ < script_.size() && int64_t(script_[nextAction_].step) <= steps_) {
        apply(script_[nextAction_++]);
    }
    if (liveControls) {
        LiveControls live = readLiveControls();
        liveSwitches_ = live.switches;
        if (live.coin && !coinKeyDown_) ++pendingCoins_;
        coinKeyDown_ = live.coin;
        if (live.card && !cardKeyDown_) cardReader.present({settings_.cardId, settings_.cardAccessCode});
        cardKeyDown_ = live.card;
    }
    cardReader.step();
    countCoins();
}

void Cabinet::countCoins() {
    for (; pendingCoins_ > 0; --pendingCoins_) {
        ++bookkeeping.coinCount;
        if (coinInHook) coinHookAnswers.push_back(coinInHook(1));
        if (credits < 99) ++credits;
        if (coinInHook) coinHookAnswers.push_back(coinInHook(2));
    }
}

void Cabinet::apply(const ScriptAction& action) {
    switch (action.op) {
    case ScriptOp::press: heldSwitches |= uint16_t(action.value); break;
    case ScriptOp::release: heldSwitches &= uint16_t(~action.value); break;
    case ScriptOp::coin: pendingCoins_ += action.value; break;
    case ScriptOp::credits: credits = action.value; break;
    case ScriptOp::freePlay: freePlay = action.value != 0; break;
    case ScriptOp::costEnough: costEnough = action.value; break;
    case ScriptOp::closing: closingSeconds = action.value; break;
    case ScriptOp::advertiseSound: advertiseSound = action.value != 0; break;
    case ScriptOp::fixedTitle: fixedTitle = action.value != 0; break;
    case ScriptOp::exitNeeded: exitNeeded = action.value != 0; break;
    case ScriptOp::error: error = action.value != 0; break;
    case ScriptOp::network: network = action.value != 0; break;
    case ScriptOp::cardServer: cardServer = action.value != 0; break;
    case ScriptOp::card: cardReader.present({action.value, action.text}); break;
    case ScriptOp::cardConfirm: cardReader.askConfirm(action.value); break;
    case ScriptOp::cardError: cardReader.failNextRead(action.value); break;
    case ScriptOp::answer: queueAnswers(action.text, action.flags); break;
    }
}

void Cabinet::queueAnswers(const std::string& call, const std::vector<bool>& answers) {
    std::deque<bool>& queue = answers_[call];
    queue.insert(queue.end(), answers.begin(), answers.end());
}

bool Cabinet::takeAnswer(const std::string& call, bool fallback) {
    auto found = answers_.find(call);
    if (found == answers_.end() || found->second.empty()) return fallback;
    bool answer = found->second.front();
    found->second.pop_front();
    return answer;
}

bool Cabinet::switchOn(int index) const {
    if (index < 0 || index >= kSwitchCount) return false;
    return ((heldSwitches | liveSwitches_) >> index) & 1;
}

bool Cabinet::gameCostEnough(int32_t players) const {
    if (costEnough >= 0) return costEnough != 0;
    return freePlay || credits >= gameCost * players;
}

void Cabinet::recordExit(int32_t code) {
    exitGameCalls.push_back(code);
    appendRecord(recordPath, std::to_string(steps_) + " exit-game " + std::to_string(code));
}

void Cabinet::recordSequence(const std::string& call, std::vector<int32_t> args, bool answer) {
    std::string line = std::to_string(steps_) + ' ' + call;
    for (int32_t arg : args) line += ' ' + std::to_string(arg);
    appendRecord(recordPath, line + (answer ? " -> yes" : " -> no"));
    sequenceCalls.push_back({call, steps_, std::move(args), answer});
}

Cabinet& cabinet() {
    if (!installed()) installed() = cabinetFromEnvironment();
    return *installed();
}

void installCabinet(std::unique_ptr<Cabinet> cabinet) { installed() = std::move(cabinet); }

std::unique_ptr<Cabinet> cabinetFromEnvironment() {
    SettingsLoad settings = loadCabinetSettings(defaultSettingsPath());
    report(settings.problems);
    auto cabinet = std::make_unique<Cabinet>(settings.settings);
    const char* logPath = std::getenv("HALVIR_CABINET_LOG");
    if (logPath) cabinet->recordPath = logPath;
    const char* scriptPath = std::getenv("HALVIR_CABINET_SCRIPT");
    if (scriptPath && *scriptPath) {
        ScriptLoad script = loadCabinetScript(scriptPath);
        report(script.problems);
        cabinet->setScript(std::move(script.actions));
    }
    return cabinet;
}

}  // namespace arcade
