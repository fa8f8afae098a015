// Reading a stage's three files and expanding them into rows.
#include "tools/content/stage_design.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <map>
#include <span>

#include "tools/content/content_context.h"
#include "tools/content/content_lines.h"

namespace content {
namespace {

struct OpName {
    const char* name;
    int32_t op;
    int32_t operands;
};

constexpr OpName kMoveOps[] = {
    {"size", 1, 2}, {"layer", 2, 1}, {"noattack", 6, 1}, {"speed", 7, 1},
    {"heading", 8, 1}, {"leave", 9, 0}, {"skip", 10, 1},
};

constexpr OpName kScrollOps[] = {
    {"place", 1, 2},        {"speed", 2, 1},        {"heading", 3, 1},      {"nop", 4, 1},
    {"kill", 5, 1},         {"wrap-x-below", 6, 3}, {"wrap-x-above", 7, 3}, {"wrap-y-below", 8, 3},
    {"wrap-y-above", 9, 3}, {"xfactor", 10, 1},     {"yfactor", 11, 1},
};

// A line being read: its fields and where it is, for messages.
struct StageLine {
    std::string_view file;
    const ContentLine& line;
    std::vector<std::string> fields;

    [[noreturn]] void fail(const std::string& message) const { throw ContentError(where(file, line, message)); }
    int32_t number(size_t i) const {
        if (i >= fields.size()) fail("a number is missing");
        const int64_t value = parseNumber(fields[i], file, line);
        if (value < INT32_MIN || value > INT32_MAX) fail("\"" + fields[i] + "\" does not fit 32 bits");
        return int32_t(value);
    }
    void expectCount(size_t count, const char* form) const {
        if (fields.size() != count) fail(std::string("expected \"") + form + "\"");
    }
};

const OpName* findOp(std::span<const OpName> ops, std::string_view name) {
    for (const OpName& op : ops) {
        if (name == op.name) return &op;
    }
    return nullptr;
}

// The values of a ramp: from, from + step, ... and to itself last; headings
// take the short way round and stay in 0..1023.
std::vector<int32_t> rampValues(const StageLine& l, int32_t from, int32_t to, int32_t step, bool heading) {
    if (step <= 0) l.fail("a ramp's step is above 0");
    int32_t distance = to - from;
    if (heading) distance = ((distance % 1024) + 1024 + 512) % 1024 - 512;
    const int32_t sign = distance < 0 ? -1 : 1;
    std::vector<int32_t> values;
    for (int32_t moved = 0;; moved += step) {
        const int32_t done = std::min(moved, sign * distance);
        const int32_t value = from + sign * done;
        values.push_back(heading ? ((value % 1024) + 1024) % 1024 : value);
        if (done == sign * distance) break;
        if (values.size() > 64) l.fail("a ramp writes at most 64 rows");
    }
    return values;
}

// One script row line, "FRAME OP ARGS", "FRAME op N A B C D" or a ramp,
// appended to rows.
void parseScriptRow(const StageLine& l, std::span<const OpName> ops, std::vector<ScriptRow>& rows,
                    std::vector<int32_t>& lines) {
    const int32_t frame = l.number(0);
    if (l.fields.size() < 2) l.fail("expected \"FRAME OP ...\"");
    const std::string& name = l.fields[1];
    auto add = [&](ScriptRow row) {
        rows.push_back(row);
        lines.push_back(l.line.number);
    };
    if (name == "op") {
        if (l.fields.size() < 3 || l.fields.size() > 7) l.fail("expected \"FRAME op N [A B C D]\"");
        ScriptRow row{l.number(2), frame, 0, 0, 0, 0};
        for (size_t i = 3; i < l.fields.size(); ++i) row[i - 1] = l.number(i);
        add(row);
        return;
    }
    if (name == "ramp") {
        l.expectCount(9, "FRAME ramp OP FROM TO step S every F");
        if (l.fields[5] != "step" || l.fields[7] != "every") l.fail("expected \"FRAME ramp OP FROM TO step S every F\"");
        const OpName* op = findOp(ops, l.fields[2]);
        if (op == nullptr || op->operands != 1) l.fail("a ramp changes an op of one operand");
        const int32_t every = l.number(8);
        if (every <= 0) l.fail("a ramp's rows are at least 1 frame apart");
        const bool heading = l.fields[2] == "heading";
        int32_t at = frame;
        for (int32_t value : rampValues(l, l.number(3), l.number(4), l.number(6), heading)) {
            add({op->op, at, value, 0, 0, 0});
            at += every;
        }
        return;
    }
    const OpName* op = findOp(ops, name);
    if (op == nullptr) l.fail("unknown op \"" + name + "\"");
    if (l.fields.size() != size_t(2 + op->operands)) {
        l.fail("\"" + name + "\" takes " + std::to_string(op->operands) + " operand(s)");
    }
    ScriptRow row{op->op, frame, 0, 0, 0, 0};
    for (int32_t i = 0; i < op->operands; ++i) row[size_t(2 + i)] = l.number(size_t(2 + i));
    add(row);
}

std::vector<StageLine> stageLines(std::string_view text, std::string_view file, std::vector<ContentLine>& store) {
    store = contentLines(text);
    std::vector<StageLine> lines;
    for (const ContentLine& line : store) lines.push_back({file, line, splitFields(line.text)});
    return lines;
}

// Rows of a body up to its "end" line; returns the index after it.
size_t parseBody(const std::vector<StageLine>& lines, size_t i, const StageLine& head, std::span<const OpName> ops,
                 std::vector<ScriptRow>& rows, std::vector<int32_t>& rowLines, bool endAtFrameZero) {
    for (; i < lines.size(); ++i) {
        const StageLine& l = lines[i];
        if (l.fields[0] == "end") {
            l.expectCount(1, "end");
            const int32_t frame = endAtFrameZero || rows.empty() ? 0 : rows.back()[kFrame];
            rows.push_back({0, frame, 0, 0, 0, 0});
            rowLines.push_back(l.line.number);
            return i + 1;
        }
        if (l.fields[0] == "script" || l.fields[0] == "layer") l.fail("the script above has no \"end\"");
        parseScriptRow(l, ops, rows, rowLines);
    }
    head.fail("this script has no \"end\"");
}

// A heading mirrored left for right.
int32_t mirrorHeading(int32_t heading) { return (1024 - heading % 1024) % 1024; }

struct WaveReader {
    std::string_view file;
    StageDesign& design;
    std::map<std::string, std::pair<int32_t, int32_t>> places;
    std::map<std::string, int32_t> times;
    std::map<std::string, int32_t> scripts;
    bool ended = false;
    int32_t waveFrame = -1;
    int32_t repeatCount = 1;
    int32_t repeatEvery = 0;

    int32_t frameOf(const StageLine& l, const std::string& text) const {
        const size_t sign = text.find_first_of("+-", 1);
        const std::string name = text.substr(0, sign);
        if (!name.empty() && (std::isdigit(static_cast<unsigned char>(name[0])) || name[0] == '-')) {
            if (sign != std::string::npos) l.fail("\"" + text + "\" is not a frame");
            return int32_t(parseNumber(text, l.file, l.line));
        }
        const auto found = times.find(name);
        if (found == times.end()) l.fail("no time named \"" + name + "\"");
        const int32_t base = found->second;
        if (sign == std::string::npos) return base;
        const int32_t by = int32_t(parseNumber(text.substr(sign + 1), l.file, l.line));
        return text[sign] == '+' ? base + by : base - by;
    }

    void place(const StageLine& l) {
        l.expectCount(4, "place NAME X Y");
        if (!places.emplace(l.fields[1], std::pair{l.number(2), l.number(3)}).second) {
            l.fail("the place \"" + l.fields[1] + "\" is named twice");
        }
    }

    void time(const StageLine& l) {
        l.expectCount(3, "time NAME FRAME");
        if (!times.emplace(l.fields[1], frameOf(l, l.fields[2])).second) {
            l.fail("the time \"" + l.fields[1] + "\" is named twice");
        }
    }

    void wave(const StageLine& l) {
        if (l.fields.size() != 3 && l.fields.size() != 7) l.expectCount(3, "wave NAME FRAME [repeat N every F]");
        const int32_t frame = frameOf(l, l.fields[2]);
        if (frame < waveFrame) l.fail("waves are in time order: this one starts before the wave above it");
        waveFrame = frame;
        repeatCount = 1;
        repeatEvery = 0;
        if (l.fields.size() == 7) {
            if (l.fields[3] != "repeat" || l.fields[5] != "every") l.expectCount(3, "wave NAME FRAME [repeat N every F]");
            repeatCount = l.number(4);
            repeatEvery = l.number(6);
            if (repeatCount < 1 || repeatEvery < 1) l.fail("a wave repeats at least once, at least 1 frame apart");
        }
        design.waves.push_back({l.fields[1], frame, l.line.number});
    }

    int32_t script(const StageLine& l, const std::string& name) const {
        if (name == "none") return -1;
        const auto found = scripts.find(name);
        if (found == scripts.end()) l.fail("no script named \"" + name + "\" in this stage");
        return found->second;
    }

    void spawn(const StageLine& l) {
        if (design.waves.empty()) l.fail("a spawn line belongs to a wave");
        const int32_t offset = int32_t(parseNumber(l.fields[0].substr(1), file, l.line));
        SpawnWords words{};
        int32_t count = 1, every = 0, stepX = 0, stepY = 0;
        bool hasKind = false, hasScript = false, hasPlace = false;
        for (size_t i = 1; i < l.fields.size();) {
            const std::string& key = l.fields[i];
            if (key == "kind") {
                words[kKind] = l.number(i + 1), hasKind = true, i += 2;
            } else if (key == "script") {
                if (i + 1 >= l.fields.size()) l.fail("a script name is missing");
                words[kParam] = script(l, l.fields[i + 1]), hasScript = true, i += 2;
            } else if (key == "at") {
                if (i + 1 >= l.fields.size()) l.fail("a place is missing");
                const auto found = places.find(l.fields[i + 1]);
                if (found != places.end()) {
                    words[kRowX] = found->second.first, words[kRowY] = found->second.second, i += 2;
                } else if (std::isdigit(static_cast<unsigned char>(l.fields[i + 1][0])) || l.fields[i + 1][0] == '-') {
                    words[kRowX] = l.number(i + 1), words[kRowY] = l.number(i + 2), i += 3;
                } else {
                    l.fail("no place named \"" + l.fields[i + 1] + "\"");
                }
                hasPlace = true;
            } else if (key == "count") {
                if (i + 3 >= l.fields.size() || l.fields[i + 2] != "every") l.fail("expected \"count N every F\"");
                count = l.number(i + 1), every = l.number(i + 3), i += 4;
                if (count < 1 || every < 0) l.fail("a count is at least 1, its frames apart at least 0");
            } else if (key == "step") {
                stepX = l.number(i + 1), stepY = l.number(i + 2), i += 3;
            } else if (key == "extra") {
                for (size_t k = 0; k < 4; ++k) words[kExtra0 + k] = l.number(i + 1 + k);
                i += 5;
            } else {
                l.fail("unknown word \"" + key + "\" (kind, script, at, count, step, extra)");
            }
        }
        if (!hasKind || !hasScript || !hasPlace) l.fail("a spawn line names its kind, script and place");
        const int32_t wave = int32_t(design.waves.size()) - 1;
        for (int32_t r = 0; r < repeatCount; ++r) {
            for (int32_t k = 0; k < count; ++k) {
                SpawnWords row = words;
                row[kRowFrame] = waveFrame + r * repeatEvery + offset + k * every;
                row[kRowX] += k * stepX;
                row[kRowY] += k * stepY;
                if (row[kRowFrame] < 0 || row[kRowFrame] >= kEndRowFrame) l.fail("a row's frame lies outside the stage");
                design.rows.push_back({row, l.line.number, wave});
            }
        }
    }

    void read(const StageLine& l) {
        const std::string& head = l.fields[0];
        if (ended) l.fail("nothing may follow the end row");
        if (head == "place") place(l);
        else if (head == "time") time(l);
        else if (head == "wave") wave(l);
        else if (head[0] == '+') spawn(l);
        else if (head == "end") {
            l.expectCount(1, "end");
            ended = true;
        } else {
            l.fail("unknown line \"" + head + "\" (place, time, wave, +OFFSET, end)");
        }
    }
};

}  // namespace

std::string stageFile(int32_t stage, std::string_view name) {
    return "stages/stage" + std::to_string(stage) + "/" + std::string(name);
}

std::vector<MoveScriptDesign> parseMoveScripts(std::string_view text, std::string_view file) {
    std::vector<ContentLine> store;
    const std::vector<StageLine> lines = stageLines(text, file, store);
    std::vector<MoveScriptDesign> scripts;
    for (size_t i = 0; i < lines.size();) {
        const StageLine& head = lines[i];
        if (head.fields[0] != "script" || (head.fields.size() != 3 && head.fields.size() != 5)) {
            head.fail("expected \"script INDEX NAME [mirror OTHER]\"");
        }
        MoveScriptDesign script{head.number(1), head.fields[2], head.line.number, {}, {}};
        if (script.index < 0) head.fail("a script's index is 0 or more");
        for (const MoveScriptDesign& other : scripts) {
            if (other.index == script.index) head.fail("script index " + head.fields[1] + " is used twice");
            if (other.name == script.name) head.fail("the script name \"" + script.name + "\" is used twice");
        }
        if (head.fields.size() == 5) {
            if (head.fields[3] != "mirror") head.fail("expected \"script INDEX NAME [mirror OTHER]\"");
            const auto other = std::find_if(scripts.begin(), scripts.end(),
                                            [&](const MoveScriptDesign& s) { return s.name == head.fields[4]; });
            if (other == scripts.end()) head.fail("no script named \"" + head.fields[4] + "\" above");
            script.rows = other->rows;
            for (ScriptRow& row : script.rows) {
                if (row[kOp] == 8) row[kA] = mirrorHeading(row[kA]);
            }
            script.rowLines.assign(script.rows.size(), head.line.number);
            ++i;
        } else {
            i = parseBody(lines, i + 1, head, kMoveOps, script.rows, script.rowLines, false);
        }
        scripts.push_back(std::move(script));
    }
    std::sort(scripts.begin(), scripts.end(), [](const auto& a, const auto& b) { return a.index < b.index; });
    return scripts;
}

std::array<LayerScriptDesign, 4> parseLayerScripts(std::string_view text, std::string_view file) {
    std::vector<ContentLine> store;
    const std::vector<StageLine> lines = stageLines(text, file, store);
    std::array<LayerScriptDesign, 4> layers;
    for (size_t i = 0; i < lines.size();) {
        const StageLine& head = lines[i];
        if (head.fields[0] != "layer" || (head.fields.size() != 2 && head.fields.size() != 4)) {
            head.fail("expected \"layer N [as M]\"");
        }
        const int32_t n = head.number(1);
        if (n < 1 || n > 4) head.fail("a layer is 1 to 4");
        LayerScriptDesign& layer = layers[size_t(n - 1)];
        if (layer.line != 0) head.fail("layer " + head.fields[1] + " is written twice");
        layer.line = head.line.number;
        if (head.fields.size() == 4) {
            const int32_t m = head.number(3);
            if (head.fields[2] != "as" || m < 1 || m > 4 || layers[size_t(m - 1)].line == 0) {
                head.fail("\"layer N as M\" copies a layer written above");
            }
            layer.rows = layers[size_t(m - 1)].rows;
            layer.rowLines.assign(layer.rows.size(), head.line.number);
            ++i;
        } else {
            i = parseBody(lines, i + 1, head, kScrollOps, layer.rows, layer.rowLines, true);
        }
    }
    for (size_t n = 0; n < layers.size(); ++n) {
        if (layers[n].line == 0) throw ContentError(std::string(file) + ": layer " + std::to_string(n + 1) + " is missing");
    }
    return layers;
}

void parseWaves(std::string_view text, std::string_view file, StageDesign& design) {
    std::vector<ContentLine> store;
    const std::vector<StageLine> lines = stageLines(text, file, store);
    WaveReader reader{file, design, {}, {}, {}};
    for (const MoveScriptDesign& script : design.scripts) reader.scripts.emplace(script.name, script.index);
    for (const StageLine& line : lines) reader.read(line);
    design.lastLine = store.empty() ? 1 : store.back().number;
    if (!reader.ended) throw ContentError(std::string(file) + ":" + std::to_string(design.lastLine) +
                                          ": the table ends with its end row: write \"end\" last");
    std::stable_sort(design.rows.begin(), design.rows.end(),
                     [](const SpawnRowDesign& a, const SpawnRowDesign& b) {
                         return a.words[kRowFrame] < b.words[kRowFrame];
                     });
    design.rows.push_back({{0, -1, kEndRowFrame, 0, 0, 0, 0, 0, 0}, design.lastLine, -1});
}

StageDesign parseStage(int32_t stage, std::string_view scripts, std::string_view scroll, std::string_view waves) {
    StageDesign design;
    design.stage = stage;
    design.scripts = parseMoveScripts(scripts, stageFile(stage, "scripts.txt"));
    design.layers = parseLayerScripts(scroll, stageFile(stage, "scroll.txt"));
    parseWaves(waves, stageFile(stage, "waves.txt"), design);
    return design;
}

}  // namespace content
