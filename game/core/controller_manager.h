#pragma once
// controller::Manager: the cabinet's 16 switch bytes and the keyboard's key
// bytes, bound to logical inputs in eight binding groups, and the logical
// states (this frame's and the last) the bindings give. The platform update
// writes the switch bytes and calls update once a frame; the input poll and
// the exit checks read group 0's states.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <vector>

#include "game/core/singleton.h"

namespace controller {

enum BindingKind : uint8_t { kBindKeyboard = 0, kBindSwitch = 1 };

struct ControllerBinding {
    uint8_t logicalId = 0;
    uint8_t sourceKind = kBindSwitch;
    uint8_t keyCode = 0;
    uint8_t switchIndex = 0;
};

struct LogicalState {
    uint8_t current = 0;
    uint8_t previous = 0;
};

class Manager : public Singleton<Manager> {
public:
    static constexpr int kGroups = 8;
    static constexpr int kSwitches = 16;

    // Appends the binding and gives its logical id a state (both off) when it has none.
    void addBinding(int group, const ControllerBinding& binding);
    // Every logical state of every group: previous = current, current = the
    // OR of that id's bindings.
    void update();
    // Group 0's pair; null for an id with no entry.
    const LogicalState* logicalState(uint8_t logicalId) const;
    bool risingEdge(uint8_t logicalId) const;

    std::array<uint8_t, 255> keyState{};
    std::array<uint8_t, kSwitches> switchState{};

private:
    bool sourceOn(const ControllerBinding& binding) const;

    std::array<std::vector<ControllerBinding>, kGroups> bindings_;
    std::array<std::map<uint8_t, LogicalState>, kGroups> states_;
};

}  // namespace controller
