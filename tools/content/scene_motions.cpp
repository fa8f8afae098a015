// Scene motions module: the motion files the game opens at boot and in its
// scenes, "resource/motion/<name>.psb" (raw PSB "motion" 3.03), from
// "motion/motions.txt" (the faces the texts are drawn in and the files to
// make) and one "motion/<name>.txt" a file (motion_content.h). Each file
// carries one texture, "atlas", with every picture it draws; the pictures
// of sprites are cut from the sheets the sprites module wrote earlier in the
// run. A preview of each atlas goes to <preview>/motion/<name>.png.
#include <optional>
#include <string>
#include <vector>

#include "tools/content/content_lines.h"
#include "tools/content/content_modules.h"
#include "tools/content/font_face.h"
#include "tools/content/motion_content.h"
#include "tools/content/motion_pictures.h"
#include "tools/content/sprite_layout.h"
#include "tools/psbwriter/image_object.h"
#include "tools/psbwriter/motion_document.h"
#include "tools/psbwriter/psb_writer.h"

namespace content {
namespace {

namespace mb = psbwriter::motion;

constexpr const char* kListFile = "motion/motions.txt";
constexpr const char* kSpriteFile = "sprites/sprites.txt";
constexpr const char* kSource = "atlas";
constexpr uint32_t kAdditive = 0x11;  // blend mode 1 (add), class 1

// The motion's bounds: the virtual screen around the motion's position.
constexpr mb::Rect kBounds{-112, -144, 112, 144};

// Easing indices of the document; linear tweens name none.
enum EasingIndex : int { kEaseIn = 0, kEaseOut = 1, kEaseInOut = 2 };

struct MotionList {
    std::vector<std::string> files;
};

MotionList readMotionList(std::string_view text, TextFaces& faces) {
    MotionList list;
    for (const ContentLine& line : contentLines(text)) {
        const std::vector<std::string> f = splitFields(line.text);
        if (f[0] == "face" && f.size() == 4 && (f[3] == "ascii" || f[3] == "any")) {
            faces.add(findFontFile(f[1], f[2]), f[3] == "ascii");
        } else if (f[0] == "file" && f.size() == 2) {
            list.files.push_back(f[1]);
        } else {
            throw ContentError(where(kListFile, line, "expected \"face FILE PACKAGE ascii|any\" or \"file NAME\""));
        }
    }
    return list;
}

// Quadratic curves: a constant second derivative reproduces them exactly.
std::vector<mb::Easing> easings() {
    return {
        {mb::Spline{{0, 1}, {0, 1}, {2, 2}}},
        {mb::Spline{{0, 1}, {0, 1}, {-2, -2}}},
        {mb::Spline{{0, 0.5f}, {0, 0.5f}, {4, 4}}, mb::Spline{{0.5f, 1}, {0.5f, 1}, {-4, -4}}},
    };
}

std::optional<int> easingIndex(MotionEase ease) {
    switch (ease) {
    case MotionEase::kIn: return kEaseIn;
    case MotionEase::kOut: return kEaseOut;
    case MotionEase::kInOut: return kEaseInOut;
    case MotionEase::kLinear: break;
    }
    return std::nullopt;
}

// A key's frame tweens towards the next key with the next key's easing.
mb::Content keyContent(const MotionLayerSpec& layer, const MotionKey& key, MotionEase towardsNext) {
    mb::Content c;
    if (!layer.picture.empty()) {
        c.src = kSource;
        c.icon = layer.picture;
    }
    c.coord = mb::Vec3{key.x, key.y, 0};
    if (key.angle != 0) c.angle = key.angle;
    if (key.zoomX != 1 || key.zoomY != 1) {
        c.zoomX = key.zoomX;
        c.zoomY = key.zoomY;
    }
    if (key.opacity != 255) c.opacity = key.opacity;
    if (key.colour) c.color = (*key.colour << 8) | 0xffu;
    if (layer.additive) c.drawMode = kAdditive;
    const std::optional<int> easing = easingIndex(towardsNext);
    c.positionEasing = c.angleEasing = c.zoomEasing = c.colorEasing = easing;
    return c;
}

mb::Layer layer(const MotionLayerSpec& spec, int32_t length) {
    mb::Layer out{.label = spec.label, .type = spec.picture.empty() ? mb::kGroup : mb::kSprite};
    if (spec.keys.front().time > 0) out.frames.push_back(mb::emptyFrame(0));
    for (size_t i = 0; i < spec.keys.size(); ++i) {
        const MotionKey& key = spec.keys[i];
        const bool last = i + 1 == spec.keys.size();
        if (key.hidden) {
            out.frames.push_back(mb::emptyFrame(key.time));
        } else if (key.hold || last) {
            out.frames.push_back(mb::holdFrame(key.time, keyContent(spec, key, MotionEase::kLinear)));
        } else {
            out.frames.push_back(mb::tweenFrame(key.time, keyContent(spec, key, spec.keys[i + 1].ease)));
        }
    }
    // A frame list holds at least two frames; the last key holds to the end.
    if (out.frames.size() < 2 || out.frames.back().time < float(length)) {
        const MotionKey& key = spec.keys.back();
        out.frames.push_back(key.hidden ? mb::emptyFrame(float(length))
                                        : mb::holdFrame(float(length), keyContent(spec, key, MotionEase::kLinear)));
    }
    return out;
}

mb::Timeline timeline(const MotionSpec& spec) {
    mb::Timeline t{.loopTime = spec.loops ? 0.0f : -1.0f, .lastTime = float(spec.length), .bounds = kBounds};
    // The document draws its first layer on top; the content lists them
    // from the bottom up.
    for (auto it = spec.layers.rbegin(); it != spec.layers.rend(); ++it) t.layers.push_back(layer(*it, spec.length));
    return t;
}

mb::Document document(const std::string& name, const MotionFileSpec& spec, const PictureAtlas& atlas) {
    // "common": the files suit every platform word the engine may run with.
    mb::Document d{.label = name, .spec = "common"};
    mb::Source& source = d.sources[kSource];
    source.texture = psbwriter::imageObject("RGBA8", atlas.image.width, atlas.image.height, atlas.image.rgba);
    for (const auto& [picture, place] : atlas.places) {
        source.icons[picture] = mb::Icon{.originX = float(place.width) / 2,
                                         .originY = float(place.height) / 2,
                                         .left = place.x,
                                         .top = place.y,
                                         .width = place.width,
                                         .height = place.height};
    }
    for (const MotionSpec& m : spec.motions) d.objects[m.object].motions[m.label] = timeline(m);
    d.easings = easings();
    return d;
}

}  // namespace

void makeSceneMotions(ContentContext& context) {
    TextFaces faces;
    const MotionList list = readMotionList(context.readContent(kListFile), faces);
    const SpriteContent sprites = readSpriteContent(context.readContent(kSpriteFile), kSpriteFile);
    SpritePictures pictures(layoutSprites(sprites).rows, [&](int32_t slot) {
        const SheetSpec* sheet = sprites.sheet(slot);
        if (!sheet) throw ContentError("sprite sheet slot " + std::to_string(slot) + " has no file");
        return context.readResource("graphic/" + sheet->file);
    });
    const auto read = [&](std::string_view file) { return context.readContent(file); };
    for (const std::string& name : list.files) {
        const std::string file = "motion/" + name + ".txt";
        const MotionFileSpec spec = readMotionContent(file, read);
        PictureAtlas atlas;
        try {
            atlas = drawPictures(spec.pictures, pictures, faces);
        } catch (const ContentError& error) {
            throw ContentError(file + ": " + error.what());
        }
        context.writeResource("motion/" + name + ".psb", psbwriter::writePsb(mb::motionDocument(document(name, spec, atlas))));
        context.writePreview("motion/" + name + ".png", encodePng(atlas.image, 6));
    }
}

}  // namespace content
