#include "engine/motion/motion_variables.h"

#include <cmath>

#include "engine/motion/motion_player.h"

namespace {

constexpr int32_t kVariableEmpty = 0;
constexpr int32_t kVariableHold = 2;
constexpr int32_t kVariableTween = 3;

}  // namespace

void MMotionVariables::load(MMotionPlayer& player, const PSBValue& timeline) {
    std::vector<MMotionVariable>& records = player.timelineState().variables;
    records.clear();
    const PSBValue list = timeline.get("variable");
    records.resize(list.getCount());
    for (uint32_t i = 0; i < list.getCount(); ++i) {
        const PSBValue v = list.at(i);
        MMotionVariable& record = records[i];
        const std::string label = v.get("label").toString();
        record.frameList = v.get("frameList");
        const std::string scope = v.get("scope").toString();
        record.fullName = scope.empty() ? label : scope + "::" + label;
    }
}

void MMotionVariables::loadFrameHeader(MMotionVariableFrame& frame, uint32_t index, const PSBValue& frameList) {
    frame.frameIndex = index;
    frame.time = frameList.at(index).get("time").toFloat();
    frame.loaded = false;
}

// A type other than empty, hold or tween keeps the flags the slot had.
void MMotionVariables::loadFrameContent(MMotionVariableFrame& frame, const PSBValue& frameList,
                                        MMotionCurveCache* cache) {
    frame.loaded = true;
    const PSBValue f = frameList.at(frame.frameIndex);
    const int32_t type = f.get("type").toInt();
    if (type == kVariableEmpty) {
        frame.empty = true;
        return;
    }
    if (type == kVariableHold || type == kVariableTween) {
        frame.empty = false;
        frame.tween = type == kVariableTween;
    }
    const PSBValue content = f.get("content");
    frame.interval = uint32_t(content.get("interval").toInt());
    frame.value = content.get("value").toFloat();
    const PSBValue easing = content.get("easing");
    const int32_t index = easing.getType() == kPSBNull ? -1 : easing.toInt();
    frame.easing.assign(index >= 0 ? motionEasingList(f.document()) : PSBValue(), index, cache);
}

float MMotionVariables::valueAt(MMotionVariable& variable, float t) {
    MMotionVariableFrame& c = variable.slots[variable.currentSlot];
    const MMotionVariableFrame& n = variable.slots[1 - variable.currentSlot];
    // A list of one frame holds it in both slots: nothing to tween towards.
    if (!c.tween || n.empty || n.frameIndex == c.frameIndex || n.time == c.time) return c.value;
    if (c.value == n.value) return c.value;
    float d = t - c.time;
    if (c.interval != 0) d = std::trunc(d / float(c.interval)) * float(c.interval);
    const float e = easeFraction(d / (n.time - c.time), c.easing.get());
    return c.value * (1.0f - e) + e * n.value;
}

void MMotionVariables::evaluate(MMotionPlayer& player) {
    for (MMotionVariable& variable : player.timelineState().variables) {
        if (variable.slots[variable.currentSlot].empty) continue;
        variable.value = valueAt(variable, player.scanTime());
        player.setVariable(variable.fullName, variable.value);
    }
}
