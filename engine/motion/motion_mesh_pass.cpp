// The mesh side of the layer driver: a child following its parent's mesh
// during the tree's evaluation, and the mesh pass after it (host links,
// placed host patches, vertex grids carried through the hosts above).
#include <algorithm>
#include <vector>

#include "engine/motion/bezier_weights.h"
#include "engine/motion/interpolation.h"
#include "engine/motion/mesh_kernels.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_neutral_grid.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

constexpr uint32_t kBentByHosts = 0x2000000;
constexpr size_t kPatchFloats = 32;
// A division read from a file could ask for a grid of billions of points;
// real pictures want a few dozen cells.
constexpr int32_t kMaxDivision = 256;

const MMotionFrameContent& currentSlot(const MMotionLayerNode& node) { return node.slots[node.currentSlot]; }

MMotionPoint sourceOrigin(const MMotionLayerNode& node) {
    const MMotionFrameContent& slot = currentSlot(node);
    return {slot.ox + node.source.originX, slot.oy + node.source.originY};
}

MMotionMatrix2 matrixOf(const MMotionLayerNode& node) { return {node.matrix.a, node.matrix.b, node.matrix.c, node.matrix.d}; }

bool gridType(int32_t type) { return type == 0 || type == 10 || type == 12; }
bool placedType(int32_t type) { return gridType(type) || type == 11; }

float divisionScale(MMotionPlayer& player) { return player.root().meshDivisionScale(); }

int32_t ownDivision(MMotionPlayer& player, const MMotionLayerNode& node) {
    return std::clamp(meshDivisionOf(std::clamp(node.meshDivision, 0, kMaxDivision), divisionScale(player)), 0,
                      kMaxDivision);
}

// Sizes of opposite signs can tip the split past the division: each side is
// held to it too.
std::pair<int32_t, int32_t> gridCells(int32_t division, const MMotionSourceInfo& source) {
    const auto cells = splitDivision(std::clamp(division, 0, kMaxDivision), source.width, source.height);
    return {std::min(cells.first, kMaxDivision + 1), std::min(cells.second, kMaxDivision + 1)};
}

// The hosts a node's points pass through, nearest first: those of its own
// tree, then those the tree's root is under.
void hostChain(MMotionPlayer& player, int32_t host, std::vector<const MMotionMeshHost*>& out) {
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    out.clear();
    for (; host > 0; host = nodes[size_t(host)].draw.host) out.push_back(&nodes[size_t(host)].draw.mesh);
    for (const MMotionLayerNode* outer : player.timelineState().outer.hosts) out.push_back(&outer->draw.mesh);
}

bool underHost(MMotionPlayer& player, const MMotionLayerNode& node) {
    return node.draw.host > 0 || motionOuterHost(player) != nullptr;
}

// A combined mesh host adds the bends of the combined hosts above it and
// takes the place of the ones it absorbed as its own host.
void combineHosts(std::vector<MMotionLayerNode>& nodes, MMotionLayerNode& node, std::vector<float>* points) {
    for (int32_t w = node.parent; w > 0; w = nodes[size_t(w)].parent) {
        const MMotionLayerNode& walked = nodes[size_t(w)];
        if (walked.draw.mesh.meshHost) {
            if (points && walked.meshPoints.size() == kPatchFloats) {
                for (size_t i = 0; i < kPatchFloats; ++i) (*points)[i] += walked.meshPoints[i] - kMotionNeutralMeshGrid[i];
            }
            if (node.draw.host == w) node.draw.host = walked.draw.host;
        }
        if (!walked.meshCombine) break;
    }
}

int32_t divisionUnder(MMotionPlayer& player, const MMotionLayerNode& node, const MMotionLayerNode& host) {
    return hostMeshDivision(ownDivision(player, host), node.source.width, node.source.height, host.source.width,
                            host.source.height);
}

// The division of a node without a mesh of its own under a host: the
// nearest mesh host's, scaled by the two pictures' sizes; past the tree's
// root, the nearest of the hosts the root is under.
int32_t inheritedDivision(MMotionPlayer& player, const MMotionLayerNode& node) {
    const std::vector<MMotionLayerNode>& nodes = player.nodes();
    for (int32_t a = node.parent; a > 0; a = nodes[size_t(a)].parent) {
        if (nodes[size_t(a)].draw.mesh.meshHost) return divisionUnder(player, node, nodes[size_t(a)]);
    }
    for (const MMotionLayerNode* outer : player.timelineState().outer.hosts) {
        if (outer->draw.mesh.meshHost) return divisionUnder(player, node, *outer);
    }
    return 1;
}

void sampleMesh(MMotionPlayer& player, MMotionVertexGrid& grid, const std::vector<float>& controls,
                const MMotionMatrix2& a, MMotionPoint origin) {
    MMotionCurveCache* cache = player.root().curveCache();
    MMotionBezierWeights* across = MMotionBezierWeights::get(uint32_t(grid.columns), cache);
    MMotionBezierWeights* down = MMotionBezierWeights::get(uint32_t(grid.rows), cache);
    const MMotionMeshSampling sampling{uint32_t(grid.columns), uint32_t(grid.rows), across, down, controls.data()};
    transformMeshPatch(grid.points, sampling, a, origin.x, origin.y);
    MMotionBezierWeights::release(down, cache);
    MMotionBezierWeights::release(across, cache);
    grid.resetBounds();
}

void buildGrid(MMotionPlayer& player, MMotionLayerNode& node, const std::vector<float>& points,
               const MMotionMatrix2& m, MMotionPoint origin) {
    MMotionVertexGrid& grid = node.draw.grid;
    grid.word = 0;
    const float w = float(node.source.width), h = float(node.source.height);
    if (points.size() == kPatchFloats) {
        const auto counts = gridCells(ownDivision(player, node), node.source);
        grid.columns = counts.first;
        grid.rows = counts.second;
        sampleMesh(player, grid, points, meshPlacementMatrix(m, w, h), origin);
    } else if (!underHost(player, node)) {
        fillRectangleGrid(grid, m, origin, w, h, 1, 1);
    } else {
        const int32_t n = node.meshTransform != 0 ? ownDivision(player, node) : inheritedDivision(player, node);
        const auto counts = gridCells(n, node.source);
        fillRectangleGrid(grid, m, origin, w, h, counts.first, counts.second);
    }
    node.draw.hasGrid = true;
}

void placeNode(MMotionPlayer& player, MMotionLayerNode& node, std::vector<const MMotionMeshHost*>& hosts) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    std::vector<float> points;
    if (node.meshTransform == 1) points = node.meshPoints;
    if (node.meshCombine) {
        if (!node.draw.mesh.meshHost) {
            points.clear();
        } else if (points.size() == kPatchFloats) {
            combineHosts(nodes, node, &points);
        }
    }
    const MMotionMatrix2 m = matrixOf(node);
    MMotionPoint origin = meshGridOrigin(node.state.x, node.state.y, node.state.z, player.manager().depthSlope(),
                                         sourceOrigin(node), m);
    const float w = float(node.source.width), h = float(node.source.height);
    if (node.meshTransform == 1 && node.draw.mesh.meshHost) {
        placeMeshHost(node.draw.mesh, points.data(), meshPlacementMatrix(m, w, h), origin);
    }
    if (!gridType(node.type) || node.sourceBlank) {
        node.draw.hasGrid = false;
        return;
    }
    buildGrid(player, node, points, m, origin);
    if (!underHost(player, node)) return;
    hostChain(player, node.draw.host, hosts);
    carryThroughHosts(node.draw.grid, origin, hosts, node.draw.mesh.rigidFollower);
}

// Shapes and cameras: their position through every mesh host above.
void carryPosition(MMotionPlayer& player, MMotionLayerNode& node, std::vector<const MMotionMeshHost*>& hosts) {
    float p[2] = {node.state.x, node.state.y};
    hostChain(player, node.draw.host, hosts);
    for (const MMotionMeshHost* mesh : hosts) {
        if (mesh->meshHost) bendThroughHost(*mesh, p, 1);
    }
    node.mapped = {p[0], p[1], node.state.z};
}

}  // namespace

void MMotionLayerDriver::followMesh(MMotionPlayer&, MMotionLayerNode& node, const MMotionLayerNode& parent) {
    if (parent.meshPoints.size() != kPatchFloats || !parent.state.visible || !parent.sourceFound ||
        !(parent.meshSyncChildMask & kMeshSyncPosition) || parent.meshTransform != 1) {
        return;
    }
    MMotionNodeState& st = node.state;
    float& second = parent.coordinate != 0 ? st.z : st.y;
    MMotionMeshFollower child{st.x, second, st.angle, st.zoomX, st.zoomY, node.inheritMask};
    followMeshPatch(parent.meshPoints.data(), sourceOrigin(parent), float(parent.source.width),
                    float(parent.source.height), parent.meshSyncChildMask, child);
    st.x = child.x;
    second = child.y;
    st.angle = child.angle;
    st.zoomX = child.zoomX;
    st.zoomY = child.zoomY;
}

void MMotionLayerDriver::meshPass(MMotionPlayer& player) {
    std::vector<MMotionLayerNode>& nodes = player.nodes();
    nodes[0].mapped = {nodes[0].state.x, nodes[0].state.y, nodes[0].state.z};
    std::vector<const MMotionMeshHost*> hosts;
    for (size_t i = 1; i < nodes.size(); ++i) {
        MMotionLayerNode& node = nodes[i];
        const MMotionLayerNode& real = nodes[size_t(node.parent)];
        const bool parentHosts = node.parent > 0 && (real.draw.mesh.meshHost || real.draw.mesh.rigidFollower);
        const int32_t host = parentHosts ? node.parent : real.draw.host;
        const MMotionLayerNode* hostNode = host > 0 ? &nodes[size_t(host)] : motionOuterHost(player);
        const uint32_t hostId = hostNode ? hostNode->id : 0;
        node.draw.host = host;
        if (node.draw.hostKnown && hostId == node.draw.hostId && !node.state.changed &&
            (!hostNode || !hostNode->meshChanged)) {
            node.meshChanged = false;
            if (node.draw.mesh.meshHost && node.meshCombine) combineHosts(nodes, node, nullptr);
            continue;
        }
        node.draw.hostId = hostId;
        node.draw.hostKnown = true;
        node.meshChanged = true;
        node.mapped = {node.state.x, node.state.y, node.state.z};
        const MMotionFrameContent& slot = currentSlot(node);
        node.draw.mesh.rigidFollower = hostNode && !(node.inheritMask & kBentByHosts);
        node.draw.mesh.meshHost = node.meshTransform != 0 && !slot.empty && !node.meshPoints.empty() &&
                                  node.sourceFound && (node.meshSyncChildMask & kMeshSyncHost);
        if (node.type == 1 || node.type == 5) {
            carryPosition(player, node, hosts);
        } else if (placedType(node.type) && !slot.empty && node.sourceFound) {
            placeNode(player, node, hosts);
        }
    }
}
