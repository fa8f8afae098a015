#include "engine/motion/motion_stream.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstring>

#include "engine/motion/color_interpolation.h"
#include "engine/motion/motion_outer_links.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

uint16_t u16At(const uint8_t* p) { return uint16_t(p[0] | p[1] << 8); }
uint32_t u32At(const uint8_t* p) { return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24; }
float f32At(const uint8_t* p) { return std::bit_cast<float>(u32At(p)); }

// The whole records of `width` bytes a resource value holds.
size_t recordCount(const PSBValue& value, size_t width) {
    return value.getResourceData() ? value.getResourceSize() / width : 0;
}

template <class T, class Read>
void readTable(const PSBValue& stream, const char* key, size_t width, std::vector<T>& out, Read read) {
    const PSBValue value = stream.get(key);
    const uint8_t* bytes = value.getResourceData();
    out.resize(recordCount(value, width));
    for (size_t i = 0; i < out.size(); ++i) out[i] = read(bytes + width * i);
}

bool ignoresTint(uint32_t drawMode) {
    const uint32_t m = drawMode & 0xff0f;
    return m == 2 || m == 3 || m == 5;
}

}  // namespace

void MMotionStream::load(MMotionPlayer& player, const PSBValue& motion) {
    PSBValue stream;
    if (!motion.find("stream", stream)) {
        active_ = false;
        return;
    }
    active_ = true;
    count_ = 0;
    prepared_ = false;
    const int32_t declared = std::max(stream.get("maxLayerCount").toInt(), 0);
    readTable(stream, "vtx", 4, vertices_, f32At);
    readTable(stream, "mesh", 8, meshes_, [](const uint8_t* p) {
        return Mesh{u16At(p), u16At(p + 2), u16At(p + 4), u16At(p + 6)};
    });
    readTable(stream, "color", 4, colors_, u32At);
    readTable(stream, "z", 4, z_, f32At);
    readTable(stream, "layer", 14, layers_, [](const uint8_t* p) {
        return Layer{u16At(p), u16At(p + 2), u16At(p + 4), u16At(p + 6), u16At(p + 8), u16At(p + 10), u16At(p + 12)};
    });
    readTable(stream, "frameIdx", 2, frameIndices_, u16At);
    readTable(stream, "frame", 2, frames_, u16At);
    // No frame can draw more layers than the index table lists.
    const size_t maxLayers = std::min(size_t(declared), frameIndices_.size());
    if (vertices_.size() % 2) vertices_.pop_back();
    colors_.resize(colors_.size() / 4 * 4);
    frames_.resize(frames_.size() / 2 * 2);
    const PSBValue names = stream.get("src");
    sources_.assign(names.getCount() / 2, MMotionSourceInfo{});
    PSBValue hint;
    for (size_t i = 0; i < sources_.size(); ++i) {
        player.manager().getSourceInfo(names.at(uint32_t(2 * i)).toString(), names.at(uint32_t(2 * i + 1)).toString(),
                                       sources_[i], hint);
    }
    items_.assign(maxLayers, MMotionRenderItem{});
    grids_.assign(maxLayers, MMotionVertexGrid{});
    for (size_t i = 0; i < items_.size(); ++i) items_[i].grid = &grids_[i];
}

// False for a layer whose rows lie outside the tables.
bool MMotionStream::fillItem(MMotionPlayer& player, uint32_t layerIndex, MMotionRenderItem& item,
                             MMotionVertexGrid& grid) const {
    if (layerIndex >= layers_.size()) return false;
    const Layer& layer = layers_[layerIndex];
    if (layer.mesh >= meshes_.size() || size_t(layer.color) * 4 >= colors_.size() || layer.z >= z_.size() ||
        layer.source >= sources_.size()) {
        return false;
    }
    const Mesh& mesh = meshes_[layer.mesh];
    const size_t points = (size_t(mesh.columns) + 1) * (size_t(mesh.rows) + 1);
    if (mesh.columns == 0 || mesh.rows == 0 || mesh.endVertex < mesh.firstVertex ||
        size_t(mesh.endVertex) * 2 > vertices_.size() || size_t(mesh.endVertex - mesh.firstVertex) != points) {
        return false;
    }
    grid.word = 0;
    grid.columns = mesh.columns;
    grid.rows = mesh.rows;
    grid.points.assign(vertices_.begin() + 2 * mesh.firstVertex, vertices_.begin() + 2 * mesh.endVertex);
    grid.resetBounds();
    const MMotionSourceInfo& source = sources_[layer.source];
    item.playerZ = player.z();
    item.colorMode = player.renderAttrPair()[0];
    item.color = player.renderAttrPair()[1];
    item.drawMode = layer.drawMode;
    item.flags = layer.flags;
    item.opacity = layer.opacity;
    item.z = z_[layer.z];
    std::copy_n(colors_.begin() + 4 * layer.color, 4, item.colors);
    item.texture = source.texture;
    item.source[0] = float(source.left);
    item.source[1] = float(source.top);
    item.source[2] = float(source.width);
    item.source[3] = float(source.height);
    const MMotionLayerNode& root = player.nodes()[0];
    item.clip = motionClipInForce(player, root);
    item.container = motionDrawnContainer(player, root);
    item.grid = &grid;
    return true;
}

void MMotionStream::play(MMotionPlayer& player) {
    const MMotionNodeState& local = player.nodes()[0].local;
    if (!local.shown || local.opacity == 0) {
        count_ = 0;
        return;
    }
    prepared_ = false;
    count_ = 0;
    const float last = std::min(player.scanTime(), player.lastTime() - 1.0f);
    const float frame = std::trunc(last);
    if (!(frame >= 0.0f) || size_t(frame) * 2 + 1 >= frames_.size()) return;
    const size_t first = frames_[2 * size_t(frame)];
    const size_t end = std::min<size_t>(frames_[2 * size_t(frame) + 1], frameIndices_.size());
    for (size_t k = first; k < end && count_ < items_.size(); ++k) {
        if (fillItem(player, frameIndices_[k], items_[count_], grids_[count_])) ++count_;
    }
    placePoints(player);
}

void MMotionStream::placePoints(MMotionPlayer& player) {
    const MMotionLayerNode& root = player.nodes()[0];
    const float slope = player.manager().depthSlope();
    const float ox = root.local.x, oy = root.local.y + root.local.z * slope;
    const MMotionNodeMatrix& m = root.matrix;
    const bool identity = m.a == 1.0f && m.b == 0.0f && m.c == 0.0f && m.d == 1.0f;
    for (uint32_t i = 0; i < count_; ++i) {
        std::vector<float>& p = grids_[i].points;
        const float dz = slope != 0.0f ? items_[i].z * slope : 0.0f;
        for (size_t j = 0; j + 1 < p.size(); j += 2) {
            const float x = p[j], y = p[j + 1];
            p[j] = (identity ? x : m.a * x + m.b * y) + ox;
            p[j + 1] = (identity ? y : m.c * x + m.d * y) + oy + dz;
        }
    }
}

void MMotionStream::applyColor(MMotionPlayer& player, uint32_t combined) {
    const uint32_t opacity = player.nodes()[0].local.opacity;
    const bool neutral = combined == kMotionNeutralColor;
    MMotionColorCache cache;
    bool translucent = opacity < 255;
    for (uint32_t i = 0; i < count_; ++i) {
        MMotionRenderItem& item = items_[i];
        if (opacity != 255) {
            item.opacity = item.opacity * opacity / 255;
            for (uint32_t& c : item.colors) c = scaleAlpha(c, uint8_t(opacity));
        }
        if (!neutral && !ignoresTint(item.drawMode)) {
            for (uint32_t& c : item.colors) c = c == kMotionNeutralColor ? combined : multiplyColor(c, combined, cache);
        }
        for (uint32_t c : item.colors) translucent = translucent || (c & 0xff) < 0xff;
    }
    if (!translucent) return;
    for (uint32_t i = 0; i < count_; ++i) items_[i].flags &= ~MMotionRenderItem::kFlagOpaque;
}

void MMotionStream::render(MMotionPlayer& player, uint32_t combined, std::vector<MMotionRenderItem*>* out) {
    if (count_ == 0) return;
    if (!prepared_) {
        prepared_ = true;
        applyColor(player, combined);
    }
    for (uint32_t i = 0; i < count_; ++i) {
        player.renderList().push_back(&items_[i]);
        if (out) out->push_back(&items_[i]);
    }
}
