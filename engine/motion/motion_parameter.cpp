#include "engine/motion/motion_parameter.h"

#include <algorithm>
#include <cmath>

#include "engine/data/psb_value.h"

MMotionParameter MMotionParameter::read(const PSBValue& element) {
    MMotionParameter p;
    p.id = element.get("id").toString();
    p.discretization = element.get("discretization").toBool();
    p.rangeBegin = element.get("rangeBegin").toFloat();
    p.rangeEnd = element.get("rangeEnd").toFloat();
    p.division = element.get("division").toFloat();
    return p;
}

void MMotionParameter::map(float v) {
    changed = false;
    if (rangeBegin == rangeEnd || !(division > 0.0f)) {
        value = 0.0f;
        return;
    }
    if (discretization) v = std::trunc(v);
    v = std::clamp(v, std::min(rangeBegin, rangeEnd), std::max(rangeBegin, rangeEnd));
    value = (v - rangeBegin) * division / (rangeEnd - rangeBegin);
}

bool splitScopedName(const std::string& full, std::string& scope, std::string& name) {
    size_t at = full.rfind("::");
    size_t width = 2;
    if (at == std::string::npos) {
        at = full.rfind('/');
        width = 1;
    }
    if (at == std::string::npos) return false;
    scope = full.substr(0, at);
    name = full.substr(at + width);
    return true;
}

std::string trimSpaces(const std::string& text) {
    const size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

std::vector<std::string> splitTrimmed(const std::string& text, const std::string& separator) {
    std::vector<std::string> pieces;
    std::string rest = trimSpaces(text);
    for (size_t at = rest.find(separator); !separator.empty() && at != std::string::npos; at = rest.find(separator)) {
        pieces.push_back(rest.substr(0, at));
        rest = trimSpaces(rest.substr(at + separator.size()));
    }
    if (!rest.empty()) pieces.push_back(rest);
    return pieces;
}
