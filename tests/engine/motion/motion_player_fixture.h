#pragma once
// A player under test: a manager that registers builder-made documents, and a
// timeline driver that builds bare layer nodes from the "layer" tree and
// records the frame scans the player asks for.

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"
#include "tests/engine/motion/motion_fixture.h"

namespace playerfixture {

namespace mb = psbwriter::motion;

class Manager : public MMotionResourceManager {
public:
    int32_t loadTexture(const PSBValue&, bool) override { return 0; }
    void releaseTexture(int32_t) override {}
    float getFrameDelta() override { return 1.0f; }
    float random() override { return 0.25f; }
};

struct Scan {
    MMotionScan kind;
    float time;
    bool operator==(const Scan&) const = default;
};

class Driver : public MMotionTimelineDriver {
public:
    void loadLayers(MMotionPlayer& player, const PSBValue& timeline) override {
        ++loads;
        addLayers(player, timeline.get("layer"), 0);
    }
    void saveJoinState(MMotionPlayer&) override { ++joins; }
    void scan(MMotionPlayer& player, MMotionScan kind) override {
        scans.push_back({kind, player.scanTime()});
        if (onScan) onScan(player, kind);
    }
    void evaluate(MMotionPlayer&) override { ++evaluations; }

    int loads = 0;
    int joins = 0;
    int evaluations = 0;
    std::vector<Scan> scans;
    std::function<void(MMotionPlayer&, MMotionScan)> onScan;

private:
    static void addLayers(MMotionPlayer& player, const PSBValue& list, int32_t parent) {
        for (uint32_t i = 0; i < list.getCount(); ++i) {
            MMotionLayerNode node;
            node.label = list.at(i).get("label").toString();
            node.type = list.at(i).get("type").toInt();
            node.parent = parent;
            player.nodes().push_back(std::move(node));
            addLayers(player, list.at(i).get("children"), int32_t(player.nodes().size() - 1));
        }
    }
};

inline mb::Timeline timeline(float loopTime, float lastTime) {
    return mb::Timeline{.loopTime = loopTime, .lastTime = lastTime};
}

// One document with object "ship" holding the given motions.
inline std::unique_ptr<PSBObject> shipDocument(std::map<std::string, mb::Motion> motions) {
    mb::Document d{.label = "ship"};
    d.sources["src"].texture = motionfixture::image(8, 8);
    d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
    d.objects["ship"].motions = std::move(motions);
    return motionfixture::load(d);
}

}  // namespace playerfixture
