#include "engine/motion/motion_frame_scan.h"

#include <algorithm>

#include "engine/data/psb_object.h"
#include "engine/motion/motion_frame_mask.h"
#include "engine/motion/motion_layer_loader.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

constexpr int32_t kControlFrame = 1;

uint32_t frameCount(const PSBValue& list) { return list.kind() == PSBKind::List ? list.getCount() : 0; }

float frameTime(const PSBValue& list, uint32_t i) { return list.at(i).get("time").toFloat(); }

uint32_t locateIn(const PSBValue& list, float t) {
    return MMotionFrameScan::locate(frameCount(list), t, [&](uint32_t i) { return frameTime(list, i); });
}

bool belowLast(uint32_t index, uint32_t count) { return int64_t(index) < int64_t(count) - 2; }

// Align and sync pull the time back to the frame; the seek takes an align
// frame only when it lands on it exactly.
void applyControl(MMotionPlayer& player, const PSBValue& frame, float time, bool alignAnywhere) {
    if (frame.get("type").toInt() != kControlFrame) return;
    const PSBValue content = frame.get("content");
    const bool align = content.get("align").toBool();
    const bool sync = content.get("sync").toBool();
    const std::string action = content.get("action").toString();
    if (align && (alignAnywhere || player.scanTime() == time)) {
        player.snapTime(time);
        player.markAlignReached();
    }
    if (sync) {
        player.snapTime(time);
        player.markSyncReached();
        player.pushSync();
    }
    if (!action.empty()) player.pushEvent("", action);
}

void placeCursor(MMotionListCursor& cursor, const PSBValue& list, uint32_t index) {
    cursor.count = frameCount(list);
    cursor.index = index;
    cursor.time = frameTime(list, index);
    cursor.nextTime = frameTime(list, std::min(index + 1, cursor.count - 1));
}

// Move the cursor to the player's scan time frame by frame, applying the
// control frames passed when `control` is set; true when it moved. A snap
// puts the scan time inside the current frame, which ends the loop.
bool cursorForward(MMotionPlayer& player, MMotionListCursor& cursor, const PSBValue& list, bool control) {
    bool moved = false;
    while (belowLast(cursor.index, cursor.count) && player.scanTime() >= cursor.nextTime) {
        cursor.time = cursor.nextTime;
        ++cursor.index;
        cursor.nextTime = frameTime(list, cursor.index + 1);
        moved = true;
        if (control) applyControl(player, list.at(cursor.index), cursor.time, true);
    }
    return moved;
}

bool cursorBackward(MMotionPlayer& player, MMotionListCursor& cursor, const PSBValue& list, bool control) {
    if (cursor.count == 0) return false;
    bool moved = false;
    while (cursor.index > 0 && player.scanTime() < cursor.time) {
        --cursor.index;
        cursor.nextTime = cursor.time;
        cursor.time = frameTime(list, cursor.index);
        moved = true;
        if (control) applyControl(player, list.at(cursor.index), cursor.time, true);
    }
    return moved;
}

// --- variables ---

void loadVariableSlot(MMotionPlayer& player, MMotionVariable& v, uint32_t slot, uint32_t index) {
    MMotionVariables::loadFrameHeader(v.slots[slot], index, v.frameList);
    MMotionVariables::loadFrameContent(v.slots[slot], v.frameList, player.curveCache());
}

void seekVariable(MMotionPlayer& player, MMotionVariable& v) {
    const uint32_t count = v.frameCount = frameCount(v.frameList);
    v.currentSlot = 0;
    if (count == 0) {
        v.slots[0].empty = v.slots[1].empty = true;
        return;
    }
    const uint32_t i = locateIn(v.frameList, player.scanTime());
    loadVariableSlot(player, v, 0, i);
    loadVariableSlot(player, v, 1, std::min(i + 1, count - 1));
}

void settleVariable(MMotionPlayer& player, MMotionVariable& v) {
    for (MMotionVariableFrame& frame : v.slots) {
        if (!frame.loaded) MMotionVariables::loadFrameContent(frame, v.frameList, player.curveCache());
    }
}

void variableForward(MMotionPlayer& player, MMotionVariable& v) {
    const uint32_t count = v.frameCount;
    bool moved = false;
    while (belowLast(v.slots[v.currentSlot].frameIndex, count) &&
           player.scanTime() >= v.slots[1 - v.currentSlot].time) {
        const uint32_t next = v.slots[1 - v.currentSlot].frameIndex + 1;
        MMotionVariables::loadFrameHeader(v.slots[v.currentSlot], next, v.frameList);
        v.currentSlot = 1 - v.currentSlot;
        moved = true;
    }
    if (moved) settleVariable(player, v);
}

void variableBackward(MMotionPlayer& player, MMotionVariable& v) {
    bool moved = false;
    while (player.scanTime() < v.slots[v.currentSlot].time && v.slots[v.currentSlot].frameIndex > 0) {
        const uint32_t previous = v.slots[v.currentSlot].frameIndex - 1;
        MMotionVariables::loadFrameHeader(v.slots[1 - v.currentSlot], previous, v.frameList);
        v.currentSlot = 1 - v.currentSlot;
        moved = true;
    }
    if (moved) settleVariable(player, v);
}

// --- layers ---

float layerTime(MMotionPlayer& player, const MMotionLayerNode& node) {
    const auto& parameters = player.parameters();
    if (node.parameter >= 0 && size_t(node.parameter) < parameters.size()) return parameters[size_t(node.parameter)].value;
    return player.scanTime();
}

bool resolvesSource(int32_t type) { return type == 0 || type == 11 || type == 12; }

void loadContent(MMotionPlayer& player, MMotionLayerNode& node, uint32_t slot) {
    loadFrameContent(node.slots[slot], node.type, node.frameList);
    node.curves[slot].assign(node.slots[slot], node.frameList.document(), player.curveCache());
}

void raiseAction(MMotionPlayer& player, const MMotionLayerNode& node) {
    const MMotionFrameContent& slot = node.slots[node.currentSlot];
    if (!slot.empty && (slot.mask & motion_frame_mask::kMaskAction)) player.pushEvent(node.label, slot.action);
}

// After the slots moved: the content of the frames now held, the source.
void settleLayer(MMotionPlayer& player, MMotionLayerNode& node) {
    node.dirty = true;
    for (uint32_t s = 0; s < 2; ++s) {
        if (!node.slots[s].loaded) loadContent(player, node, s);
    }
    if (resolvesSource(node.type)) MMotionFrameScan::resolveSource(player, node);
}

void seekLayer(MMotionPlayer& player, MMotionLayerNode& node) {
    const uint32_t count = node.frameCount = frameCount(node.frameList);
    node.currentSlot = 0;
    node.dirty = true;
    if (count == 0) {
        for (MMotionFrameContent& slot : node.slots) {
            slot.empty = true;
            slot.loaded = true;
        }
        return;
    }
    const float t = layerTime(player, node);
    const uint32_t i = locateIn(node.frameList, t);
    loadFrameHeader(node.slots[0], i, node.frameList);
    loadContent(player, node, 0);
    loadFrameHeader(node.slots[1], std::min(i + 1, count - 1), node.frameList);
    loadContent(player, node, 1);
    if (resolvesSource(node.type)) MMotionFrameScan::resolveSource(player, node);
    if (node.slots[0].time == t) raiseAction(player, node);
}

// Forward: the next frame becomes current and the frame after it is read
// into the slot just left.
bool stepLayerForward(MMotionPlayer& player, MMotionLayerNode& node, float t, bool actions) {
    const uint32_t count = node.frameCount;
    bool moved = false;
    while (belowLast(node.slots[node.currentSlot].frameIndex, count) && t >= node.slots[1 - node.currentSlot].time) {
        const uint32_t next = node.slots[1 - node.currentSlot].frameIndex + 1;
        loadFrameHeader(node.slots[node.currentSlot], next, node.frameList);
        node.currentSlot = 1 - node.currentSlot;
        if (actions) raiseAction(player, node);
        moved = true;
    }
    return moved;
}

bool stepLayerBackward(MMotionPlayer& player, MMotionLayerNode& node, float t, bool actions) {
    bool moved = false;
    while (t < node.slots[node.currentSlot].time && node.slots[node.currentSlot].frameIndex > 0) {
        const uint32_t previous = node.slots[node.currentSlot].frameIndex - 1;
        loadFrameHeader(node.slots[1 - node.currentSlot], previous, node.frameList);
        node.currentSlot = 1 - node.currentSlot;
        if (actions) raiseAction(player, node);
        moved = true;
    }
    return moved;
}

template <class Step>
void stepLayers(MMotionPlayer& player, Step step) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        MMotionLayerNode& node = nodes[i];
        if (node.parameter >= 0) {
            MMotionFrameScan::parameterLayer(player, node);
        } else if (step(node)) {
            settleLayer(player, node);
        }
    }
}

}  // namespace

void MMotionFrameScan::seek(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    const PSBValue& control = player.controlList();
    state.control.count = 0;
    if (frameCount(control) != 0) {
        placeCursor(state.control, control, locateIn(control, player.scanTime()));
        applyControl(player, control.at(state.control.index), state.control.time, false);
    }
    const PSBValue& priority = player.priorityList();
    state.priority.count = 0;
    if (frameCount(priority) != 0) {
        placeCursor(state.priority, priority, locateIn(priority, player.scanTime()));
        loadPriorityOrder(player);
    }
    for (MMotionVariable& v : state.variables) seekVariable(player, v);
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) seekLayer(player, nodes[i]);
}

void MMotionFrameScan::forward(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    cursorForward(player, state.control, player.controlList(), true);
    if (cursorForward(player, state.priority, player.priorityList(), false)) loadPriorityOrder(player);
    for (MMotionVariable& v : state.variables) variableForward(player, v);
    const float t = player.scanTime();
    stepLayers(player, [&](MMotionLayerNode& node) { return stepLayerForward(player, node, t, true); });
}

void MMotionFrameScan::backward(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    cursorBackward(player, state.control, player.controlList(), true);
    if (cursorBackward(player, state.priority, player.priorityList(), false)) loadPriorityOrder(player);
    for (MMotionVariable& v : state.variables) variableBackward(player, v);
    const float t = player.scanTime();
    stepLayers(player, [&](MMotionLayerNode& node) { return stepLayerBackward(player, node, t, true); });
}

void MMotionFrameScan::parameterLayers(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        if (nodes[i].parameter >= 0) parameterLayer(player, nodes[i]);
    }
}

void MMotionFrameScan::parameterLayer(MMotionPlayer& player, MMotionLayerNode& node) {
    const float p = layerTime(player, node);
    const bool forward = stepLayerForward(player, node, p, false);
    const bool backward = stepLayerBackward(player, node, p, false);
    if (forward || backward) settleLayer(player, node);
}

void MMotionFrameScan::loadPriorityOrder(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    PSBValue content;
    state.drawOrder.clear();
    if (!player.priorityList().at(state.priority.index).find("content", content)) return;
    state.drawOrder = MMotionLayerLoader::drawOrder(content, player.nodes().size());
}

void MMotionFrameScan::resolveSource(MMotionPlayer& player, MMotionLayerNode& node) {
    const MMotionFrameContent& slot = node.slots[node.currentSlot];
    if (slot.empty || (slot.src == node.sourceSrc && slot.icon == node.sourceIcon)) return;
    node.sourceSrc = slot.src;
    node.sourceIcon = slot.icon;
    node.sourceBlank = slot.src == "blank";
    if (node.sourceBlank) {
        node.source = parseBlankSource(slot.icon);
        node.sourceFound = true;
        return;
    }
    const PSBValue hint = player.motion().document() ? player.motion().document()->root() : PSBValue();
    node.sourceFound = player.manager().getSourceInfo(slot.src, slot.icon, node.source, hint);
}
