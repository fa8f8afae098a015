// Writes the motion document fuzzer's seed corpus: motions made with our
// motion builder holding every layer type, frames of each kind and a blank
// source. Run with the corpus folder as its argument.
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/motion_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace mb = psbwriter::motion;

namespace {

mb::Layer layer(const std::string& label, int type, mb::Content content) {
    return mb::Layer{.label = label, .type = type,
                     .frames = {mb::holdFrame(0, content), mb::tweenFrame(5, content), mb::emptyFrame(10)}};
}

mb::Document sample(bool everyType) {
    mb::Document d{.label = "seed"};
    d.sources["src"].texture = psbwriter::rgbaImage(2, 2, std::vector<uint32_t>(4, 0xffffffffu));
    d.sources["src"].icons["i0"] = mb::Icon{.width = 2, .height = 2};
    d.easings.push_back(mb::linearEasing());
    d.screenSize = mb::ScreenSize{.width = 64, .height = 32};
    mb::Content sprite{.src = "blank", .icon = "64:32:16.5:8", .color = 0x11223344u, .opacity = 128,
                       .positionEasing = 0, .drawMode = 0x01, .tweenStep = 2};
    mb::Timeline t{.lastTime = 10};
    mb::Layer root = layer("root", mb::kGroup, {});
    root.children.push_back(layer("sprite", mb::kSprite, sprite));
    t.layers.push_back(root);
    if (everyType) {
        for (int type = 1; type <= 12; ++type) {
            if (type == mb::kSprite || type == mb::kNestedMotion) continue;
            mb::Layer l = layer("t" + std::to_string(type), type, {.cornerColors = std::array<uint32_t, 4>{1, 2, 3, 4}});
            l.particle.deleteOutsideScreen = true;
            l.stencilType = 0x5;
            l.stencilMasks = {"sprite", "t1"};
            t.layers.push_back(l);
        }
    }
    d.objects["o"].motions["m"] = t;
    return d;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: motion_fuzz_seeds CORPUS_FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (bool everyType : {false, true}) {
        const std::vector<uint8_t> bytes = psbwriter::writePsb(mb::motionDocument(sample(everyType)));
        std::ofstream out(folder / (everyType ? "every_type.psb" : "sprite.psb"), std::ios::binary);
        out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    }
    return 0;
}
