// The player's parameters and variable store: parameters registered with
// every ancestor so a name set high up reaches them, unscoped values kept
// across timeline loads, and scoped values sent down through named layers.
#include <algorithm>

#include "engine/motion/motion_player.h"

void MMotionPlayer::loadParameters(const PSBValue& list) {
    parameters_.clear();
    parameters_.reserve(list.getCount());
    for (uint32_t i = 0; i < list.getCount(); ++i) {
        MMotionParameter parameter = MMotionParameter::read(list.at(i));
        parameter.map(initialParameterValue(parameter.id));
        parameters_.push_back(std::move(parameter));
    }
    registerParameters();
}

void MMotionPlayer::registerParameters() {
    for (MMotionPlayer* p = this; p != nullptr; p = p->parent_) {
        for (MMotionParameter& parameter : parameters_) p->registry_.emplace(parameter.id, &parameter);
    }
}

void MMotionPlayer::withdrawParameters() {
    const MMotionParameter* first = parameters_.data();
    const MMotionParameter* end = first + parameters_.size();
    for (MMotionPlayer* p = this; p != nullptr; p = p->parent_) {
        std::erase_if(p->registry_, [&](const auto& entry) { return entry.second >= first && entry.second < end; });
    }
    parameters_.clear();
    timeSource_ = -1;
}

void MMotionPlayer::setParameter(const std::string& id, float value) {
    const auto [first, end] = registry_.equal_range(id);
    for (auto it = first; it != end; ++it) it->second->map(value);
}

// The own unscoped value, else a scoped value an ancestor sent through the
// layer that holds this player. Only a scoped entry of exactly this name
// counts, not one whose name merely contains it.
float MMotionPlayer::initialParameterValue(const std::string& id) const {
    const auto own = values_.find(id);
    if (own != values_.end()) return own->second;
    const MMotionPlayer* child = this;
    for (const MMotionPlayer* p = parent_; p != nullptr; child = p, p = p->parent_) {
        for (const auto& [full, entry] : p->scoped_) {
            std::string scope;
            std::string name;
            if (!splitScopedName(full, scope, name) || name != id) continue;
            for (const MMotionLayerNode* node : entry.layers) {
                if (holdsPlayer(*node, *child)) return entry.value;
            }
        }
    }
    return 0.0f;
}

bool MMotionPlayer::holdsPlayer(const MMotionLayerNode& node, const MMotionPlayer& player) const {
    if (node.nestedPlayer.get() == &player) return true;
    return std::any_of(node.particlePlayers.begin(), node.particlePlayers.end(),
                       [&](const auto& particle) { return particle.get() == &player; });
}

void MMotionPlayer::setVariable(const std::string& fullName, float value) {
    std::string scope;
    std::string name;
    if (!splitScopedName(fullName, scope, name)) {
        values_[fullName] = value;
        setParameter(fullName, value);
        return;
    }
    auto [it, added] = scoped_.try_emplace(fullName);
    MMotionScopedVariable& entry = it->second;
    if (added) {
        for (const std::string& piece : splitTrimmed(scope, "/")) entry.scope.push_back(trimSpaces(piece));
    }
    entry.value = value;
    sendScoped(entry, name);
}

void MMotionPlayer::sendScoped(MMotionScopedVariable& entry, const std::string& name) {
    resolveScope(entry);
    for (MMotionLayerNode* node : entry.layers) {
        if (node->type == MMotionLayerNode::kNestedMotion && node->nestedPlayer) {
            node->nestedPlayer->setParameter(name, entry.value);
        }
        if (node->type == MMotionLayerNode::kParticleEmitter) {
            for (auto& particle : node->particlePlayers) particle->setParameter(name, entry.value);
        }
    }
}

void MMotionPlayer::resolveScopes() {
    for (auto& [full, entry] : scoped_) {
        std::string scope;
        std::string name;
        if (splitScopedName(full, scope, name)) sendScoped(entry, name);
    }
}

// A layer matches when the labels of it and its ancestors, cut to the scope's
// length, read as the scope does (outermost first).
void MMotionPlayer::resolveScope(MMotionScopedVariable& entry) {
    if (entry.resolveMark == 0.0f) return;
    entry.resolveMark = 0.0f;
    entry.layers.clear();
    for (size_t i = 1; i < nodes_.size(); ++i) {
        const int32_t type = nodes_[i].type;
        if (type != MMotionLayerNode::kNestedMotion && type != MMotionLayerNode::kParticleEmitter) continue;
        if (labelChain(int32_t(i), entry.scope.size()) == entry.scope) entry.layers.push_back(&nodes_[i]);
    }
}

std::vector<std::string> MMotionPlayer::labelChain(int32_t node, size_t depth) const {
    std::vector<std::string> chain;
    // Bounded by the node count, so a damaged parent link cannot loop.
    for (size_t guard = 0; node > 0 && size_t(node) < nodes_.size() && chain.size() < depth && guard < nodes_.size();
         ++guard) {
        chain.push_back(nodes_[size_t(node)].label);
        node = nodes_[size_t(node)].parent;
    }
    std::reverse(chain.begin(), chain.end());
    return chain;
}
