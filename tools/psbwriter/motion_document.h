#pragma once
// Builds motion documents, the files the engine's motion layers register and
// play (the layout, with every key and its default, is written down in
// engine/motion/README.md). A description here names what a motion shows:
// objects with their motions, each motion a tree of layers with keyframes;
// the builder writes the keys, works out the "mask" words of the keyframes
// from the values that are set, numbers the layers for "layerIndexMap" and
// gives a motion without a draw order one that shows its first layer on top.
// Optional values left unset are left out, so the reader's defaults apply.

#include <array>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>
#include <vector>

#include "tools/psbwriter/psb_tree.h"

namespace psbwriter::motion {

inline constexpr float kVersion = 3.03f;

// Layer types.
enum LayerType : int {
    kSprite = 0,
    kShape = 1,
    kGroup = 2,
    kNestedMotion = 3,
    kParticleEmitter = 4,
    kCamera = 5,
    kModel = 6,
    kClipRect = 7,
    kGroup8 = 8,
    kAnchor = 9,
    kFeedback = 10,
    kImage = 11,
    kStencilComposite = 12,
};

// Keyframe types.
enum FrameType : int { kEmpty = 0, kHold = 2, kTween = 3 };

// "inheritMask" bits.
inline constexpr int kInheritFlipX = 0x4;
inline constexpr int kInheritFlipY = 0x8;
inline constexpr int kInheritAngle = 0x10;
inline constexpr int kInheritZoomX = 0x20;
inline constexpr int kInheritZoomY = 0x40;
inline constexpr int kInheritSlantX = 0x80;
inline constexpr int kInheritSlantY = 0x100;
inline constexpr int kInheritMatrix = 0x1fc;
inline constexpr int kInheritTint = 0x200;
inline constexpr int kInheritOpacity = 0x400;
inline constexpr int kSkipAsParent = 0x400000;
inline constexpr int kBendByMeshHosts = 0x2000000;

struct Vec3 {
    float x = 0.0f;
    float y = 0.0f;
    float z = 0.0f;
};

struct Rect {
    float left = 0.0f;
    float top = 0.0f;
    float right = 0.0f;
    float bottom = 0.0f;
};

// A cubic spline by its points and their second derivatives: one segment of
// an easing curve, or one re-timing spline of a path.
struct Spline {
    std::vector<float> x{};
    std::vector<float> y{};
    std::vector<float> p{};
};

// One entry of the root "easing" list: segments in ascending x.
using Easing = std::vector<Spline>;

// The straight line from (0, 0) to (1, 1).
Easing linearEasing();

// A motion path ("cp"): control points of n cubic Bezier segments (3n + 1
// points), n + 1 boundary times and n re-timing splines.
struct Path {
    std::vector<float> x{};
    std::vector<float> y{};
    std::vector<float> t{};
    std::vector<Spline> s{};
};

// 16 control points of a 4 by 4 mesh, x then y, row by row.
using MeshPoints = std::array<float, 32>;

// The "motion" settings of a nested-motion layer's frame.
struct NestedSettings {
    std::optional<int> flags{};
    std::optional<int> dt{};
    std::optional<float> dofst{};
    std::optional<bool> docmpl{};
    std::optional<std::string> dtgt{};
    float timeOffset = 0.0f;
};

// The "prt" settings of a particle emitter's frame.
struct ParticleSettings {
    std::optional<int> trigger{};
    std::optional<std::pair<float, float>> frequency{};  // "fmin", "fmax"
    std::optional<std::pair<float, float>> speed{};      // "vmin", "vmax"
    std::optional<std::pair<float, float>> rotation{};   // "amin", "amax"
    std::optional<std::pair<float, float>> zoom{};       // "zmin", "zmax"
    std::optional<float> range{};
};

struct CameraSettings {
    float fov = 0.0f;
    std::string target{};
};

struct ModelSettings {
    float timeOffset = 0.0f;
    bool loop = false;
    int dt = 0;
    std::string dtgt{};
};

// The "mesh" of a frame: its tween's easing ("cc") and its points ("bp",
// null when unset).
struct MeshSettings {
    std::optional<int> easing{};
    std::optional<MeshPoints> points{};
};

// The "stc" settings of a stencil composite's frame.
struct StencilSettings {
    bool wrv = false;
    std::optional<int> easing{};  // "wcc"
    float wrt = 0.0f;
    float wsf = 0.0f;
};

// A keyframe's values. "src" and "icon" are written for the layer types
// that draw a source (sprite, nested motion, model, image, stencil
// composite); every other value is written, with its mask bit, only when set.
struct Content {
    std::string src{};
    std::string icon{};
    std::optional<std::array<float, 2>> origin{};  // "ox", "oy"
    std::optional<Vec3> coord{};
    std::optional<bool> flipX{};  // either flip writes both
    std::optional<bool> flipY{};
    std::optional<float> angle{};
    std::optional<float> zoomX{};  // either zoom writes both
    std::optional<float> zoomY{};
    std::optional<float> slantX{};  // either slant writes both
    std::optional<float> slantY{};
    std::optional<uint32_t> color{};                        // one colour for all corners
    std::optional<std::array<uint32_t, 4>> cornerColors{};  // or four; these win
    std::optional<int> opacity{};
    std::optional<int> positionEasing{};  // "ccc"
    std::optional<int> angleEasing{};     // "acc"
    std::optional<int> zoomEasing{};      // "zcc"
    std::optional<int> slantEasing{};     // "scc"
    std::optional<int> colorEasing{};     // "occ"
    std::optional<Path> path{};           // "cp"
    std::optional<uint32_t> drawMode{};   // "bm"
    std::optional<std::string> action{};  // "act"
    std::optional<NestedSettings> motion{};
    std::optional<ParticleSettings> particle{};  // "prt"
    std::optional<CameraSettings> camera{};
    std::optional<std::string> anchorTarget{};  // "anchor"
    std::optional<ModelSettings> model{};
    std::optional<MeshSettings> mesh{};
    std::optional<int> tweenStep{};            // "ti"
    std::optional<float> feedbackTimespan{};   // "feedback"
    std::optional<StencilSettings> stencil{};  // "stc"
    std::optional<float> effectParameter{};    // "bp"
};

struct Frame {
    float time = 0.0f;
    int type = kEmpty;
    Content content{};  // not written for an empty frame
};

Frame emptyFrame(float time);
Frame holdFrame(float time, Content content);
Frame tweenFrame(float time, Content content);

struct ParticleEmitter {
    int kind = 0;  // "particle": 0 point, 1 circle, 2 rectangle
    int maxNum = 0;
    bool inheritAngle = false;
    bool deleteOutsideScreen = false;  // the document then needs its screen size
    bool triVolume = false;
    std::optional<int> inheritOpacity{};
    int inheritVelocity = 0;
    int flyDirection = 0;
    int applyZoomToVelocity = 0;
    float accelRatio = 1.0f;
    std::vector<std::pair<std::string, std::string>> motions{};  // object, motion
};

// One combinator of a mesh layer: raw meshes chosen by a variable's value.
struct MeshCombinator {
    std::vector<MeshPoints> rawMeshes{};  // "meshCount" is their number
    std::optional<int> neutralIndex{};
    float rangeBegin = 0.0f;
    float rangeEnd = 1.0f;
    std::string key{};
};

struct Layer {
    std::string label{};
    int type = kSprite;
    std::optional<int> parameterize{};  // index into the motion's parameters
    std::vector<Frame> frames{};
    int inheritMask = kInheritMatrix | kInheritOpacity;
    std::array<int, 4> transformOrder{0, 3, 2, 1};
    int stencilType = 1;  // 0 is never drawn
    int coordinate = 0;
    bool joinTarget = false;
    bool groundCorrection = false;
    int meshTransform = 0;  // the three mesh keys follow when not 0
    int meshSyncChildMask = 0;
    int meshDivision = 0;
    bool meshCombine = false;
    std::vector<MeshCombinator> meshCombinators{};  // "meshCombinator" when not empty
    std::vector<Layer> children{};

    // The keys of the layer's type.
    int objTriPriority = 0;                      // sprite
    int shape = 0;                               // shape
    bool motionIndependentLayerInherit = false;  // nested motion
    ParticleEmitter particle{};                  // particle emitter
    int anchor = 0;                              // anchor
    Rect screenBounds{};                         // feedback
    std::vector<std::string> stencilMasks{};     // stencil composite
};

struct Parameter {
    std::string id{};
    bool discretization = false;
    float rangeBegin = 0.0f;
    float rangeEnd = 1.0f;
    float division = 1.0f;
};

struct VariableFrame {
    float time = 0.0f;
    int type = kHold;
    int interval = 0;
    float value = 0.0f;
    std::optional<int> easing{};
};

struct Variable {
    std::string label{};
    std::string scope{};
    std::vector<VariableFrame> frames{};
};

// An element of "tag": a control frame (type 1) or a plain one.
struct ControlFrame {
    float time = 0.0f;
    int type = 1;
    bool align = false;
    bool sync = false;
    std::string action{};
};

// An element of "priority": layer indices (depth-first positions), the
// first drawn on top.
struct DrawOrderFrame {
    float time = 0.0f;
    std::vector<int> order{};
};

struct StreamMesh {
    uint16_t firstVertex = 0;
    uint16_t endVertex = 0;
    uint16_t columns = 0;
    uint16_t rows = 0;
};

struct StreamLayer {
    uint16_t source = 0;
    uint16_t drawMode = 0;
    uint16_t flags = 0;
    uint16_t mesh = 0;
    uint16_t color = 0;
    uint16_t z = 0;
    uint16_t opacity = 0;
};

// Per-frame geometry played without a layer tree.
struct Stream {
    int maxLayerCount = 0;
    std::vector<std::array<float, 2>> vertices{};
    std::vector<StreamMesh> meshes{};
    std::vector<std::array<uint32_t, 4>> colors{};
    std::vector<float> z{};
    std::vector<StreamLayer> layers{};
    std::vector<uint16_t> frameIndices{};                        // "frameIdx"
    std::vector<std::pair<uint16_t, uint16_t>> frames{};         // first, end in frameIndices
    std::vector<std::pair<std::string, std::string>> sources{};  // src, icon
};

struct Timeline {
    float loopTime = -1.0f;  // negative: no loop
    float lastTime = 0.0f;
    Rect bounds{};
    std::vector<Parameter> parameters{};
    std::optional<int> parameterize{};  // the parameter that drives time
    std::vector<Layer> layers{};
    std::vector<Variable> variables{};
    std::vector<ControlFrame> controls{};     // "tag"
    std::vector<DrawOrderFrame> drawOrder{};  // "priority"; empty: every layer, first on top
    std::optional<Stream> stream{};
};

// A motion that chooses one of the object's motions by direction.
struct DirectionList {
    std::vector<float> division{};  // boundary angles, ascending
    std::vector<std::string> motions{};
};

using Motion = std::variant<Timeline, DirectionList>;

struct MotionObject {
    std::map<std::string, Motion> motions{};
};

struct Icon {
    std::optional<int> attr{};
    float originX = 0.0f;
    float originY = 0.0f;
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::optional<float> resolution{};
};

struct Source {
    Value texture{};  // an image object (image_object.h)
    std::map<std::string, Icon> icons{};
};

struct ScreenSize {
    float width = 0.0f;
    float height = 0.0f;
    float originX = 0.0f;
    float originY = 0.0f;
};

struct Document {
    std::string label{};
    std::string id = "motion";
    std::string spec = "win";
    std::optional<float> version = kVersion;
    std::map<std::string, Source> sources{};
    std::map<std::string, MotionObject> objects{};
    std::vector<Easing> easings{};
    // "source/icon" to the source and icon used instead.
    std::map<std::string, std::pair<std::string, std::string>> renames{};
    std::optional<ScreenSize> screenSize{};
};

Value motionDocument(const Document& document);

}  // namespace psbwriter::motion
