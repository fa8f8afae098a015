#include "tools/content/motion_content.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <map>

#include "tools/content/content_context.h"
#include "tools/content/content_lines.h"

namespace content {
namespace {

constexpr int kMaxIncludeDepth = 8;
// Lengths, sizes and ids stay far below this.
constexpr int64_t kLargestWhole = 1000000;

// The reader's place: the file being read and what it has built so far.
struct MotionReader {
    const std::function<std::string(std::string_view)>& read;
    MotionFileSpec spec;
    std::string object;
    bool inMotion = false;  // the last motion is the object's current one
    bool inLayer = false;   // and its last layer the current layer
    std::map<std::string, std::vector<MotionLayerSpec>> rigs;
    std::string rig;  // the rig being written, or none

    MotionSpec& motion() { return spec.motions.back(); }
    // Where layer lines go: the rig being written or the current motion.
    std::vector<MotionLayerSpec>& layers() { return rig.empty() ? spec.motions.back().layers : rigs[rig]; }
    MotionLayerSpec& layer() { return layers().back(); }
};

struct LinePlace {
    std::string_view file;
    const ContentLine& line;

    [[noreturn]] void fail(std::string_view message) const { throw ContentError(where(file, line, message)); }
};

float parseDecimal(std::string_view field, const LinePlace& at) {
    float value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value);
    if (error != std::errc() || end != field.data() + field.size() || !std::isfinite(value)) {
        at.fail("not a number: " + std::string(field));
    }
    return value;
}

int32_t parseWhole(std::string_view field, const LinePlace& at) {
    const int64_t value = parseNumber(field, at.file, at.line);
    if (value < -kLargestWhole || value > kLargestWhole) at.fail("out of range: " + std::string(field));
    return int32_t(value);
}

uint32_t parseColour(std::string_view field, const LinePlace& at) {
    uint32_t value = 0;
    const auto [end, error] = std::from_chars(field.data(), field.data() + field.size(), value, 16);
    if (field.size() != 6 || error != std::errc() || end != field.data() + field.size()) {
        at.fail("not a colour RRGGBB: " + std::string(field));
    }
    return value;
}

void expectFields(const std::vector<std::string>& f, size_t count, const LinePlace& at) {
    if (f.size() != count) at.fail(f[0] + " takes " + std::to_string(count - 1) + " values");
}

// The text of a line after its first `fields` fields, blanks kept inside.
std::string restOfLine(std::string_view text, size_t fields) {
    constexpr const char* kBlanks = " \t";
    size_t i = 0;
    for (size_t f = 0; f < fields && i != std::string_view::npos; ++f) {
        i = text.find_first_not_of(kBlanks, i);
        if (i != std::string_view::npos) i = text.find_first_of(kBlanks, i);
    }
    if (i != std::string_view::npos) i = text.find_first_not_of(kBlanks, i);
    return i == std::string_view::npos ? std::string() : std::string(text.substr(i));
}

std::vector<std::string> splitText(const std::string& text) {
    std::vector<std::string> lines(1);
    for (char c : text) {
        if (c == '|') lines.emplace_back();
        else lines.back() += c;
    }
    return lines;
}

void readPicture(MotionReader& r, const std::vector<std::string>& f, const ContentLine& line, const LinePlace& at) {
    if (f.size() < 3) at.fail("picture takes a name and a kind");
    if (r.spec.picture(f[1])) at.fail("picture " + f[1] + " is already defined");
    MotionPicture p;
    p.name = f[1];
    const std::string& kind = f[2];
    if (kind == "sprite") {
        expectFields(f, 4, at);
        p.kind = PictureKind::kSprite;
        p.sprite = parseWhole(f[3], at);
    } else if (kind == "text") {
        if (f.size() < 6) at.fail("text takes a size, a colour and the text");
        p.kind = PictureKind::kText;
        p.size = parseWhole(f[3], at);
        p.colour = parseColour(f[4], at);
        p.lines = splitText(restOfLine(line.text, 5));
    } else if (kind == "solid" || kind == "beam") {
        expectFields(f, 6, at);
        p.kind = kind == "solid" ? PictureKind::kSolid : PictureKind::kBeam;
        p.width = parseWhole(f[3], at);
        p.height = parseWhole(f[4], at);
        p.colour = parseColour(f[5], at);
    } else if (kind == "glow") {
        expectFields(f, 5, at);
        p.kind = PictureKind::kGlow;
        p.width = p.height = parseWhole(f[3], at);
        p.colour = parseColour(f[4], at);
    } else if (kind == "ring") {
        expectFields(f, 6, at);
        p.kind = PictureKind::kRing;
        p.width = p.height = parseWhole(f[3], at);
        p.size = parseWhole(f[4], at);
        p.colour = parseColour(f[5], at);
    } else if (kind == "hull" || kind == "wing") {
        expectFields(f, 6, at);
        p.kind = kind == "hull" ? PictureKind::kHull : PictureKind::kWing;
        p.width = parseWhole(f[3], at);
        p.height = parseWhole(f[4], at);
        p.colour = parseColour(f[5], at);
    } else if (kind == "gun") {
        expectFields(f, 5, at);
        p.kind = PictureKind::kGun;
        p.width = p.height = parseWhole(f[3], at);
        p.colour = parseColour(f[4], at);
    } else if (kind == "frame") {
        expectFields(f, 7, at);
        p.kind = PictureKind::kFrame;
        p.width = parseWhole(f[3], at);
        p.height = parseWhole(f[4], at);
        p.size = parseWhole(f[5], at);
        p.colour = parseColour(f[6], at);
    } else {
        at.fail("unknown picture kind " + kind);
    }
    const bool sized = p.kind == PictureKind::kSprite || (p.kind == PictureKind::kText ? p.size > 0 : p.width > 0);
    if (!sized || p.width < 0 || p.height < 0 || p.size < 0 || p.width > 1024 || p.height > 1024 || p.size > 256) {
        at.fail("picture " + p.name + " has no size or too big a size");
    }
    r.spec.pictures.push_back(std::move(p));
}

void startMotion(MotionReader& r, MotionSpec motion, const LinePlace& at) {
    if (r.object.empty()) at.fail("a motion needs an object line before it");
    if (r.spec.motion(r.object, motion.label)) at.fail("motion " + motion.label + " is already defined");
    motion.object = r.object;
    motion.file = std::string(at.file);
    motion.line = at.line.number;
    r.rig.clear();
    r.spec.motions.push_back(std::move(motion));
    r.inMotion = true;
    r.inLayer = false;
}

void readMotion(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    if (f.size() != 3 && !(f.size() == 4 && f[3] == "loop")) at.fail("motion takes a label, a length and maybe loop");
    MotionSpec m;
    m.label = f[1];
    m.length = parseWhole(f[2], at);
    m.loops = f.size() == 4;
    if (m.length < 2) at.fail("a motion lasts at least 2 frames");
    startMotion(r, std::move(m), at);
}

void readSame(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    if (f.size() < 4 || f[2] != "as") at.fail("same takes a label, \"as\" and an earlier label");
    const MotionSpec* source = r.spec.motion(r.object, f[3]);
    if (!source) at.fail("no earlier motion " + f[3] + " of object " + r.object);
    MotionSpec copy = *source;
    copy.label = f[1];
    std::map<std::string, std::string> swaps;
    for (size_t i = 4; i < f.size(); ++i) {
        const size_t eq = f[i].find('=');
        if (eq == std::string::npos) at.fail("a swap is OLD=NEW: " + f[i]);
        const std::string to = f[i].substr(eq + 1);
        if (!r.spec.picture(to)) at.fail("no picture " + to);
        swaps[f[i].substr(0, eq)] = to;
    }
    for (MotionLayerSpec& layer : copy.layers) {
        if (const auto it = swaps.find(layer.picture); it != swaps.end()) layer.picture = it->second;
    }
    startMotion(r, std::move(copy), at);
}

// The game finds layers by label.
void expectNewLayer(MotionReader& r, const std::string& label, const LinePlace& at) {
    for (const MotionLayerSpec& earlier : r.layers()) {
        if (earlier.label != label) continue;
        at.fail("layer " + label + " is already in " + (r.rig.empty() ? "motion " + r.motion().label : "rig " + r.rig));
    }
}

void readLayer(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    if (!r.inMotion && r.rig.empty()) at.fail("a layer needs a motion or rig line before it");
    if (f.size() != 3 && !(f.size() == 4 && f[3] == "add")) at.fail("layer takes a label, a picture and maybe add");
    expectNewLayer(r, f[1], at);
    MotionLayerSpec layer;
    layer.label = f[1];
    if (f[2] != "-") {
        if (!r.spec.picture(f[2])) at.fail("no picture " + f[2]);
        layer.picture = f[2];
    }
    layer.additive = f.size() == 4;
    r.layers().push_back(std::move(layer));
    r.inLayer = true;
}

void readRig(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    expectFields(f, 2, at);
    if (r.rigs.count(f[1])) at.fail("rig " + f[1] + " is already defined");
    r.rigs[f[1]];
    r.rig = f[1];
    r.inMotion = r.inLayer = false;
}

void readUse(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    expectFields(f, 2, at);
    if (!r.inMotion) at.fail("use needs a motion line before it");
    const auto rig = r.rigs.find(f[1]);
    if (rig == r.rigs.end()) at.fail("no rig " + f[1]);
    for (const MotionLayerSpec& layer : rig->second) {
        expectNewLayer(r, layer.label, at);
        if (layer.keys.empty()) at.fail("layer " + layer.label + " of rig " + f[1] + " has no keys");
        if (layer.keys.back().time > float(r.motion().length)) {
            at.fail("layer " + layer.label + " of rig " + f[1] + " has keys past the motion's end");
        }
        r.motion().layers.push_back(layer);
    }
    r.inLayer = false;
}

MotionEase parseEase(std::string_view v, const LinePlace& at) {
    if (v == "linear") return MotionEase::kLinear;
    if (v == "in") return MotionEase::kIn;
    if (v == "out") return MotionEase::kOut;
    if (v == "inout") return MotionEase::kInOut;
    at.fail("unknown ease " + std::string(v));
}

void setKeyValue(MotionKey& key, std::string_view name, std::string_view v, const LinePlace& at) {
    if (name == "x") key.x = parseDecimal(v, at);
    else if (name == "y") key.y = parseDecimal(v, at);
    else if (name == "a") key.angle = parseDecimal(v, at);
    else if (name == "zx") key.zoomX = parseDecimal(v, at);
    else if (name == "zy") key.zoomY = parseDecimal(v, at);
    else if (name == "zoom") key.zoomX = key.zoomY = parseDecimal(v, at);
    else if (name == "opa") key.opacity = std::clamp(parseWhole(v, at), 0, 255);
    else if (name == "color") key.colour = parseColour(v, at);
    else if (name == "ease") key.ease = parseEase(v, at);
    else at.fail("unknown key value " + std::string(name));
}

void readKey(MotionReader& r, const std::vector<std::string>& f, const LinePlace& at) {
    if (!r.inLayer) at.fail("a key needs a layer line before it");
    if (f.size() < 2) at.fail("key takes a time");
    std::vector<MotionKey>& keys = r.layer().keys;
    MotionKey key = keys.empty() ? MotionKey{} : keys.back();
    key.hidden = key.hold = false;
    key.ease = MotionEase::kLinear;
    key.time = parseDecimal(f[1], at);
    if (key.time < 0 || (r.rig.empty() && key.time > float(r.motion().length))) {
        at.fail("the key lies outside the motion");
    }
    if (!keys.empty() && key.time <= keys.back().time) at.fail("keys must come in ascending time");
    for (size_t i = 2; i < f.size(); ++i) {
        if (f[i] == "hide") {
            key.hidden = true;
        } else if (f[i] == "hold") {
            key.hold = true;
        } else {
            const size_t eq = f[i].find('=');
            if (eq == std::string::npos) at.fail("a value is NAME=VALUE: " + f[i]);
            setKeyValue(key, std::string_view(f[i]).substr(0, eq), std::string_view(f[i]).substr(eq + 1), at);
        }
    }
    keys.push_back(key);
}

void readFile(MotionReader& r, std::string_view file, int depth) {
    if (depth > kMaxIncludeDepth) throw ContentError(std::string(file) + ": includes nest too deep");
    const std::string text = r.read(file);
    for (const ContentLine& line : contentLines(text)) {
        const std::vector<std::string> f = splitFields(line.text);
        const LinePlace at{file, line};
        const std::string& word = f[0];
        if (word == "include") {
            expectFields(f, 2, at);
            readFile(r, f[1], depth + 1);
        } else if (word == "picture") {
            readPicture(r, f, line, at);
        } else if (word == "object") {
            expectFields(f, 2, at);
            r.object = f[1];
            r.rig.clear();
            r.inMotion = r.inLayer = false;
        } else if (word == "motion") {
            readMotion(r, f, at);
        } else if (word == "same") {
            readSame(r, f, at);
        } else if (word == "rig") {
            readRig(r, f, at);
        } else if (word == "use") {
            readUse(r, f, at);
        } else if (word == "layer") {
            readLayer(r, f, at);
        } else if (word == "key") {
            readKey(r, f, at);
        } else {
            at.fail("unknown line " + word);
        }
    }
}

}  // namespace

const MotionPicture* MotionFileSpec::picture(std::string_view name) const {
    for (const MotionPicture& p : pictures) {
        if (p.name == name) return &p;
    }
    return nullptr;
}

const MotionSpec* MotionFileSpec::motion(std::string_view object, std::string_view label) const {
    for (const MotionSpec& m : motions) {
        if (m.object == object && m.label == label) return &m;
    }
    return nullptr;
}

MotionFileSpec readMotionContent(std::string_view file, const std::function<std::string(std::string_view)>& read) {
    MotionReader r{read, {}, {}, false, false, {}, {}};
    readFile(r, file, 0);
    for (const auto& [name, layers] : r.rigs) {
        for (const MotionLayerSpec& l : layers) {
            if (l.keys.empty()) {
                throw ContentError(std::string(file) + ": layer " + l.label + " of rig " + name + " has no keys");
            }
        }
    }
    for (const MotionSpec& m : r.spec.motions) {
        if (m.layers.empty()) throw ContentError(std::string(file) + ": motion " + m.label + " has no layers");
        for (const MotionLayerSpec& l : m.layers) {
            if (l.keys.empty()) {
                throw ContentError(std::string(file) + ": layer " + l.label + " of " + m.label + " has no keys");
            }
        }
    }
    return std::move(r.spec);
}

}  // namespace content
