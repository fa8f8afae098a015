#include "game/core/controller_manager.h"

namespace controller {

void Manager::addBinding(int group, const ControllerBinding& binding) {
    if (group < 0 || group >= kGroups) return;
    bindings_[size_t(group)].push_back(binding);
    states_[size_t(group)].try_emplace(binding.logicalId);
}

bool Manager::sourceOn(const ControllerBinding& binding) const {
    if (binding.sourceKind == kBindKeyboard) return binding.keyCode < keyState.size() && keyState[binding.keyCode];
    return binding.switchIndex < switchState.size() && switchState[binding.switchIndex];
}

void Manager::update() {
    for (int group = 0; group < kGroups; ++group) {
        for (auto& [id, state] : states_[size_t(group)]) {
            uint8_t value = 0;
            for (const ControllerBinding& binding : bindings_[size_t(group)]) {
                if (binding.logicalId == id && sourceOn(binding)) value = 1;
            }
            state.previous = state.current;
            state.current = value;
        }
    }
}

const LogicalState* Manager::logicalState(uint8_t logicalId) const {
    auto found = states_[0].find(logicalId);
    return found == states_[0].end() ? nullptr : &found->second;
}

bool Manager::risingEdge(uint8_t logicalId) const {
    const LogicalState* state = logicalState(logicalId);
    return state && state->current && !state->previous;
}

}  // namespace controller
