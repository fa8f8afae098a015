#include "engine/motion/motion_draw_modes.h"

#include <set>
#include <string>

#include "engine/data/psb_value.h"
#include "engine/motion/motion_frame_content.h"

namespace {

// Deeper layer trees are damaged files: what lies below is not read.
constexpr int kMaxLayerDepth = 64;

void addLayerModes(const PSBValue& layer, int depth, std::set<uint32_t>& modes) {
    if (depth > kMaxLayerDepth) return;
    PSBValue frames, children;
    if (layer.find("frameList", frames)) {
        for (uint32_t i = 0; i < frames.getCount(); ++i) {
            PSBValue content, mode;
            if (frames.at(i).find("content", content) && content.find("bm", mode)) modes.insert(uint32_t(mode.toInt()));
        }
    }
    if (!layer.find("children", children)) return;
    for (uint32_t i = 0; i < children.getCount(); ++i) addLayerModes(children.at(i), depth + 1, modes);
}

}  // namespace

std::vector<uint32_t> motionDrawModes(const PSBValue& root) {
    std::set<uint32_t> modes = {MMotionFrameContent{}.drawMode};
    PSBValue objects;
    if (!root.find("object", objects)) return {modes.begin(), modes.end()};
    std::vector<std::string> objectNames;
    objects.getKeys(objectNames);
    for (const std::string& objectName : objectNames) {
        PSBValue motions;
        if (!objects.get(objectName).find("motion", motions)) continue;
        std::vector<std::string> labels;
        motions.getKeys(labels);
        for (const std::string& label : labels) {
            PSBValue layers;
            if (!motions.get(label).find("layer", layers)) continue;
            for (uint32_t i = 0; i < layers.getCount(); ++i) addLayerModes(layers.at(i), 0, modes);
        }
    }
    return {modes.begin(), modes.end()};
}
