#include "tools/content/stage_motion_rules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>

#include "tools/content/content_lines.h"

namespace content {
namespace {

struct RulePlace {
    std::string_view file;
    const ContentLine& line;

    [[noreturn]] void fail(std::string_view message) const { throw ContentError(where(file, line, message)); }
};

void expectCount(const std::vector<std::string>& f, size_t count, const RulePlace& at) {
    if (f.size() != count) at.fail(f[0] + " takes " + std::to_string(count - 1) + " values");
}

int32_t ruleNumber(const std::string& field, const RulePlace& at) {
    return int32_t(parseNumber(field, at.file, at.line));
}

void readRuleLine(StageMotionRules& r, const std::vector<std::string>& f, const RulePlace& at) {
    const std::string& word = f[0];
    if (word == "label") {
        expectCount(f, 6, at);
        if (f[5] != "once" && f[5] != "loop") at.fail("a label is once or loop");
        r.labels.push_back({f[1], f[2], ruleNumber(f[3], at), ruleNumber(f[4], at), f[5] == "loop", at.line.number});
        if (r.labels.back().min > r.labels.back().max) at.fail("the shortest length is above the longest");
    } else if (word == "locators") {
        expectCount(f, 4, at);
        for (int32_t n = ruleNumber(f[2], at), last = ruleNumber(f[3], at); n <= last; ++n) {
            char name[64];
            std::snprintf(name, sizeof name, "%s%02d", f[1].c_str(), int(n));
            r.locators.push_back(name);
        }
    } else if (word == "locator") {
        expectCount(f, 2, at);
        r.locators.push_back(f[1]);
    } else if (word == "area") {
        expectCount(f, 3, at);
        r.halfWidth = float(ruleNumber(f[1], at));
        r.halfHeight = float(ruleNumber(f[2], at));
    } else if (word == "below" && f.size() > 1) {
        r.below.insert(r.below.end(), f.begin() + 1, f.end());
    } else if (word == "steady") {
        expectCount(f, 2, at);
        r.steady.push_back(f[1]);
    } else if (word == "pictures") {
        expectCount(f, 4, at);
        r.pictures.push_back({f[1], f[2], ruleNumber(f[3], at), at.line.number});
    } else {
        at.fail("unknown rule " + word);
    }
}

// "motion/NAME.txt:LINE: object/label: message"
[[noreturn]] void failAt(const MotionSpec& m, std::string_view message) {
    throw ContentError(m.file + ":" + std::to_string(m.line) + ": " + m.object + "/" + m.label + ": " +
                       std::string(message));
}

void checkLocators(const StageMotionRules& rules, const MotionSpec& m) {
    std::set<std::string> found;
    for (const MotionLayerSpec& l : m.layers) {
        if (l.picture.empty()) found.insert(l.label);
    }
    const std::set<std::string> wanted(rules.locators.begin(), rules.locators.end());
    for (const std::string& name : wanted) {
        if (!found.count(name)) failAt(m, "no locator " + name);
    }
    for (const std::string& name : found) {
        if (!wanted.count(name)) failAt(m, "locator " + name + " is one the game does not read");
    }
    for (const MotionLayerSpec& l : m.layers) {
        if (!l.picture.empty()) continue;
        const bool below = std::find(rules.below.begin(), rules.below.end(), l.label) != rules.below.end();
        const bool steady = std::find(rules.steady.begin(), rules.steady.end(), l.label) != rules.steady.end();
        for (const MotionKey& k : l.keys) {
            if (rules.halfWidth > 0 && (std::abs(k.x) > rules.halfWidth || std::abs(k.y) > rules.halfHeight)) {
                failAt(m, "locator " + l.label + " lies outside the body");
            }
            if (below && k.y < 0) failAt(m, "locator " + l.label + " fires down but lies on the upper half");
            if (steady && (k.x != l.keys.front().x || k.y != l.keys.front().y)) {
                failAt(m, "locator " + l.label + " moves, but the game reads it while the label is paused");
            }
        }
    }
}

}  // namespace

std::vector<StageMotionRules> readStageMotionRules(std::string_view text, std::string_view file) {
    std::vector<StageMotionRules> all;
    for (const ContentLine& line : contentLines(text)) {
        const std::vector<std::string> f = splitFields(line.text);
        const RulePlace at{file, line};
        if (f[0] == "file") {
            if (f.size() < 3) at.fail("file takes a name and its objects");
            for (const StageMotionRules& earlier : all) {
                if (earlier.file == f[1]) at.fail("file " + f[1] + " is already listed");
            }
            all.push_back({f[1], line.number, {f.begin() + 2, f.end()}, {}, {}, 0, 0, {}, {}, {}});
        } else if (all.empty()) {
            at.fail("a rule needs a file line before it");
        } else {
            readRuleLine(all.back(), f, at);
        }
    }
    return all;
}

void checkStageMotion(const StageMotionRules& rules, const MotionFileSpec& spec, std::string_view rulesFile) {
    const auto ruleAt = [&](int line, const std::string& message) {
        return ContentError(std::string(rulesFile) + ":" + std::to_string(line) + ": " + rules.file + ": " + message);
    };
    std::map<std::string, const MotionSpec*> byName;
    for (const MotionSpec& m : spec.motions) {
        if (std::find(rules.objects.begin(), rules.objects.end(), m.object) == rules.objects.end()) {
            failAt(m, "object " + m.object + " is one the game does not play");
        }
        byName[m.object + "/" + m.label] = &m;
    }
    std::set<std::string> named;
    for (const MotionLabelRule& rule : rules.labels) {
        const auto it = byName.find(rule.object + "/" + rule.label);
        if (it == byName.end()) throw ruleAt(rule.line, "no label " + rule.object + "/" + rule.label);
        const MotionSpec& m = *it->second;
        named.insert(it->first);
        if (m.length < rule.min || m.length > rule.max) {
            failAt(m, "lasts " + std::to_string(m.length) + " frames; " + std::string(rulesFile) + ":" +
                          std::to_string(rule.line) + " asks " + std::to_string(rule.min) + " to " +
                          std::to_string(rule.max));
        }
        if (m.loops != rule.loops) failAt(m, rule.loops ? "must loop" : "must not loop");
    }
    for (const auto& [name, m] : byName) {
        if (!named.count(name)) failAt(*m, "a label the game does not play");
        checkLocators(rules, *m);
    }
    for (const MotionPictureRule& rule : rules.pictures) {
        const auto it = byName.find(rule.object + "/" + rule.label);
        if (it == byName.end()) throw ruleAt(rule.line, "no label " + rule.object + "/" + rule.label);
        const auto count = std::count_if(it->second->layers.begin(), it->second->layers.end(),
                                         [](const MotionLayerSpec& l) { return !l.picture.empty(); });
        if (count != rule.count) {
            failAt(*it->second,
                   "draws " + std::to_string(count) + " picture layers, not " + std::to_string(rule.count));
        }
    }
}

}  // namespace content
