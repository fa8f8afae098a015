// libFuzzer target: loads any bytes as a motion document, plays every motion
// of every object with the layer driver (a few steps forward, a seek and a
// step backward, so the scans and the evaluation run over it) and reads
// every layer's frames. A
// damaged document must end in the reader's fatal message (thrown here so the
// run goes on) or a refused tree, never in a read outside the document.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_fatal.h"
#include "engine/data/psb_object.h"
#include "engine/motion/motion_frame_content.h"
#include "engine/motion/motion_layer_driver.h"
#include "engine/motion/motion_player.h"
#include "engine/motion/motion_resource_manager.h"

namespace {

struct Fatal {};

void throwFatal(const char*) { throw Fatal{}; }

class Manager : public MMotionResourceManager {
public:
    int32_t loadTexture(const PSBValue&, bool) override { return 0; }
    void releaseTexture(int32_t) override {}
    float getFrameDelta() override { return 1.0f; }
    float random() override { return 0.5f; }
};

void readFrames(MMotionLayerNode& node) {
    if (node.frameList.kind() != PSBKind::List) return;
    const uint32_t count = std::min(node.frameList.getCount(), 64u);
    for (uint32_t i = 0; i < count; ++i) {
        MMotionFrameContent& slot = node.slots[i & 1];
        loadFrameHeader(slot, i, node.frameList);
        loadFrameContent(slot, node.type, node.frameList);
        if (slot.src == "blank") parseBlankSource(slot.icon);
    }
}

void playAll(Manager& manager, const PSBObject& doc) {
    MMotionLayerDriver& driver = MMotionLayerDriver::shared();
    const PSBValue objects = doc.root().get("object");
    std::vector<std::string> objectNames;
    objects.getKeys(objectNames);
    for (const std::string& object : objectNames) {
        std::vector<std::string> motions;
        objects.get(object).get("motion").getKeys(motions);
        for (const std::string& motion : motions) {
            MMotionPlayer player(manager, object);
            player.setTimelineDriver(driver);
            player.setMotion(motion, 0);
            for (int step = 0; step < 4; ++step) player.progress(7.0f);
            player.setTime(3.0f);
            player.setSpeed(-1.0f);
            player.progress(5.0f);
            for (size_t i = 1; i < player.nodes().size(); ++i) readFrames(player.nodes()[i]);
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool installed = (setPSBFatalHandler(throwFatal), M_SPEC = "win", true);
    (void)installed;
    auto* bytes = static_cast<uint8_t*>(std::malloc(size ? size : 1));
    if (size) std::memcpy(bytes, data, size);
    try {
        const auto doc = std::make_unique<PSBObject>(bytes, size);
        Manager manager;
        const int32_t id = manager.loadMotion(doc.get());
        try {
            playAll(manager, *doc);
        } catch (const Fatal&) {
        }
        manager.releaseMotion(id);
    } catch (const Fatal&) {
    }
    return 0;
}
