// The stage rules and their checks.
#include "tools/content/stage_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/stage_tiles.h"

namespace content {
namespace {

constexpr int32_t kAny = INT32_MIN;

[[noreturn]] void failAt(const std::string& file, int32_t line, const std::string& message) {
    throw ContentError(file + ":" + std::to_string(line) + ": " + message);
}

struct KindRange {
    int32_t first, last;
};

// The kinds each stage's rows may name; markers 130-133 ride any stage.
constexpr KindRange kStage0Kinds[] = {{2, 2}, {40, 40}, {122, 122}};
constexpr KindRange kStage1Kinds[] = {{2, 2}, {20, 20}, {27, 27}, {40, 40}, {49, 49}, {78, 80}, {100, 100}, {134, 134}};
constexpr KindRange kStage2Kinds[] = {{1, 2},   {20, 20},   {24, 24},   {27, 27},   {40, 40},   {42, 42},
                                      {65, 67}, {78, 79},   {81, 81},   {101, 101}, {121, 121}, {123, 124},
                                      {134, 134}};
constexpr KindRange kStage3Kinds[] = {{1, 2},   {14, 14}, {20, 20}, {22, 22}, {25, 25}, {40, 40},   {42, 44},
                                      {49, 49}, {60, 60}, {62, 62}, {66, 66}, {78, 79}, {82, 82},   {123, 123},
                                      {134, 134}, {140, 140}};
constexpr KindRange kStage4Kinds[] = {{0, 2},   {20, 20}, {22, 22}, {27, 27},   {40, 40},   {42, 42},  {45, 45},
                                      {47, 47}, {66, 67}, {70, 74}, {78, 79},   {83, 83},   {103, 103}, {126, 126},
                                      {134, 134}};
constexpr KindRange kStage5Kinds[] = {{0, 2},   {11, 11},  {14, 14},   {20, 20},   {22, 22},   {27, 27},
                                      {40, 45}, {47, 50},  {61, 61},   {64, 64},   {70, 79},   {84, 85},
                                      {104, 104}, {127, 128}, {134, 134}, {140, 141}};
constexpr std::span<const KindRange> kStageKinds[kStageCount] = {kStage0Kinds, kStage1Kinds, kStage2Kinds,
                                                                 kStage3Kinds, kStage4Kinds, kStage5Kinds};

// Highest script index in use and number of scripts, by stage.
constexpr int32_t kScriptHighest[kStageCount] = {130, 122, 130, 131, 132, 133};
constexpr int32_t kScriptCount[kStageCount] = {16, 20, 36, 47, 73, 103};
constexpr int32_t kScriptMostRows = 25;

// Training start points: first, mid-boss 1, mid-boss 2, boss. A row due 15
// frames before a start point still spawns there.
constexpr int32_t kStartPoints[kStageCount][4] = {
    {0, 0, 0, 0}, {0, 2099, 2099, 5709}, {0, 3319, 3319, 7170}, {0, 3940, 3940, 11900},
    {0, 7400, 7400, 14680}, {0, 5000, 12540, 21096}};
constexpr int32_t kStartLate = 15;

struct BossStart {
    int32_t stage, kind, point;  // point: index into kStartPoints
};
constexpr BossStart kBossStarts[] = {
    {1, 80, 1},  {1, 134, 3},  {1, 100, 3}, {2, 81, 1},  {2, 134, 3},  {2, 101, 3}, {3, 82, 1},
    {3, 134, 3}, {3, 62, 3},   {4, 83, 1},  {4, 134, 3}, {4, 103, 3},  {5, 84, 1},  {5, 85, 2},
    {5, 134, 3}, {5, 104, 3},
};

constexpr int32_t kWarningKind = 134;
constexpr bool isBossKind(int32_t kind) { return kind >= 100 && kind <= 104; }

// A mid-boss takes no damage and starts no fight until it is inside the
// playfield, and nothing but its script moves it there (the bosses steer
// themselves): the script's own speed and heading, as the game steps them,
// must bring it in within this many frames.
constexpr bool isMidBossKind(int32_t kind) { return kind >= 80 && kind <= 85; }
constexpr int32_t kMidBossEntryFrames = 600;
constexpr float kFieldWidth = 224.0f, kFieldHeight = 288.0f;
constexpr int32_t kScriptOpSpeed = 7, kScriptOpHeading = 8;

bool scriptBringsOnScreen(const std::vector<ScriptRow>& rows, float x, float y) {
    float speed = 0.0f, heading = 0.0f;
    size_t next = 0;
    for (int32_t age = 0; age < kMidBossEntryFrames; ++age) {
        for (; next < rows.size() && rows[next][kFrame] <= age; ++next) {
            const ScriptRow& row = rows[next];
            if (row[kOp] == kScriptOpSpeed) speed = float(row[kA]) / 100.0f;
            if (row[kOp] == kScriptOpHeading) heading = float(row[kA]) / 1024.0f * 2.0f * std::numbers::pi_v<float>;
        }
        x += std::sin(heading) * speed;
        y -= std::cos(heading) * speed;
        if (x > 0.0f && x < kFieldWidth && y > 0.0f && y < kFieldHeight) return true;
    }
    return false;
}

struct FixedRow {
    int32_t stage, row;  // row -1: anywhere in the table
    SpawnWords words;    // kAny where the value is open
    const char* what;
};
constexpr FixedRow kFixedRows[] = {
    {0, 0, {122, 130, 1, 11200, 14400, 0, 0, 0, 0}, "the prologue's tutorial"},
    {1, 0, {2, 0, 135, 9200, -3000, kAny, kAny, kAny, kAny}, "the first small air enemy"},
    {1, 196, {80, 100, 2105, -6400, -15700, kAny, kAny, kAny, kAny}, "the mid-boss"},
    {1, 418, {134, 120, 5753, 11200, 14400, kAny, kAny, kAny, kAny}, "the WARNING"},
    {1, 419, {100, 110, 6033, -3200, -12000, kAny, kAny, kAny, kAny}, "the boss"},
    {2, 407, {123, 130, 5054, 17400, 14100, kAny, kAny, kAny, kAny}, "the stage overlay"},
    {3, 85, {140, 4, 1196, 2200, -2800, 6, kAny, kAny, kAny}, "spawner 140 with six children"},
    {3, -1, {123, 131, 418, 19300, 25800, kAny, kAny, kAny, kAny}, "the stage overlay"},
    {3, 205, {82, 102, 3932, 18900, -16800, kAny, kAny, kAny, kAny}, "the mid-boss"},
    {3, 462, {62, 62, 12080, 11200, -28900, kAny, kAny, kAny, kAny}, "the large motion enemy"},
    {4, -1, {126, 132, 14683, 11200, -47900, kAny, kAny, kAny, kAny}, "the boss arena"},
    {5, -1, {127, 133, 301, 11200, -7500, kAny, kAny, kAny, kAny}, "the first gate"},
    {5, -1, {127, 133, 4569, 11200, -8500, kAny, kAny, kAny, kAny}, "the second gate"},
    {5, -1, {127, 133, 7155, 11200, -8500, kAny, kAny, kAny, kAny}, "the third gate"},
    {5, -1, {127, 133, 12424, 11200, -9700, kAny, kAny, kAny, kAny}, "the fourth gate"},
    {5, -1, {85, 105, 12550, 11300, -14800, kAny, kAny, kAny, kAny}, "the second mid-boss"},
    {5, 1148, {141, 11, 18814, -2400, 2000, 15, 35, kAny, kAny}, "spawner 141 with fifteen children"},
    {5, 1238, {104, 114, 21789, 11900, -10300, kAny, kAny, kAny, kAny}, "the boss"},
};

// The first extras of a kind's rows, all of them, in table order.
struct KindExtras {
    int32_t stage, kind;
    std::span<const int32_t> extra0;
};
constexpr int32_t kStage2HitBoxLifetimes[] = {442, 876, 1196};
constexpr KindExtras kKindExtras[] = {{2, 24, kStage2HitBoxLifetimes}};

// Rows of these kinds must be due before a stage event.
struct EventBound {
    int32_t stage;
    KindRange kinds;
    int32_t before;
    const char* event;
};
constexpr EventBound kEventBounds[] = {
    {2, {123, 123}, 5090, "a start past it makes the overlay directly"},
    {3, {123, 123}, 600, "a start past it makes the overlay directly"},
    {3, {82, 82}, 6800, "the mid-boss gives up then"},
    {4, {126, 126}, 14860, "the arena's doors open then"},
    {5, {85, 85}, 14445, "the second mid-boss leaves then"},
    {5, {70, 73}, 12000, "kinds 70 to 73 end then"},
    {5, {75, 75}, 4300, "the heavy tank stops fighting then"},
};

// Kinds that ride a background layer, so their scripts follow one.
constexpr bool isGroundKind(int32_t kind) {
    return (kind >= 20 && kind <= 27) || kind == 60 || kind == 61 || (kind >= 64 && kind <= 67) ||
           (kind >= 70 && kind <= 79);
}

// Scripts whose rows stand as given: all of them (exact) or in this order
// among others.
struct TellingScript {
    int32_t stage, index;  // index: the movement script, or -1 - layer index
    bool exact;
    std::vector<ScriptRow> rows;
    const char* what;
};

std::vector<ScriptRow> layerFollowerRows() {
    std::vector<ScriptRow> rows = {{1, 0, kAny, kAny, kAny, kAny}, {2, 0, 2, kAny, kAny, kAny},
                                   {7, 0, 80, kAny, kAny, kAny},   {8, 0, 384, kAny, kAny, kAny},
                                   {6, 0, 0, kAny, kAny, kAny}};
    for (int32_t k = 0; k <= 6; ++k) rows.push_back({8, 150 + 5 * k, 400 + 40 * k, kAny, kAny, kAny});
    rows.push_back({0, kAny, kAny, kAny, kAny, kAny});
    return rows;
}

std::vector<ScriptRow> stage1LayerRows() {
    std::vector<ScriptRow> rows = {{1, 0, 0, 3744, kAny, kAny}, {9, 0, 0, 0, 288, kAny}, {2, 0, 150, kAny, kAny, kAny}};
    for (int32_t k = 0; k < 10; ++k) rows.push_back({2, 300 + 20 * k, 140 - 10 * k, kAny, kAny, kAny});
    for (int32_t k = 0; k < 5; ++k) rows.push_back({2, 5750 + 20 * k, 100 + 100 * k, kAny, kAny, kAny});
    rows.push_back({0, 0, kAny, kAny, kAny, kAny});
    return rows;
}

// The stage-2 sweep: 0 to 128 and back, then to 896 and back, 20 at a time.
std::vector<ScriptRow> stage2SweepRows() {
    std::vector<ScriptRow> rows;
    const int32_t headings[] = {20,  40,  60,  80,  100, 120, 128, 108, 88,  68,  48,  28,  8,    0,
                                1004, 984, 964, 944, 924, 904, 896, 916, 936, 956, 976, 996, 1016, 0};
    for (int32_t h : headings) rows.push_back({3, kAny, h, kAny, kAny, kAny});
    return rows;
}

std::vector<ScriptRow> commonStartRows() {
    return {{1, 0, 13600, 13600, kAny, kAny}, {7, 0, 300, kAny, kAny, kAny}, {8, 0, 512, kAny, kAny, kAny},
            {0, kAny, kAny, kAny, kAny, kAny}};
}

// The stage-3 mid-boss's crawl: in at heading 640 on layer 1, slowed and
// sped between ages 280 and 2920, gone at 3500.
std::vector<ScriptRow> crawlRows() {
    return {{1, 0, 40000, 30000, kAny, kAny}, {2, 0, 1, kAny, kAny, kAny},      {7, 0, 100, kAny, kAny, kAny},
            {8, 0, 640, kAny, kAny, kAny},     {7, 280, kAny, kAny, kAny, kAny}, {7, 2920, kAny, kAny, kAny, kAny},
            {9, 3500, kAny, kAny, kAny, kAny}, {0, kAny, kAny, kAny, kAny, kAny}};
}

std::vector<ScriptRow> overlayRows() {
    return {{1, 0, 80000, 80000, kAny, kAny}, {2, 0, 0, kAny, kAny, kAny}, {7, 0, 0, kAny, kAny, kAny},
            {8, 0, 0, kAny, kAny, kAny},       {9, 1930, kAny, kAny, kAny, kAny}, {0, kAny, kAny, kAny, kAny, kAny}};
}

const std::vector<TellingScript>& tellingScripts() {
    static const std::vector<TellingScript> scripts = [] {
        std::vector<TellingScript> s = {
            {0, -1, true, {{1, 0, 0, 0, kAny, kAny}, {4, 0, 1, kAny, kAny, kAny}, {5, 0, 0, kAny, kAny, kAny},
                           {2, 0, 0, kAny, kAny, kAny}, {3, 0, 256, kAny, kAny, kAny}, {0, 0, kAny, kAny, kAny, kAny}},
             "removes itself at frame 0"},
            {0, -3, false, {{1, 0, 0, 0, kAny, kAny}, {2, 0, 50, kAny, kAny, kAny}, {3, 0, 512, kAny, kAny, kAny},
                            {8, 0, 288, 0, -288, kAny}}, "drifts up at speed 50, looping every 288"},
            {1, -1, true, stage1LayerRows(), "the stage-1 scroll"},
            {1, -2, true, stage1LayerRows(), "the stage-1 scroll"},
            {1, -3, true, stage1LayerRows(), "the stage-1 scroll"},
            {1, -4, false, {{2, 0, 1600, kAny, kAny, kAny}, {5, 1000, 3, kAny, kAny, kAny}}, "runs fast and ends at 1000"},
            {1, 0, true, commonStartRows(), "the common small-enemy start"},
            {1, 20, true, layerFollowerRows(), "the layer follower"},
        };
        for (int32_t layer = 1; layer <= 4; ++layer) s.push_back({2, -layer, false, stage2SweepRows(), "the heading sweep"});
        for (int32_t stage = 2; stage <= 5; ++stage) s.push_back({stage, 130, true, overlayRows(), "the overlay's script"});
        for (int32_t stage = 3; stage <= 5; ++stage) s.push_back({stage, 102, false, crawlRows(), "the mid-boss's crawl"});
        return s;
    }();
    return scripts;
}

bool rowMatches(const ScriptRow& row, const ScriptRow& want) {
    for (size_t i = 0; i < row.size(); ++i) {
        if (want[i] != kAny && want[i] != row[i]) return false;
    }
    return true;
}

bool scriptMatches(const std::vector<ScriptRow>& rows, const TellingScript& telling) {
    if (telling.exact) {
        return rows.size() == telling.rows.size() &&
               std::equal(rows.begin(), rows.end(), telling.rows.begin(), rowMatches);
    }
    size_t next = 0;
    for (const ScriptRow& row : rows) {
        if (next < telling.rows.size() && rowMatches(row, telling.rows[next])) ++next;
    }
    return next == telling.rows.size();
}

// A row's words, with the extras the pattern fixes.
std::string describe(const SpawnWords& w, const SpawnWords& pattern) {
    std::string text = "kind " + std::to_string(w[kKind]) + ", param " + std::to_string(w[kParam]) + ", frame " +
                       std::to_string(w[kRowFrame]) + " at (" + std::to_string(w[kRowX]) + ", " +
                       std::to_string(w[kRowY]) + ")";
    for (size_t i = kExtra0; i < w.size(); ++i) {
        if (pattern[i] != kAny) text += " extra[" + std::to_string(i - kExtra0) + "] " + std::to_string(w[i]);
    }
    return text;
}

bool spawnMatches(const SpawnWords& row, const SpawnWords& want) {
    for (size_t i = 0; i < row.size(); ++i) {
        if (want[i] != kAny && want[i] != row[i]) return false;
    }
    return true;
}

bool stageHasKind(int32_t stage, int32_t kind) {
    if (kind >= 130 && kind <= 133) return true;
    for (const KindRange& r : kStageKinds[size_t(stage)]) {
        if (kind >= r.first && kind <= r.last) return true;
    }
    return false;
}

struct StageChecker {
    const StageDesign& d;
    std::string wavesFile = stageFile(d.stage, "waves.txt");
    std::string scriptsFile = stageFile(d.stage, "scripts.txt");
    std::string scrollFile = stageFile(d.stage, "scroll.txt");
    std::string stageName = "stage " + std::to_string(d.stage);

    const MoveScriptDesign* script(int32_t index) const {
        for (const MoveScriptDesign& s : d.scripts) {
            if (s.index == index) return &s;
        }
        return nullptr;
    }
    const std::vector<SpawnRowDesign>& rows() const { return d.rows; }
    size_t tableRows() const { return d.rows.size() - 1; }  // without the end row

    void table() const {
        const int32_t want = kStageRowCounts[d.stage];
        if (tableRows() != size_t(want)) {
            failAt(wavesFile, d.lastLine, stageName + " has " + std::to_string(tableRows()) +
                                              " rows before its end row; it must have " + std::to_string(want));
        }
        const SpawnWords& end = d.rows.back().words;
        if (end[kKind] != 0 || end[kParam] != -1 || end[kRowFrame] != kEndRowFrame) {
            failAt(wavesFile, d.lastLine, "the table ends with kind 0, param -1, frame 99999999");
        }
        for (size_t i = 0; i < tableRows(); ++i) {
            const SpawnRowDesign& r = d.rows[i];
            if (i > 0 && r.words[kRowFrame] < d.rows[i - 1].words[kRowFrame]) {
                failAt(wavesFile, r.line, "rows are in ascending frame order");
            }
            if (r.words[kParam] == -1) {
                failAt(wavesFile, r.line, "param -1 ends the table: this row needs a script");
            }
            if (d.stage == 0 && std::any_of(r.words.begin() + kExtra0, r.words.end(), [](int32_t e) { return e != 0; })) {
                failAt(wavesFile, r.line, "the prologue copies no extras: its rows carry none");
            }
        }
    }

    void kindsAndParams() const {
        for (size_t i = 0; i < tableRows(); ++i) {
            const SpawnWords& w = d.rows[i].words;
            if (!stageHasKind(d.stage, w[kKind])) {
                failAt(wavesFile, d.rows[i].line, "kind " + std::to_string(w[kKind]) + " is not a kind of " + stageName);
            }
            const MoveScriptDesign* s = script(w[kParam]);
            if (s == nullptr) {
                failAt(wavesFile, d.rows[i].line, "param " + std::to_string(w[kParam]) + " names no script of " + stageName);
            }
            const bool onLayer = std::any_of(s->rows.begin(), s->rows.end(), [](const ScriptRow& row) {
                return row[kOp] == 2 && row[kA] >= 1 && row[kA] <= 4;
            });
            if (isGroundKind(w[kKind]) && !onLayer) {
                failAt(wavesFile, d.rows[i].line, "ground kind " + std::to_string(w[kKind]) + " needs a script with op 2 (layer 1 to 4); \"" +
                                                      s->name + "\" has none");
            }
        }
    }

    void fixedRows() const {
        for (const FixedRow& fixed : kFixedRows) {
            if (fixed.stage != d.stage) continue;
            if (fixed.row >= 0) {
                const SpawnRowDesign& r = d.rows[size_t(fixed.row)];
                if (!spawnMatches(r.words, fixed.words)) {
                    failAt(wavesFile, r.line, "row " + std::to_string(fixed.row) + " is " + fixed.what + ": " +
                                                  describe(fixed.words, fixed.words) + "; it is " + describe(r.words, fixed.words));
                }
            } else if (std::none_of(rows().begin(), rows().end(),
                                    [&](const SpawnRowDesign& r) { return spawnMatches(r.words, fixed.words); })) {
                failAt(wavesFile, d.lastLine, std::string("no row is ") + fixed.what + ": " + describe(fixed.words, fixed.words));
            }
        }
        for (const KindExtras& rule : kKindExtras) {
            if (rule.stage != d.stage) continue;
            std::vector<int32_t> found;
            for (const SpawnRowDesign& r : rows()) {
                if (r.words[kKind] == rule.kind) found.push_back(r.words[kExtra0]);
            }
            if (!std::equal(found.begin(), found.end(), rule.extra0.begin(), rule.extra0.end())) {
                std::string want;
                for (int32_t e : rule.extra0) want += (want.empty() ? "" : ", ") + std::to_string(e);
                failAt(wavesFile, d.lastLine, "the kind-" + std::to_string(rule.kind) + " rows carry extra[0] " + want +
                                                  " in this order");
            }
        }
    }

    void bosses() const {
        int32_t warnings = 0;
        bool warned = false;
        for (size_t i = 0; i < tableRows(); ++i) {
            const SpawnRowDesign& r = d.rows[i];
            const int32_t kind = r.words[kKind];
            if (kind == kWarningKind) ++warnings, warned = true;
            if (isBossKind(kind)) {
                if (!warned) failAt(wavesFile, r.line, "a boss comes after its WARNING row (kind 134)");
                warned = false;
            }
            const MoveScriptDesign* moves = script(r.words[kParam]);
            if (isMidBossKind(kind) && moves != nullptr &&
                !scriptBringsOnScreen(moves->rows, float(r.words[kRowX]) / 100.0f, float(r.words[kRowY]) / 100.0f)) {
                failAt(wavesFile, r.line, "mid-boss kind " + std::to_string(kind) + " never comes onto the screen: script \"" +
                                              moves->name + "\" must bring it in within " +
                                              std::to_string(kMidBossEntryFrames) + " frames");
            }
            for (const BossStart& start : kBossStarts) {
                const int32_t point = kStartPoints[d.stage][start.point];
                if (start.stage == d.stage && start.kind == kind && r.words[kRowFrame] < point - kStartLate) {
                    failAt(wavesFile, r.line, "kind " + std::to_string(kind) + " at frame " +
                                                  std::to_string(r.words[kRowFrame]) + " would be lost by a training start at " +
                                                  std::to_string(point) + ": due no earlier than " +
                                                  std::to_string(point - kStartLate));
                }
            }
            for (const EventBound& bound : kEventBounds) {
                if (bound.stage == d.stage && kind >= bound.kinds.first && kind <= bound.kinds.last &&
                    r.words[kRowFrame] >= bound.before) {
                    failAt(wavesFile, r.line, "kind " + std::to_string(kind) + " is due before stage frame " +
                                                  std::to_string(bound.before) + ": " + bound.event);
                }
            }
        }
        if (d.stage >= 1 && warnings != 1) {
            failAt(wavesFile, d.lastLine, stageName + " has one WARNING row (kind 134); it has " + std::to_string(warnings));
        }
    }

    void moveScripts() const {
        if (d.scripts.empty()) failAt(scriptsFile, 1, stageName + " has no scripts");
        const int32_t highest = d.scripts.back().index;
        if (int32_t(d.scripts.size()) != kScriptCount[d.stage] || highest != kScriptHighest[d.stage]) {
            failAt(scriptsFile, d.scripts.back().line,
                   stageName + " has " + std::to_string(d.scripts.size()) + " scripts up to index " +
                       std::to_string(highest) + "; it must have " + std::to_string(kScriptCount[d.stage]) +
                       " up to index " + std::to_string(kScriptHighest[d.stage]));
        }
        for (const MoveScriptDesign& s : d.scripts) {
            if (s.rows.size() > size_t(kScriptMostRows)) {
                failAt(scriptsFile, s.line, "script \"" + s.name + "\" has " + std::to_string(s.rows.size()) +
                                                " rows; at most 25");
            }
            for (size_t i = 0; i < s.rows.size(); ++i) {
                const ScriptRow& row = s.rows[i];
                const int32_t line = s.rowLines[i];
                if (row[kOp] < 0 || row[kOp] > 10) failAt(scriptsFile, line, "op " + std::to_string(row[kOp]) + " is not a movement op (0 to 10)");
                if (row[kOp] == 10 && row[kA] != 1) failAt(scriptsFile, line, "an op-10 row carries a = 1");
                if ((row[kOp] == 0) != (i + 1 == s.rows.size())) failAt(scriptsFile, line, "an op-0 row ends a script, and only there");
                if (i > 0 && row[kFrame] < s.rows[i - 1][kFrame]) failAt(scriptsFile, line, "a script's rows are in ascending frame order");
                if (row[kOp] == 2 && (row[kA] < 0 || row[kA] > 4)) failAt(scriptsFile, line, "op 2 follows layer 0 to 4");
            }
            if (std::none_of(rows().begin(), rows().end(), [&](const SpawnRowDesign& r) { return r.words[kParam] == s.index; })) {
                failAt(scriptsFile, s.line, "no row uses script \"" + s.name + "\"");
            }
        }
    }

    void layerScripts() const {
        const int32_t tile = d.stage == 0 ? 64 : 128;
        for (size_t n = 0; n < d.layers.size(); ++n) {
            const LayerScriptDesign& layer = d.layers[n];
            for (size_t i = 0; i < layer.rows.size(); ++i) {
                const ScriptRow& row = layer.rows[i];
                const int32_t line = layer.rowLines[i];
                const bool last = i + 1 == layer.rows.size();
                if (row[kOp] < 0 || row[kOp] > 11) failAt(scrollFile, line, "op " + std::to_string(row[kOp]) + " is not a scroll op (0 to 11)");
                if ((row[kOp] == 0) != last || (last && row[kFrame] != 0)) {
                    failAt(scrollFile, line, "an op-0 row of frame 0 ends a layer script, and only there");
                }
                if (!last && i > 0 && row[kFrame] < layer.rows[i - 1][kFrame]) {
                    failAt(scrollFile, line, "a row due before the row above it is never reached");
                }
                if (row[kOp] == 5 && (row[kA] < 0 || row[kA] > 3)) failAt(scrollFile, line, "op 5 kills layer index 0 to 3");
                if (row[kOp] >= 6 && row[kOp] <= 9) wrap(row, line, tile);
            }
        }
    }

    // A wrap jumps back by whole repeats of the picture, against the
    // direction the offset runs to reach the limit.
    void wrap(const ScriptRow& row, int32_t line, int32_t tile) const {
        const bool across = row[kOp] == 6 || row[kOp] == 7;
        const int32_t jump = across ? row[kB] : row[kC], other = across ? row[kC] : row[kB];
        const int32_t repeat = across ? 7 * tile : kTileRepeatY;
        const bool back = (row[kOp] == 6 || row[kOp] == 8) ? jump < 0 : jump > 0;
        if (other != 0 || jump == 0 || jump % repeat != 0 || !back) {
            failAt(scrollFile, line, std::string("this wrap does not loop the picture: it jumps ") +
                                         (across ? "across" : "down") + " by a whole " + std::to_string(repeat) +
                                         " pixels (or a multiple), away from its limit, and not the other way");
        }
    }

    void telling() const {
        for (const TellingScript& t : tellingScripts()) {
            if (t.stage != d.stage) continue;
            if (t.index < 0) {
                const LayerScriptDesign& layer = d.layers[size_t(-1 - t.index)];
                if (!scriptMatches(layer.rows, t)) {
                    failAt(scrollFile, layer.line, "layer " + std::to_string(-t.index) + " of " + stageName + " " + t.what +
                                                       (t.exact ? ": its rows must be exactly the given ones" : ": given rows are missing"));
                }
                continue;
            }
            const MoveScriptDesign* s = script(t.index);
            if (s == nullptr || !scriptMatches(s->rows, t)) {
                failAt(scriptsFile, s ? s->line : 1, "script " + std::to_string(t.index) + " of " + stageName + " is " +
                                                         t.what + (t.exact ? ": its rows must be exactly the given ones"
                                                                           : ": given rows are missing"));
            }
        }
    }
};

}  // namespace

void checkStage(const StageDesign& design) {
    const StageChecker checker{design};
    checker.moveScripts();
    checker.layerScripts();
    checker.telling();
    checker.table();
    checker.kindsAndParams();
    checker.fixedRows();
    checker.bosses();
}

namespace {

struct KindTotal {
    int32_t kind;
    int32_t rows;
    uint32_t stages;  // bit per stage
    bool perStage;    // rows in each of those stages, else over all of them
};
constexpr KindTotal kKindTotals[] = {
    {2, 2076, 0x3F, false}, {0, 118, 0x30, false}, {1, 71, 0x3C, false},  {11, 15, 0x20, false},
    {14, 50, 0x28, false},  {20, 547, 0x3E, false}, {78, 10, 0x3E, true}, {79, 1, 0x3E, true},
    {62, 1, 0x08, false},   {82, 1, 0x08, false},   {85, 1, 0x20, false},  {127, 4, 0x20, false},
};

int32_t kindRows(const StageDesign& d, int32_t kind) {
    return int32_t(std::count_if(d.rows.begin(), d.rows.end() - 1,
                                 [&](const SpawnRowDesign& r) { return r.words[kKind] == kind; }));
}

}  // namespace

void checkStages(std::span<const StageDesign> designs) {
    uint32_t present = 0;
    for (const StageDesign& d : designs) present |= 1u << d.stage;
    for (const KindTotal& total : kKindTotals) {
        int32_t sum = 0;
        for (const StageDesign& d : designs) {
            if (!(total.stages & (1u << d.stage))) continue;
            const int32_t rows = kindRows(d, total.kind);
            sum += rows;
            if (total.perStage && rows != total.rows) {
                failAt(stageFile(d.stage, "waves.txt"), d.lastLine,
                       "stage " + std::to_string(d.stage) + " has " + std::to_string(rows) + " rows of kind " +
                           std::to_string(total.kind) + "; it must have " + std::to_string(total.rows));
            }
            const bool whole = (total.stages & ~present) == 0 && (total.stages >> (d.stage + 1)) == 0;
            if (!total.perStage && (sum > total.rows || (whole && sum != total.rows))) {
                failAt(stageFile(d.stage, "waves.txt"), d.lastLine,
                       "kind " + std::to_string(total.kind) + " has " + std::to_string(total.rows) +
                           " rows over its stages; up to stage " + std::to_string(d.stage) + " there are " +
                           std::to_string(sum));
            }
        }
    }
}

}  // namespace content
