// The root task's motion slots.
#include "game/core/motion_slots.h"

#include <algorithm>

#include "engine/data/psb_object.h"
#include "engine/motion/motion.h"
#include "engine/motion/motion_layer.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/render/camera_2d.h"
#include "game/core/game_task.h"
#include "game/core/psb_cache.h"

namespace {

// Degrees go through radians and back in single precision, so the angle
// carries that trip's rounding.
constexpr float kTurn = 6.2831855f;

// Point sampling keeps the pixel art sharp when the virtual screen is scaled.
constexpr int32_t kPointSampling = 0;

// Additive blending of the texture class motion frames draw with.
constexpr int32_t kAdditiveMotionDrawMode = 0x11;

// The slot's colour word, its alpha scaled, as its player's colour.
void applyColor(MotionSlotTable& t, size_t i) {
    const uint32_t color = t.color[i];
    const uint32_t alpha = uint32_t(float(color & 0xff) * std::clamp(t.alpha[i], 0.0f, 1.0f));
    t.motion[i]->setBaseColor((color & 0xffffff00u) | alpha);
}

// A document dropped from the cache goes with the last slot that played it.
void deleteIfDropped(MotionSlotTable& t, const PSBObject* document) {
    const auto found = std::find(t.droppedDocuments.begin(), t.droppedDocuments.end(), document);
    if (found == t.droppedDocuments.end()) return;
    for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
        if (t.used[size_t(slot)] && t.document[size_t(slot)] == document) return;
    }
    delete *found;
    t.droppedDocuments.erase(found);
}

}  // namespace

void GameTask::resetMotionSlots() {
    MotionSlotTable& t = motionSlots;
    t.used.fill(0);
    t.paused.fill(0);
    t.layer.fill(0);
    t.motionLayer.fill(nullptr);
    t.motion.fill(nullptr);
    t.loopCount.fill(0);
    t.loopLimit.fill(-1);
    t.motionData.fill(-1);
    t.document.fill(nullptr);
}

MMotion* GameTask::slotMotion(int32_t slot) const {
    return motionSlots.valid(slot) ? motionSlots.motion[size_t(slot)] : nullptr;
}

// A slot without a document would play nothing and hold a layer for ever,
// so an uncached key takes no slot.
int32_t GameTask::createMotionSlot(int32_t layer, const std::string& key) {
    MotionSlotTable& t = motionSlots;
    int32_t slot = 0;
    while (slot < MotionSlotTable::kSlots && t.used[size_t(slot)]) ++slot;
    if (slot == MotionSlotTable::kSlots || layer < 0 || layer >= kLayers) return -1;
    const PSBObject* document = getPSBObject(key);
    if (!document) return -1;
    const size_t i = size_t(slot);
    t.used[i] = 1;
    t.layer[i] = layer;
    t.loopCount[i] = 0;
    t.loopLimit[i] = -1;
    t.paused[i] = 0;
    t.document[i] = document;
    t.color[i] = kMotionSlotNeutralColor;
    t.alpha[i] = 1.0f;

    auto* motionLayer = new MMotionLayer;
    t.motionLayer[i] = motionLayer;
    t.motionData[i] = motionLayer->loadMotion(document);
    motionLayer->setFilterSelectors(kPointSampling, kPointSampling);
    motionLayer->show();
    motionLayer->setOverrideDrawMode(-1, 0.0f);

    auto* motion = new MMotion(*motionLayer, "");
    t.motion[i] = motion;
    motion->setTimelineDriver(MMotionLayerDriver::shared());
    motion->addListener(this);
    showMotion(slot);
    motion->setPosition(0.0f, 0.0f);

    // The motion queues its items before its layer sorts and draws them, so
    // the layer never draws what an earlier frame queued (items a label
    // change has since freed).
    if (M2DCameraLocator* locator = layers[size_t(layer)]) {
        locator->add(motion);
        locator->add(motionLayer);
    }
    return slot;
}

void GameTask::releaseMotionSlot(int32_t slot) {
    if (!motionSlots.valid(slot)) return;
    const size_t i = size_t(slot);
    motionSlots.used[i] = 0;
    MMotion* motion = motionSlots.motion[i];
    MMotionLayer* motionLayer = motionSlots.motionLayer[i];
    if (M2DCameraLocator* locator = layers[size_t(motionSlots.layer[i])]) {
        locator->remove(motion);
        locator->remove(motionLayer);
    }
    delete motion;
    motionLayer->releaseMotion(motionSlots.motionData[i]);
    delete motionLayer;
    deleteIfDropped(motionSlots, motionSlots.document[i]);
}

void GameTask::releaseLeftoverMotionSlots() {
    for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) releaseMotionSlot(slot);
}

void GameTask::updateMotionLoop(int32_t slot) {
    MMotion* motion = slotMotion(slot);
    if (!motion) return;
    const size_t i = size_t(slot);
    int32_t& count = motionSlots.loopCount[i];
    const int32_t limit = motionSlots.loopLimit[i];
    const int32_t length = int32_t(motion->lastTime());
    const int32_t frame = int32_t(motion->time());
    const float factor = motionSlots.speedFactor;
    // A fast game would step past the last frame before the count sees it.
    const int32_t extra = factor > 1.0f ? int32_t(factor - 1.0f) : 0;
    if (frame + extra >= length) {
        if (limit == -1) {
            ++count;
            motion->setTime(0.0f);
        } else if (limit > count) {
            // A limited loop plays again until its last pass is counted.
            if (++count < limit) motion->setTime(0.0f);
        }
    }
    if (limit != -1 && limit <= count) {
        motion->setTime(float(length - 1));
        motion->setSpeed(0.0f);
    }
}

void GameTask::refreshMotion(int32_t slot) {
    if (MMotion* motion = slotMotion(slot)) motion->progress(0.0f);
}

int32_t GameTask::getMotionLoopCount(int32_t slot) const {
    return motionSlots.valid(slot) ? motionSlots.loopCount[size_t(slot)] : 0;
}

void GameTask::pauseMotion(int32_t slot) {
    MMotion* motion = slotMotion(slot);
    if (!motion) return;
    motion->setSpeed(0.0f);
    motionSlots.paused[size_t(slot)] = 1;
}

void GameTask::setMotionPosition(int32_t slot, float x, float y) {
    if (MMotion* motion = slotMotion(slot)) motion->setPosition(x, y);
}

void GameTask::setMotionAngle(int32_t slot, float degrees) {
    if (MMotion* motion = slotMotion(slot)) motion->setAngle(degrees * kTurn / 360.0f * 360.0f / kTurn);
}

void GameTask::setMotionOpacity(int32_t slot, uint32_t opacity) {
    if (MMotion* motion = slotMotion(slot)) motion->setOpacity(opacity);
}

void GameTask::showMotion(int32_t slot) {
    MMotion* motion = slotMotion(slot);
    if (!motion) return;
    motion->show();
    motion->setShown(true);
}

void GameTask::hideMotion(int32_t slot) {
    MMotion* motion = slotMotion(slot);
    if (!motion) return;
    motion->hide();
    motion->setShown(false);
}

int32_t GameTask::getMotionLength(int32_t slot) const {
    const MMotion* motion = slotMotion(slot);
    return motion ? int32_t(motion->lastTime()) : 0;
}

void GameTask::setMotionFrame(int32_t slot, int32_t frame) {
    if (MMotion* motion = slotMotion(slot)) motion->setTime(float(frame));
}

int32_t GameTask::getMotionFrame(int32_t slot) const {
    const MMotion* motion = slotMotion(slot);
    return motion ? int32_t(motion->time()) : 0;
}

std::string GameTask::getMotionName(int32_t slot) const {
    const MMotion* motion = slotMotion(slot);
    return motion ? motion->motionName() : std::string();
}

void motionSlotSetColor(MotionSlotTable& slots, int32_t slot, uint32_t color) {
    if (!slots.valid(slot)) return;
    slots.color[size_t(slot)] = color;
    applyColor(slots, size_t(slot));
}

void motionSlotSetAlpha(MotionSlotTable& slots, int32_t slot, float alpha) {
    if (!slots.valid(slot)) return;
    slots.alpha[size_t(slot)] = alpha;
    applyColor(slots, size_t(slot));
}

void motionSlotSetBlend(MotionSlotTable& slots, int32_t slot, int32_t blend) {
    if (!slots.valid(slot)) return;
    const bool additive = blend == kMotionSlotBlendAdditive;
    slots.motionLayer[size_t(slot)]->setOverrideDrawMode(additive ? kAdditiveMotionDrawMode : -1, 0.0f);
}

bool motionSlotsKeepDocument(MotionSlotTable& slots, PSBObject* document) {
    for (int32_t slot = 0; slot < MotionSlotTable::kSlots; ++slot) {
        if (slots.used[size_t(slot)] && slots.document[size_t(slot)] == document) {
            slots.droppedDocuments.push_back(document);
            return true;
        }
    }
    return false;
}
