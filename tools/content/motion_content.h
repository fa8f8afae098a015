#pragma once
// The scene motions as people write them (content/motion/<name>.txt): the
// pictures a file draws, and its objects' motions, each a list of layers
// with keyframes. The module scene_motions turns one into a motion file.
//
// A file is a list of lines:
//   include FILE                          the lines of another content file
//   picture NAME sprite ID                a row of the sprite-frame table
//   picture NAME text SIZE RRGGBB TEXT    a line of text ("|" breaks it)
//   picture NAME solid W H RRGGBB         a plain rectangle
//   picture NAME glow D RRGGBB            a soft round glow
//   picture NAME ring D T RRGGBB          a ring of thickness T
//   picture NAME beam W H RRGGBB          a vertical beam with a white core
//   picture NAME frame W H T RRGGBB       a rectangle's outline
//   picture NAME hull W H RRGGBB          an armour plate with seams and rivets
//   picture NAME wing W H RRGGBB          a plate tapering to its left end
//   picture NAME gun D RRGGBB             a gun mount whose barrel points
//                                         down, its muzzle on the lower edge
//   object NAME                           the object the motions below belong to
//   motion LABEL LENGTH [loop]            a motion of LENGTH frames; "loop"
//                                         wraps it to frame 0 at its end
//   same LABEL as OTHER [OLD=NEW ...]     a copy of an earlier motion of the
//                                         object with pictures swapped
//   layer LABEL PICTURE|- [add]           a layer of the motion, drawn over
//                                         the layers before it; "-" draws
//                                         nothing (a locator); "add" blends
//                                         additively
//   key TIME [hide|hold] VALUE...         a keyframe of the layer
//   rig NAME                              the layers and keys below, up to the
//                                         next object, motion or rig line, are
//                                         a set that motions may use
//   use RIG                               a copy of the rig's layers in the
//                                         current motion
// Key values: x=, y= (pixels from the motion's position, y down), a=
// (degrees, clockwise), zx=, zy=, zoom= (both), opa= (0..255), color=RRGGBB
// (0x80 a channel is the picture's own colour), ease=linear|in|out|inout
// (how the tween from the key before arrives at this one). A key keeps the
// values of the key before it that it does not set. Each key tweens to the
// next unless it says "hold"; "hide" shows nothing until the next key. A
// layer shows nothing before its first key and holds its last.
//
// Threads: plain functions.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace content {

enum class PictureKind { kSprite, kText, kSolid, kGlow, kRing, kBeam, kFrame, kHull, kWing, kGun };

struct MotionPicture {
    std::string name;
    PictureKind kind = PictureKind::kSolid;
    int32_t sprite = 0;              // kSprite
    int32_t width = 0, height = 0;   // kSolid, kBeam, kFrame, kHull, kWing; kGlow, kRing, kGun: the diameter
    int32_t size = 0;                // kText: pixels a line; kRing, kFrame: thickness
    uint32_t colour = 0xffffff;      // 0xRRGGBB
    std::vector<std::string> lines;  // kText
};

enum class MotionEase { kLinear, kIn, kOut, kInOut };

struct MotionKey {
    float time = 0;
    bool hidden = false;
    bool hold = false;
    float x = 0, y = 0, angle = 0, zoomX = 1, zoomY = 1;
    int32_t opacity = 255;
    std::optional<uint32_t> colour;  // 0xRRGGBB
    MotionEase ease = MotionEase::kLinear;
};

struct MotionLayerSpec {
    std::string label;
    std::string picture;  // empty: a locator
    bool additive = false;
    std::vector<MotionKey> keys;
};

struct MotionSpec {
    std::string file;  // where the motion line stands, for messages
    int line = 0;
    std::string object;
    std::string label;
    int32_t length = 0;
    bool loops = false;
    std::vector<MotionLayerSpec> layers;  // the first drawn lowest
};

struct MotionFileSpec {
    std::vector<MotionPicture> pictures;
    std::vector<MotionSpec> motions;

    const MotionPicture* picture(std::string_view name) const;
    const MotionSpec* motion(std::string_view object, std::string_view label) const;
};

// Reads `file` through `read` (a content file by its path relative to the
// content folder, for the file and its includes). Throws ContentError naming
// the file and line of a bad line.
MotionFileSpec readMotionContent(std::string_view file, const std::function<std::string(std::string_view)>& read);

}  // namespace content
