#pragma once
// A player on the layer driver over one builder-made document whose object
// "ship" holds several motions, so that layers can play motions of their
// own: nested motions, particles, switches that carry state over. The
// events the player delivers are recorded in order.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "tests/engine/motion/motion_eval_fixture.h"

namespace worldfixture {

namespace mb = psbwriter::motion;

inline mb::Layer held(const std::string& label, int type, mb::Content content, float last = 1000) {
    return mb::Layer{.label = label, .type = type, .frames = {mb::holdFrame(0, content), mb::holdFrame(last, content)}};
}

inline mb::Timeline timeline(float lastTime, std::vector<mb::Layer> layers, float loopTime = -1) {
    return mb::Timeline{.loopTime = loopTime, .lastTime = lastTime, .layers = std::move(layers)};
}

// A nested-motion frame's content: the object "ship" and one of its motions.
inline mb::Content playing(const std::string& motion, float timeOffset = 0) {
    return mb::Content{.src = "ship", .icon = motion, .motion = mb::NestedSettings{.timeOffset = timeOffset}};
}

class World {
public:
    explicit World(std::map<std::string, mb::Motion> motions, std::optional<mb::ScreenSize> screen = {}) {
        M_SPEC = "win";
        mb::Document d{.label = "ship"};
        d.sources["src"].texture = motionfixture::image(8, 8);
        d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
        d.objects["ship"].motions = std::move(motions);
        d.screenSize = screen;
        document = motionfixture::load(d);
        manager.loadMotion(document.get());
        player.setTimelineDriver(MMotionLayerDriver::shared());
        player.addListener(&recorder);
        player.setShown(true);
    }
    ~World() { M_SPEC.clear(); }

    // Steps until the player's time reaches t.
    void runTo(float t) {
        for (int i = 0; i < 10000 && player.time() < t; ++i) player.progress(1);
    }
    MMotionLayerNode& node(size_t i) { return player.nodes().at(i); }

    playerfixture::Manager manager;
    std::unique_ptr<PSBObject> document;
    MMotionPlayer player{manager, "ship"};
    evalfixture::Recorder recorder;
};

}  // namespace worldfixture
