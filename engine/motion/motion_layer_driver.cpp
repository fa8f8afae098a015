#include "engine/motion/motion_layer_driver.h"

#include "engine/motion/mesh_combinator.h"
#include "engine/motion/motion_carry_state.h"
#include "engine/motion/motion_frame_scan.h"
#include "engine/motion/motion_nested.h"
#include "engine/motion/motion_particles.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

// Node lists are kept for the types whose passes walk them.
bool listedType(int32_t type) {
    return type == 1 || type == 3 || type == 4 || type == 5 || type == 6 || type == 9 || type == 10 || type == 12;
}

// The pool is shared by every player of the manager, which may be updated on
// other workers at the same time.
void takeLayerIds(MMotionPlayer& player) {
    MMotionResourceManager& manager = player.manager();
    manager.lock();
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        nodes[i].id = manager.layerIds().acquire();
        nodes[i].hasId = true;
    }
    manager.unlock();
}

void indexTypes(MMotionPlayer& player) {
    MMotionTimelineState& state = player.timelineState();
    for (auto& list : state.byType) list.clear();
    state.spriteCount = 0;
    state.typeMask = 0;
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        const int32_t type = nodes[i].type;
        if (type < 0 || type >= int32_t(state.byType.size())) continue;
        state.typeMask |= 1u << type;
        if (type == 0) ++state.spriteCount;
        if (listedType(type)) state.byType[size_t(type)].push_back(int32_t(i));
    }
}

// Once the tree is whole, so the nodes keep their addresses; layers of
// nested players join their root's combinators.
void loadCombinators(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (size_t i = 1; i < nodes.size(); ++i) {
        MMotionLayerNode& node = nodes[i];
        if (node.hasMeshCombinator && node.meshTransform != 0) player.meshCombinator().load(node, node.value);
    }
}

}  // namespace

MMotionLayerDriver& MMotionLayerDriver::shared() {
    static MMotionLayerDriver driver;
    return driver;
}

void MMotionLayerDriver::loadLayers(MMotionPlayer& player, const PSBValue& timeline) {
    MMotionLayerLoader::loadLayers(player, timeline);
    takeLayerIds(player);
    indexTypes(player);
    MMotionNested::attachPlayers(player);
    loadCombinators(player);
    MMotionTimelineState& state = player.timelineState();
    state.control = {};
    state.priority = {};
    state.drawOrder.clear();
    state.force = true;
    MMotionVariables::load(player, timeline);
}

void MMotionLayerDriver::scan(MMotionPlayer& player, MMotionScan kind) {
    switch (kind) {
        case MMotionScan::Seek:
            MMotionFrameScan::seek(player);
            applyJoinState(player);
            player.resolveScopes();
            break;
        case MMotionScan::Forward: MMotionFrameScan::forward(player); break;
        case MMotionScan::Backward: MMotionFrameScan::backward(player); break;
        case MMotionScan::Same: MMotionFrameScan::parameterLayers(player); break;
    }
}

void MMotionLayerDriver::evaluate(MMotionPlayer& player) { MMotionLayerEval::evaluateNodes(player, *this); }

void MMotionLayerDriver::saveJoinState(MMotionPlayer& player) { MMotionCarryState::save(player); }

void MMotionLayerDriver::applyJoinState(MMotionPlayer& player) { MMotionCarryState::restore(player); }

void MMotionLayerDriver::nestedMotions(MMotionPlayer& player) { MMotionNested::update(player); }

void MMotionLayerDriver::particles(MMotionPlayer& player) { MMotionParticles::update(player); }
