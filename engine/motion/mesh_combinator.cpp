#include "engine/motion/mesh_combinator.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

#include "engine/motion/mesh_kernels.h"
#include "engine/motion/motion_layer_node.h"
#include "engine/motion/motion_player.h"

struct MMeshCombinator::Track {
    std::string key;
    int32_t kind = 0;
    float begin = 0.0f;
    float end = 0.0f;
    int32_t count = 0;
    float position = 0.0f;
    std::vector<Combinator*> combinators;
};

struct MMeshCombinator::Combinator {
    float* current = nullptr;
    float* previous = nullptr;
    std::vector<float> raw;  // the usable meshes, 32 floats each
    int32_t count = 0;
    int32_t neutral = -1;
    bool changed = false;
    bool atNeutral = false;
    Track* track = nullptr;
};

struct MMeshCombinator::LayerEntry {
    MMotionLayerNode* node = nullptr;
    int32_t kind = 0;
    // The output mesh, then the current and previous mesh of each combinator.
    std::vector<float> buffer;
    std::vector<std::unique_ptr<Combinator>> combinators;
};

namespace {

float littleEndianFloat(const uint8_t* p) {
    const uint32_t bits = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

}  // namespace

float meshCombinatorPosition(float value, float rangeBegin, float rangeEnd, int32_t meshCount) {
    // An empty range has no fraction: it rests at the first mesh.
    if (rangeEnd == rangeBegin || meshCount < 1) return 0.0f;
    float f = (value - rangeBegin) / (rangeEnd - rangeBegin);
    if (!(f < 1.0f)) {
        f = 1.0f;
    } else if (!(f > 0.0f)) {
        f = 0.0f;
    }
    return float(meshCount - 1) * f;
}

MMeshCombinator::MMeshCombinator(MMotionPlayer& player) : player_(player) {}

MMeshCombinator::~MMeshCombinator() = default;

void MMeshCombinator::load(MMotionLayerNode& node, const PSBValue& layer) {
    remove(node);
    const PSBValue list = layer.get("meshCombinator").get("combinatorList");
    auto entry = std::make_unique<LayerEntry>();
    entry->node = &node;
    entry->kind = node.meshTransform;
    const uint32_t n = list.getCount();
    entry->buffer.assign(kMeshFloats * (1 + 2 * size_t(n)), 0.0f);
    for (uint32_t i = 0; i < n; ++i) {
        const PSBValue object = list.at(i);
        const PSBValue raw = object.get("rawMeshList");
        PSBValue neutral;
        const PSBValue variable = object.get("variable");
        const float begin = variable.get("rangeBegin").toFloat();
        const float end = variable.get("rangeEnd").toFloat();
        const int32_t declared = variable.get("meshCount").toInt();
        const std::string key = variable.get("key").toString();

        auto combinator = std::make_unique<Combinator>();
        combinator->neutral = object.find("neutralIndex", neutral) ? neutral.toInt() : -1;
        // A count the data can't hold is cut to the meshes that are there.
        const uint8_t* bytes = raw.getResourceData();
        const int32_t stored = bytes ? int32_t(std::min<uint32_t>(raw.getResourceSize() / kRawMeshBytes,
                                                                  uint32_t(std::numeric_limits<int32_t>::max())))
                                     : 0;
        combinator->count = std::clamp(declared, 0, stored);
        combinator->raw.resize(size_t(combinator->count) * kMeshFloats);
        for (size_t k = 0; k < combinator->raw.size(); ++k) combinator->raw[k] = littleEndianFloat(bytes + 4 * k);
        combinator->current = entry->buffer.data() + kMeshFloats * (1 + 2 * size_t(i));
        combinator->previous = combinator->current + kMeshFloats;

        Track& track = joinTrack(key, entry->kind, begin, end, declared);
        combinator->track = &track;
        track.combinators.push_back(combinator.get());
        computeMesh(*combinator);
        combinator->changed = true;
        entry->combinators.push_back(std::move(combinator));
    }
    rebuild(*entry);
    handOver(*entry);
    layers_.push_back(std::move(entry));
}

MMeshCombinator::Track& MMeshCombinator::joinTrack(const std::string& key, int32_t kind, float begin, float end,
                                                   int32_t count) {
    const auto [first, last] = tracks_.equal_range(key);
    for (auto it = first; it != last; ++it) {
        Track& t = *it->second;
        if (t.kind == kind && t.begin == begin && t.end == end && t.count == count) return t;
    }
    auto track = std::make_unique<Track>();
    track->key = key;
    track->kind = kind;
    track->begin = begin;
    track->end = end;
    track->count = count;
    track->position = position(*track);
    return *tracks_.emplace(key, std::move(track))->second;
}

float MMeshCombinator::position(const Track& track) const {
    return meshCombinatorPosition(player_.initialParameterValue(track.key), track.begin, track.end, track.count);
}

void MMeshCombinator::computeMesh(Combinator& c) const {
    // Without meshes a combinator adds nothing and rests.
    if (c.count == 0) {
        std::fill(c.current, c.current + kMeshFloats, 0.0f);
        c.atNeutral = true;
        return;
    }
    // The track's position is shared by combinators whose data may hold
    // fewer meshes than declared: each stops at its own last mesh.
    const float p = std::min(c.track->position, float(c.count - 1));
    const int32_t k = int32_t(p);
    const float frac = p - float(k);
    const float* a = c.raw.data() + size_t(k) * kMeshFloats;
    if (k >= c.count - 1) {
        std::copy(a, a + kMeshFloats, c.current);
    } else {
        lerpMesh(c.current, a, a + kMeshFloats, frac);
    }
    c.atNeutral = k == c.neutral && std::fabs(frac) < std::numeric_limits<float>::epsilon();
}

void MMeshCombinator::rebuild(LayerEntry& entry) const {
    float* out = entry.buffer.data();
    std::fill(out, out + kMeshFloats, 0.0f);
    for (size_t i = 0; i < entry.combinators.size(); ++i) {
        Combinator& c = *entry.combinators[i];
        if (i == 0) {
            std::copy(c.current, c.current + kMeshFloats, out);
        } else {
            addMesh(out, out, c.current);
        }
        c.changed = false;
    }
}

void MMeshCombinator::handOver(LayerEntry& entry) const {
    if (entry.node->meshTransform != entry.kind) return;
    const bool resting = std::all_of(entry.combinators.begin(), entry.combinators.end(),
                                     [](const auto& c) { return c->atNeutral; });
    entry.node->setMeshPoints(entry.kind, resting ? nullptr : entry.buffer.data());
}

void MMeshCombinator::update() {
    for (auto& [key, track] : tracks_) {
        const float p = position(*track);
        if (p == track->position) continue;
        track->position = p;
        for (Combinator* c : track->combinators) {
            std::swap(c->current, c->previous);
            computeMesh(*c);
            c->changed = true;
        }
    }
    for (auto& entry : layers_) {
        const size_t n = entry->combinators.size();
        const size_t changed = size_t(std::count_if(entry->combinators.begin(), entry->combinators.end(),
                                                    [](const auto& c) { return c->changed; }));
        if (changed == 0) continue;
        if (changed >= n / 2) {
            rebuild(*entry);
        } else {
            float* out = entry->buffer.data();
            for (auto& c : entry->combinators) {
                if (!c->changed) continue;
                addMeshDelta(out, out, c->current, c->previous);
                c->changed = false;
            }
        }
        handOver(*entry);
    }
}

void MMeshCombinator::remove(const MMotionLayerNode& node) {
    const auto found = std::find_if(layers_.begin(), layers_.end(), [&](const auto& e) { return e->node == &node; });
    if (found == layers_.end()) return;
    for (auto& c : (*found)->combinators) {
        std::vector<Combinator*>& list = c->track->combinators;
        list.erase(std::remove(list.begin(), list.end(), c.get()), list.end());
    }
    layers_.erase(found);
    // A track nobody follows any more is dropped.
    for (auto it = tracks_.begin(); it != tracks_.end();) {
        it = it->second->combinators.empty() ? tracks_.erase(it) : std::next(it);
    }
}

const float* MMeshCombinator::output(const MMotionLayerNode& node) const {
    for (const auto& e : layers_) {
        if (e->node == &node) return e->buffer.data();
    }
    return nullptr;
}
