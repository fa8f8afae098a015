#pragma once
// MMotionTimelineDriver: the work a selected timeline needs beyond moving
// time, which the player hands off: building the layer tree and variables,
// moving the frame cursors (the scans), evaluating the nodes, building the
// render items, streams and the state carried into the next motion. The
// base does nothing, so a player with it keeps time, parameters, variables
// and events on its own; players start with the layer driver.
//
// Threads: called by the player, on the thread that updates its root. A
// driver keeps no state of its own; everything lives in the player and its
// nodes, so one driver serves every player.

#include <cstdint>
#include <vector>

#include "engine/data/psb_value.h"

class MMotionPlayer;
struct MMotionRenderItem;

enum class MMotionScan {
    Seek,      // jump to the scan time without running the frames passed
    Forward,   // run the frames passed on the way up to the scan time
    Backward,  // the same, going down
    Same,      // time did not move; parameter-driven layers may have
};

class MMotionTimelineDriver {
public:
    virtual ~MMotionTimelineDriver() = default;

    // After the player has released the previous tree and read the timeline's
    // own keys: appends the layer nodes after the root and loads the variables.
    virtual void loadLayers(MMotionPlayer&, const PSBValue& /*timeline*/) {}
    virtual void loadStreams(MMotionPlayer&, const PSBValue& /*timeline*/) {}
    // Before a motion is looked up with the carry-state flag.
    virtual void saveJoinState(MMotionPlayer&) {}
    // Moves every frame cursor to the player's scan time; may queue events and
    // mark align or sync reached.
    virtual void scan(MMotionPlayer&, MMotionScan) {}
    virtual void evaluate(MMotionPlayer&) {}
    // Lists the player's render items under the colour it inherits: on the
    // root player's render list and, when out is given, on out.
    virtual void buildRenderList(MMotionPlayer&, uint32_t /*inheritedColor*/, std::vector<MMotionRenderItem*>* /*out*/) {}

    // The driver that does nothing.
    static MMotionTimelineDriver& none();
};
