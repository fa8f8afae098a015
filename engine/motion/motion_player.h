#pragma once
// MMotionPlayer plays one named motion of one named object of the documents
// its manager holds: it selects the motion by name or, for a direction list,
// by angle; keeps the timeline (time, scan time, speed, loop, hold); owns the
// layer nodes (node 0 is the root the host places), the parameters and the
// variable store; queues events and delivers them to its listeners; and has
// a private random source. The layer tree, the frame scans, the node
// evaluation and the render items are done by its MMotionTimelineDriver.
//
// Threads: a player is touched by the thread that updates its root (a worker
// during the motion update) and by the main thread between frames (the
// host's setters). Listeners are called wherever flushEvents runs. It reads
// its manager's documents without locking.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_event_listener.h"
#include "engine/motion/motion_layer_node.h"
#include "engine/motion/motion_parameter.h"
#include "engine/motion/motion_render_item.h"
#include "engine/motion/motion_timeline_driver.h"
#include "engine/motion/motion_timeline_state.h"

class MMeshCombinator;
class MMotionCurveCache;
class MMotionRenderManager;
class MMotionStream;
class MMotionResourceManager;

// Bits of the flags of play and setMotion.
enum MMotionPlayFlag : uint32_t {
    kMotionPlayForce = 1,         // even while playing, even under the same name
    kMotionPlayKeepTime = 2,      // loading the timeline keeps the time
    kMotionPlayNoInterrupt = 4,   // ignored while playing; skips the same-name test
    kMotionPlayCarryState = 8,    // the new motion takes over the joined layers' state
    kMotionPlayInternal = 16,     // only the current name; pending while no object is set
    kMotionPlayDefer = 32,        // at the next progress
    kMotionPlayDeferAndHold = 64, // at the next progress, which then does nothing else
};

class MMotionPlayer {
public:
    // A root player; its render manager is the manager's render side.
    MMotionPlayer(MMotionResourceManager& manager, std::string objectName);
    // A player nested in a layer of parent.
    MMotionPlayer(MMotionResourceManager& manager, std::string objectName, MMotionPlayer& parent);
    virtual ~MMotionPlayer();
    MMotionPlayer(const MMotionPlayer&) = delete;
    MMotionPlayer& operator=(const MMotionPlayer&) = delete;

    // Delivery of events; a motion task overrides flushEvents to move the
    // delivery to the main thread.
    virtual void notifyAction(const std::string& name, const std::string& text);
    virtual void notifySync();
    virtual void flushEvents();
    virtual float random();

    // Selection. A new object clears both motion names and stops playing.
    void setObject(const std::string& name);
    void setMotion(const std::string& name, uint32_t flags);
    void play(const std::string& name, uint32_t flags);

    // Host controls. A time before the end restarts a motion that ran out.
    void setTime(float t);
    void setSpeed(float speed) { speed_ = speed; }
    void setPosition(float x, float y);
    void setAngle(float degrees);
    void setZ(float z);
    // The root's shown flag and opacity (its local adjustment); the root
    // starts hidden.
    void setShown(bool shown) {
        MMotionNodeState& root = nodes_[0].local;
        if (root.shown != shown) root.changed = true;
        root.shown = shown;
    }
    void setOpacity(uint32_t opacity) {
        MMotionNodeState& root = nodes_[0].local;
        if (root.opacity != opacity) root.changed = true;
        root.opacity = opacity;
    }
    void setBaseColor(uint32_t color) { baseColor_ = color; }
    void setRenderAttrPair(uint32_t a, uint32_t b);
    void setRenderAttrWord(uint32_t w);
    void setRenderAttrFloat(float f);
    void addListener(MMotionEventListener* listener);
    void removeListener(MMotionEventListener* listener);
    void setTimelineDriver(MMotionTimelineDriver& driver) { driver_ = &driver; }
    // Gives the player curve caches of its own (for updates on a worker).
    void createCaches();

    // One frame: a deferred change, the time step, the evaluation, the render
    // items and the delivery of events.
    void progress(float delta);
    // The mesh combinators' step (a root's), the time step, the evaluation.
    void advance(float delta);
    void advanceTime(float delta);
    // Lists this player's render items under the colour it inherits (its own
    // colour is applied on top): on the root's render list and, when out is
    // given, on out. Nothing while the player holds.
    void buildRenderList(uint32_t inheritedColor, std::vector<MMotionRenderItem*>* out);

    // Events and randomness.
    void pushEvent(const std::string& name, const std::string& text);
    void pushSync();
    float randomRange(float min, float max);

    // Parameters and the variable store.
    void setVariable(const std::string& fullName, float value);
    void setParameter(const std::string& id, float value);
    float initialParameterValue(const std::string& id) const;
    // Re-binds every scoped entry to the current tree and sends its value
    // again (run by the seek scan).
    void resolveScopes();

    // Layer lookups; a global index counts the nodes of this player and then
    // of its nested players, breadth first.
    bool findLayerIndex(const std::string& label, int32_t& index);
    MMotionLayerNode* getLayerNode(int32_t index);
    MMotionLayerNode* findLayerNode(const std::string& label);

    // For the timeline driver: the frame scans mark what they reached.
    void markAlignReached() { alignReached_ = true; }
    void markSyncReached() {
        syncReached_ = true;
        playing_ = true;
    }
    void clearHold() { hold_ = false; }
    // A control frame pulls the time (and scan time) to its own.
    void snapTime(float t) { time_ = scanTime_ = t; }
    MMotionTimelineState& timelineState() { return timeline_; }
    // A nested-motion layer's player: the layer writes its root matrix.
    // Particle players are not marked; their root places itself.
    void markNested() { nested_ = true; }
    bool nested() const { return nested_; }
    // For a nested motion: the next seek runs the frames from the start.
    void requestReplayFromStart() { replayFromStart_ = true; }
    // Stops playing and lets go of the tree, the variables and the names, as
    // when the layer that holds the player names nothing.
    void stopAndRelease();
    // Moves the child's queued events ahead of this player's own.
    void takeEventsOf(MMotionPlayer& child);
    // Players between this one and its root: 0 for a root player.
    int32_t nestingDepth() const;
    std::vector<MMotionLayerNode>& nodes() { return nodes_; }
    // This step's items, valid until the next step.
    std::vector<MMotionRenderItem*>& renderList() { return renderList_; }
    // A nested player without caches of its own uses its root's: it is
    // updated on the root's thread.
    MMotionCurveCache* curveCache() const { return caches_ || root_ == this ? caches_.get() : root_->curveCache(); }
    // The stream record, made on first use and kept for the player's life.
    MMotionStream* stream() const { return stream_.get(); }
    MMotionStream& makeStream();
    // A root's mesh combinators (those of its nested players' layers too),
    // made on first use.
    MMeshCombinator& meshCombinator();
    float meshDivisionScale() const { return divisionScale_; }

    // State.
    const std::string& objectName() const { return objectName_; }
    const std::string& motionName() const { return motionName_; }
    const std::string& requestedMotionName() const { return requestedMotionName_; }
    const PSBValue& motion() const { return motion_; }
    const PSBValue& controlList() const { return tag_; }
    const PSBValue& priorityList() const { return priority_; }
    bool hasMotion() const { return motion_.document() != nullptr; }
    bool playing() const { return playing_; }
    bool holding() const { return hold_; }
    bool seekPending() const { return seekPending_; }
    bool syncReached() const { return syncReached_; }
    bool directionMode() const { return directionMode_; }
    int32_t currentBin() const { return currentBin_; }
    float setAngleValue() const { return setAngle_; }
    float time() const { return time_; }
    float scanTime() const { return scanTime_; }
    float speed() const { return speed_; }
    float step() const { return step_; }
    float loopTime() const { return loopTime_; }
    float lastTime() const { return lastTime_; }
    // Whether the timeline wraps: a loop time at or past the last time would
    // never finish wrapping, so such a timeline plays once.
    bool loops() const { return loopTime_ >= 0.0f && loopTime_ < lastTime_; }
    const float* bounds() const { return bounds_; }
    float z() const { return z_; }
    uint32_t baseColor() const { return baseColor_; }
    const uint32_t* renderAttrPair() const { return attrPair_; }
    uint32_t renderAttrWord() const { return attrWord_; }
    float renderAttrFloat() const { return attrFloat_; }
    const std::vector<MMotionParameter>& parameters() const { return parameters_; }
    void clearParameterChanges() {
        for (MMotionParameter& parameter : parameters_) parameter.changed = false;
    }
    const std::vector<MMotionEvent>& pendingEvents() const { return events_; }
    MMotionPlayer* parent() const { return parent_; }
    MMotionPlayer& root() { return *root_; }
    // Players alive under this root, nested and particle players alike.
    int32_t descendantCount() const { return descendants_; }
    MMotionRenderManager* renderManager() const { return renderManager_; }
    MMotionResourceManager& manager() const { return manager_; }

private:
    void selectByAngle(uint32_t flags);
    void loadTimeline(const PSBValue& motion, uint32_t flags);
    void stopWithoutMotion();
    void releaseLayerTree();
    // Gives the ids of the tree's layers back to the manager's pool.
    void releaseLayerIds();
    // Takes the tree's layers out of the root's mesh combinators.
    void withdrawCombinators();
    void scan(MMotionScan kind);
    bool scanEnds(MMotionScan kind);
    bool seekEnds();
    void stepForward();
    void stepBackward();
    void followTimeSource();
    float wrapForward(float t) const;
    float wrapBackward(float t) const;

    void loadParameters(const PSBValue& list);
    void registerParameters();
    void withdrawParameters();
    void resolveScope(MMotionScopedVariable& entry);
    void sendScoped(MMotionScopedVariable& entry, const std::string& name);
    bool holdsPlayer(const MMotionLayerNode& node, const MMotionPlayer& player) const;
    std::vector<std::string> labelChain(int32_t node, size_t depth) const;
    template <class F>
    void forEachNestedPlayer(F&& f);
    const std::vector<MMotionPlayer*>& playerList();

    MMotionResourceManager& manager_;
    MMotionRenderManager* renderManager_ = nullptr;
    MMotionPlayer* root_ = this;
    MMotionPlayer* parent_ = nullptr;
    int32_t descendants_ = 0;
    MMotionTimelineDriver* driver_;

    std::string objectName_;
    std::string requestedObjectName_;
    std::string motionName_;
    std::string requestedMotionName_;
    std::string pendingMotionName_;
    std::string deferredMotionName_;
    uint32_t deferredFlags_ = 0;
    bool deferred_ = false;

    PSBValue motion_;
    PSBValue hint_;

    bool directionMode_ = false;
    float setAngle_ = 0.0f;
    int32_t currentBin_ = -1;
    PSBValue division_;
    PSBValue motionList_;

    bool nested_ = false;
    bool playing_ = false;
    bool hold_ = false;
    bool seekPending_ = false;
    bool replayFromStart_ = false;
    bool alignReached_ = false;
    bool syncReached_ = false;

    float time_ = 0.0f;
    float scanTime_ = 0.0f;
    float speed_ = 1.0f;
    float step_ = 0.0f;
    float loopTime_ = -1.0f;
    float lastTime_ = 0.0f;
    float bounds_[4] = {};

    uint32_t baseColor_ = 0x808080ffu;
    float z_ = 0.0f;
    uint32_t attrPair_[2] = {};
    uint32_t attrWord_ = 0;
    float attrFloat_ = 1.0f;
    float divisionScale_ = 1.0f;

    PSBValue priority_;
    PSBValue tag_;
    PSBValue layerIndexMap_;

    std::vector<MMotionEventListener*> listeners_;
    std::vector<MMotionEvent> events_;
    std::vector<MMotionPlayer*> players_;  // this one, then every nested one; rebuilt by each lookup

    // Declared before the nodes: nested players withdraw from these
    // registries while the nodes go.
    std::vector<MMotionParameter> parameters_;
    std::multimap<std::string, MMotionParameter*> registry_;
    std::map<std::string, float> values_;
    std::map<std::string, MMotionScopedVariable> scoped_;
    int32_t timeSource_ = -1;  // index into parameters_, -1 for none

    std::unique_ptr<MMotionCurveCache> caches_;
    std::vector<MMotionRenderItem*> renderList_;
    std::unique_ptr<MMotionStream> stream_;
    // Before the nodes: a nested player's layers leave it while the nodes go.
    std::unique_ptr<MMeshCombinator> combinator_;
    uint32_t random_[4] = {};
    MMotionTimelineState timeline_;
    std::vector<MMotionLayerNode> nodes_;
};
