#pragma once
// A player driven by the layer driver over one builder-made document: the
// object "ship" with the motion "m", the events it raises recorded in order.

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_player.h"
#include "tests/engine/motion/motion_player_fixture.h"

namespace evalfixture {

namespace mb = psbwriter::motion;

class Recorder : public MMotionEventListener {
public:
    void onAction(MMotionPlayer&, const std::string& name, const std::string& text) override {
        events.push_back(name + ":" + text);
    }
    void onSync(MMotionPlayer&) override { events.push_back("sync"); }

    std::vector<std::string> events;
};

// A layer that draws nothing of its own, so it needs no source.
inline mb::Layer group(const std::string& label, std::vector<mb::Frame> frames, std::vector<mb::Layer> children = {}) {
    return mb::Layer{.label = label, .type = mb::kGroup, .frames = std::move(frames), .children = std::move(children)};
}

inline mb::Content at(float x, float y) { return mb::Content{.coord = mb::Vec3{x, y, 0.0f}}; }

inline mb::Content acting(const std::string& text) { return mb::Content{.action = text}; }

class Stage {
public:
    // `edit` may add sources and icons to the document before it is built.
    explicit Stage(const mb::Timeline& timeline, std::vector<mb::Easing> easings = {},
                   const std::function<void(mb::Document&)>& edit = {}) {
        M_SPEC = "win";
        mb::Document d{.label = "ship"};
        d.sources["src"].texture = motionfixture::image(8, 8);
        d.sources["src"].icons["i0"] = mb::Icon{.width = 8, .height = 8};
        d.objects["ship"].motions["m"] = timeline;
        d.easings = std::move(easings);
        if (edit) edit(d);
        document = motionfixture::load(d);
        manager.loadMotion(document.get());
        player.setTimelineDriver(MMotionLayerDriver::shared());
        player.addListener(&recorder);
        player.setShown(true);
        player.play("m", 0);
    }

    ~Stage() { M_SPEC.clear(); }

    MMotionLayerNode& node(size_t i) { return player.nodes().at(i); }
    std::vector<std::string> take() {
        std::vector<std::string> taken;
        taken.swap(recorder.events);
        return taken;
    }

    playerfixture::Manager manager;
    std::unique_ptr<PSBObject> document;
    MMotionPlayer player{manager, "ship"};
    Recorder recorder;
};

}  // namespace evalfixture
