#include "engine/motion/motion.h"

MMotion::MMotion(MMotionManager& manager, std::string objectName)
    : MMotionPlayer(manager, std::move(objectName)) {
    // Listeners must only ever hear from the main thread, so the motion is a
    // worker task from the start and stays one.
    if (!isWorker()) {
        setWorker(true);
        enableBackgroundUpdate(true);
    }
}

MMotion::~MMotion() = default;

void MMotion::update() { progress(manager().getFrameDelta()); }

void MMotion::draw(int) {
    MMotionRenderManager* queue = renderManager();
    if (!queue) return;
    for (MMotionRenderItem* item : renderList()) queue->queueRenderItem(item);
}

void MMotion::enableBackgroundUpdate(bool on) {
    if (on) createCaches();
}

void MMotion::flushEvents() {
    if (!isWorker()) {
        MMotionPlayer::flushEvents();
        return;
    }
    if (pendingEvents().empty() || callQueued_) return;
    callQueued_ = true;
    postDeferred();
}

void MMotion::dispatchEvents() { MMotionPlayer::flushEvents(); }

void MMotion::runDeferred() {
    callQueued_ = false;
    dispatchEvents();
}
