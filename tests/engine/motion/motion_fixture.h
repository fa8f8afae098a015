#pragma once
// Motion documents made with our motion builder and loaded as the engine
// loads them, for the motion tests.

#include <memory>
#include <string>
#include <vector>

#include "engine/data/psb_object.h"
#include "tests/engine/data/psb_document.h"
#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/motion_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace motionfixture {

namespace mb = psbwriter::motion;

inline std::unique_ptr<PSBObject> load(const mb::Document& document) {
    return loadDocument(psbwriter::writePsb(mb::motionDocument(document)));
}

inline psbwriter::Value image(int width, int height) {
    return psbwriter::rgbaImage(width, height, std::vector<uint32_t>(size_t(width * height), 0xFFFFFFFFu));
}

// A timeline of one sprite layer showing source/icon from frame 0 to 10.
inline mb::Timeline spriteTimeline(const std::string& source, const std::string& icon) {
    mb::Content content;
    content.src = source;
    content.icon = icon;
    mb::Layer sprite{.label = "sprite", .frames = {mb::holdFrame(0, content), mb::holdFrame(10, content)}};
    return mb::Timeline{.lastTime = 10, .layers = {sprite}};
}

// A document with one source of the given icons (each 8 by 8, placed side
// by side) and one object holding the given motion names.
inline mb::Document document(const std::string& label, const std::string& source, const std::vector<std::string>& icons,
                             const std::string& object, const std::vector<std::string>& motions) {
    mb::Document d{.label = label};
    mb::Source& s = d.sources[source];
    s.texture = image(8 * int(icons.size()), 8);
    for (size_t i = 0; i < icons.size(); ++i) {
        s.icons[icons[i]] = mb::Icon{.originX = 4, .originY = 4, .left = 8 * int(i), .width = 8, .height = 8};
    }
    for (const std::string& motion : motions) d.objects[object].motions[motion] = spriteTimeline(source, icons.at(0));
    return d;
}

}  // namespace motionfixture
