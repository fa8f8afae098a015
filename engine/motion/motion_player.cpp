#include "engine/motion/motion_player.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <iterator>

#include "engine/data/psb_object.h"
#include "engine/motion/curve_cache.h"
#include "engine/motion/mesh_combinator.h"
#include "engine/motion/motion_angle.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_manager.h"
#include "engine/motion/motion_resource_manager.h"
#include "engine/motion/motion_stream.h"

MMotionTimelineDriver& MMotionTimelineDriver::none() {
    static MMotionTimelineDriver driver;
    return driver;
}

MMotionPlayer::MMotionPlayer(MMotionResourceManager& manager, std::string objectName)
    : manager_(manager),
      renderManager_(manager.getRenderManager()),
      driver_(&MMotionLayerDriver::shared()),
      objectName_(objectName),
      requestedObjectName_(std::move(objectName)) {
    random_[0] = 123456789u;
    random_[1] = 362436069u;
    random_[2] = 521288629u;
    random_[3] = uint32_t(int64_t(manager.random() * 4294967296.0f));
    // The root stays hidden until its host shows it.
    MMotionLayerNode& root = nodes_.emplace_back();
    root.transformOrder = {0, 3, 2, 1};
    root.local.shown = false;
}

MMotionPlayer::MMotionPlayer(MMotionResourceManager& manager, std::string objectName, MMotionPlayer& parent)
    : MMotionPlayer(manager, std::move(objectName)) {
    renderManager_ = nullptr;
    parent_ = &parent;
    root_ = &parent.root();
    ++root_->descendants_;
    driver_ = parent.driver_;
    hint_ = parent.hint_;
    z_ = parent.z_;
    attrPair_[0] = parent.attrPair_[0];
    attrPair_[1] = parent.attrPair_[1];
    attrWord_ = parent.attrWord_;
    attrFloat_ = parent.attrFloat_;
}

MMotionPlayer::~MMotionPlayer() {
    withdrawCombinators();
    withdrawParameters();
    releaseLayerIds();
    nodes_.clear();
    if (root_ != this) --root_->descendants_;
}

void MMotionPlayer::releaseLayerIds() {
    manager_.lock();
    for (MMotionLayerNode& node : nodes_) {
        if (node.hasId) manager_.layerIds().release(node.id);
        node.hasId = false;
    }
    manager_.unlock();
}

// --- events and randomness ---

void MMotionPlayer::notifyAction(const std::string& name, const std::string& text) {
    for (MMotionEventListener* listener : listeners_) listener->onAction(*this, name, text);
}

void MMotionPlayer::notifySync() {
    for (MMotionEventListener* listener : listeners_) listener->onSync(*this);
}

void MMotionPlayer::flushEvents() {
    if (events_.empty()) return;
    std::vector<MMotionEvent> taken;
    taken.swap(events_);
    for (const MMotionEvent& event : taken) {
        if (event.kind == MMotionEvent::kAction) notifyAction(event.name, event.text);
        if (event.kind == MMotionEvent::kSync) notifySync();
    }
}

void MMotionPlayer::pushEvent(const std::string& name, const std::string& text) {
    events_.push_back({MMotionEvent::kAction, name, text});
}

void MMotionPlayer::pushSync() { events_.push_back({MMotionEvent::kSync, {}, {}}); }

void MMotionPlayer::takeEventsOf(MMotionPlayer& child) {
    if (child.events_.empty()) return;
    events_.insert(events_.begin(), std::make_move_iterator(child.events_.begin()),
                   std::make_move_iterator(child.events_.end()));
    child.events_.clear();
}

void MMotionPlayer::addListener(MMotionEventListener* listener) { listeners_.push_back(listener); }

void MMotionPlayer::removeListener(MMotionEventListener* listener) {
    listeners_.erase(std::remove(listeners_.begin(), listeners_.end(), listener), listeners_.end());
}

// xorshift128; 23 random bits as a float in [0, 1).
float MMotionPlayer::random() {
    uint32_t* s = random_;
    const uint32_t t = s[0] ^ (s[0] << 11);
    s[0] = s[1];
    s[1] = s[2];
    s[2] = s[3];
    s[3] = s[3] ^ (s[3] >> 19) ^ t ^ (t >> 8);
    return std::bit_cast<float>(0x3f800000u | (s[3] & 0x7fffffu)) - 1.0f;
}

float MMotionPlayer::randomRange(float min, float max) {
    if (min == max) return min;
    return min + (max - min) * random();
}

// Once only: the frame slots hold curves of the set they were taken from.
void MMotionPlayer::createCaches() {
    if (!caches_) caches_ = std::make_unique<MMotionCurveCache>();
}

// --- selection ---

void MMotionPlayer::setObject(const std::string& name) {
    if (name == requestedObjectName_) return;
    objectName_ = name;
    requestedObjectName_ = name;
    motionName_.clear();
    requestedMotionName_.clear();
    playing_ = false;
}

void MMotionPlayer::setMotion(const std::string& name, uint32_t flags) {
    if (flags & (kMotionPlayDefer | kMotionPlayDeferAndHold)) {
        deferredMotionName_ = name;
        deferredFlags_ = flags;
        deferred_ = true;
        return;
    }
    if ((flags & kMotionPlayInternal) && objectName_.empty()) {
        pendingMotionName_ = name;
        return;
    }
    play(name, flags);
    if (!pendingMotionName_.empty()) {
        const std::string pending = std::move(pendingMotionName_);
        pendingMotionName_.clear();
        play(pending, kMotionPlayInternal);
    }
}

void MMotionPlayer::play(const std::string& name, uint32_t flags) {
    const bool internal = flags & kMotionPlayInternal;
    if (!(flags & (kMotionPlayForce | kMotionPlayNoInterrupt)) &&
        name == (internal ? motionName_ : requestedMotionName_)) {
        return;
    }
    if (playing_ && (flags & kMotionPlayNoInterrupt) && !(flags & kMotionPlayForce)) return;
    if (flags & kMotionPlayCarryState) driver_->saveJoinState(*this);
    PSBValue found;
    if (!manager_.findMotion(objectName_, name, found, hint_)) {
        stopWithoutMotion();
        return;
    }
    motionName_ = name;
    if (!internal) requestedMotionName_ = name;
    hint_ = found.document()->root();
    if (found.get("type").toInt() == 0) {
        if (directionMode_) {
            nodes_[0].local.angle = setAngle_;
            nodes_[0].local.changed = true;
            setAngle_ = 0.0f;
        }
        directionMode_ = false;
        loadTimeline(found, flags);
        return;
    }
    if (!directionMode_) {
        setAngle_ = nodes_[0].local.angle;
        nodes_[0].local.angle = 0.0f;
        nodes_[0].local.changed = true;
    }
    directionMode_ = true;
    division_ = found.get("division");
    motionList_ = found.get("motionList");
    currentBin_ = -1;
    selectByAngle(flags);
}

void MMotionPlayer::stopWithoutMotion() {
    motion_ = PSBValue();
    hint_ = PSBValue();
    playing_ = false;
}

// An empty boundary list, or a bin past the end of the motion list, finds no
// motion rather than dividing by zero or reading past the list.
void MMotionPlayer::selectByAngle(uint32_t flags) {
    const float a = wrapDegrees(manager_.baseAngle() + setAngle_);
    const uint32_t n = division_.getCount();
    int32_t bin = 0;
    for (uint32_t i = 1; i < n; ++i) {
        if (division_.at(i - 1).toFloat() < a && a <= division_.at(i).toFloat()) {
            bin = int32_t(i);
            break;
        }
    }
    if (n == 0 || uint32_t(bin) >= motionList_.getCount()) {
        currentBin_ = -1;
        stopWithoutMotion();
        return;
    }
    if (bin == currentBin_) return;
    currentBin_ = bin;
    PSBValue found;
    if (!manager_.findMotion(objectName_, motionList_.at(uint32_t(bin)).toString(), found, hint_)) {
        stopWithoutMotion();
        return;
    }
    hint_ = found.document()->root();
    loadTimeline(found, flags);
}

void MMotionPlayer::loadTimeline(const PSBValue& motion, uint32_t flags) {
    motion_ = motion;
    priority_ = motion.get("priority");
    tag_ = motion.get("tag");
    loopTime_ = motion.get("loopTime").toFloat();
    lastTime_ = motion.get("lastTime").toFloat();
    const PSBValue bounds = motion.get("bounds");
    bounds_[0] = bounds.get("left").toFloat();
    bounds_[1] = bounds.get("top").toFloat();
    bounds_[2] = bounds.get("right").toFloat();
    bounds_[3] = bounds.get("bottom").toFloat();
    withdrawParameters();
    loadParameters(motion.get("parameter"));
    const PSBValue parameterize = motion.get("parameterize");
    timeSource_ = -1;
    if (parameterize.kind() != PSBKind::Null) {
        const int32_t index = parameterize.toInt();
        if (index >= 0 && size_t(index) < parameters_.size()) timeSource_ = index;
    }
    if (!motion.find("layerIndexMap", layerIndexMap_)) layerIndexMap_ = PSBValue();
    playing_ = true;
    syncReached_ = false;
    releaseLayerTree();
    driver_->loadLayers(*this, motion);
    if (!(flags & kMotionPlayKeepTime)) {
        time_ = 0.0f;
        scanTime_ = std::min(0.0f, lastTime_);
        hold_ = true;
    }
    seekPending_ = true;
    driver_->loadStreams(*this, motion);
}

void MMotionPlayer::stopAndRelease() {
    stopWithoutMotion();
    timeline_.variables.clear();
    releaseLayerTree();
    objectName_.clear();
    requestedObjectName_.clear();
    motionName_.clear();
    requestedMotionName_.clear();
}

int32_t MMotionPlayer::nestingDepth() const {
    int32_t depth = 0;
    for (const MMotionPlayer* p = parent_; p != nullptr; p = p->parent_) ++depth;
    return depth;
}

MMotionStream& MMotionPlayer::makeStream() {
    if (!stream_) stream_ = std::make_unique<MMotionStream>();
    return *stream_;
}

MMeshCombinator& MMotionPlayer::meshCombinator() {
    MMotionPlayer& root = *root_;
    if (!root.combinator_) root.combinator_ = std::make_unique<MMeshCombinator>(root);
    return *root.combinator_;
}

// The root's combinators hold pointers to the nodes: they leave first.
void MMotionPlayer::withdrawCombinators() {
    MMeshCombinator* combinator = root_->combinator_.get();
    if (!combinator) return;
    for (MMotionLayerNode& node : nodes_) {
        if (node.hasMeshCombinator) combinator->remove(node);
    }
}

void MMotionPlayer::releaseLayerTree() {
    withdrawCombinators();
    releaseLayerIds();
    nodes_.resize(1);
    for (auto& [name, entry] : scoped_) {
        entry.layers.clear();
        entry.resolveMark = 1.0f;
    }
}

// --- host controls ---

void MMotionPlayer::setTime(float t) {
    if (!hasMotion()) return;
    time_ = t > 0.0f ? t : 0.0f;
    scanTime_ = std::min(time_, lastTime_);
    hold_ = true;
    seekPending_ = true;
    // A motion that ran out plays again from a time inside it; one stopped by
    // a change of object (its name cleared) stays stopped.
    if (!playing_ && !motionName_.empty() && time_ < lastTime_) playing_ = true;
}

void MMotionPlayer::setPosition(float x, float y) {
    MMotionNodeState& root = nodes_[0].local;
    if (root.x != x || root.y != y) root.changed = true;
    root.x = x;
    root.y = y;
}

void MMotionPlayer::setAngle(float degrees) {
    if (directionMode_) {
        const float a = wrapDegrees(degrees);
        if (a == setAngle_) return;
        setAngle_ = a;
        selectByAngle(kMotionPlayKeepTime);
        return;
    }
    MMotionNodeState& root = nodes_[0].local;
    if (root.angle != degrees) root.changed = true;
    root.angle = degrees;
}

void MMotionPlayer::setZ(float z) {
    z_ = z;
    forEachNestedPlayer([z](MMotionPlayer& p) { p.setZ(z); });
}

void MMotionPlayer::setRenderAttrPair(uint32_t a, uint32_t b) {
    attrPair_[0] = a;
    attrPair_[1] = b;
    forEachNestedPlayer([a, b](MMotionPlayer& p) { p.setRenderAttrPair(a, b); });
}

void MMotionPlayer::setRenderAttrWord(uint32_t w) {
    attrWord_ = w;
    forEachNestedPlayer([w](MMotionPlayer& p) { p.setRenderAttrWord(w); });
}

void MMotionPlayer::setRenderAttrFloat(float f) {
    attrFloat_ = f;
    forEachNestedPlayer([f](MMotionPlayer& p) { p.setRenderAttrFloat(f); });
}

// The direct nested players: those of nested-motion layers in node order,
// then the particle players, emitter by emitter.
template <class F>
void MMotionPlayer::forEachNestedPlayer(F&& f) {
    for (MMotionLayerNode& node : nodes_) {
        if (node.nestedPlayer) f(*node.nestedPlayer);
    }
    for (MMotionLayerNode& node : nodes_) {
        for (auto& particle : node.particlePlayers) f(*particle);
    }
}

// --- one frame ---

void MMotionPlayer::progress(float delta) {
    if (deferred_) {
        const uint32_t flags = deferredFlags_;
        deferred_ = false;
        setMotion(deferredMotionName_, flags & ~uint32_t(kMotionPlayDefer | kMotionPlayDeferAndHold));
        deferredMotionName_.clear();
        if (flags & kMotionPlayDeferAndHold) return;
    }
    advance(delta);
    renderList_.clear();
    buildRenderList(kMotionNeutralColor, nullptr);
    flushEvents();
}

void MMotionPlayer::buildRenderList(uint32_t inheritedColor, std::vector<MMotionRenderItem*>* out) {
    if (hold_) return;
    driver_->buildRenderList(*this, inheritedColor, out);
}

// The evaluation has shown the held time by the end of the step, so the hold
// ends here.
void MMotionPlayer::advance(float delta) {
    if (root_ == this && combinator_) combinator_->update();
    advanceTime(delta);
    driver_->evaluate(*this);
    hold_ = false;
}

// --- layer lookups ---

// Gathered afresh for every lookup: nested players come and go with layer
// trees of any depth, and a list kept across them could outlive a player.
const std::vector<MMotionPlayer*>& MMotionPlayer::playerList() {
    players_.clear();
    players_.push_back(this);
    for (size_t i = 0; i < players_.size(); ++i) {
        players_[i]->forEachNestedPlayer([this](MMotionPlayer& p) { players_.push_back(&p); });
    }
    return players_;
}

bool MMotionPlayer::findLayerIndex(const std::string& label, int32_t& index) {
    int32_t before = 0;
    for (MMotionPlayer* p : playerList()) {
        PSBValue found;
        if (p->nodes_.size() > 1 && p->layerIndexMap_.document() != nullptr && p->layerIndexMap_.find(label, found)) {
            index = found.toInt() + 1 + before;
            return true;
        }
        before += int32_t(p->nodes_.size());
    }
    return false;
}

MMotionLayerNode* MMotionPlayer::getLayerNode(int32_t index) {
    if (index < 0) return nullptr;
    for (MMotionPlayer* p : playerList()) {
        if (size_t(index) < p->nodes_.size()) return &p->nodes_[size_t(index)];
        index -= int32_t(p->nodes_.size());
    }
    return nullptr;
}

MMotionLayerNode* MMotionPlayer::findLayerNode(const std::string& label) {
    PSBValue found;
    if (layerIndexMap_.document() == nullptr || !layerIndexMap_.find(label, found)) return nullptr;
    const int64_t i = int64_t(found.toInt()) + 1;
    return i >= 1 && size_t(i) < nodes_.size() ? &nodes_[size_t(i)] : nullptr;
}
