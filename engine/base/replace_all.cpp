#include "engine/base/replace_all.h"

std::string replaceAll(std::string_view text, std::string_view pattern, std::string_view replacement) {
    std::string result(text);
    if (pattern.empty()) {
        return result;
    }
    for (size_t pos = result.find(pattern); pos != std::string::npos;
         pos = result.find(pattern, pos + replacement.size())) {
        result.replace(pos, pattern.size(), replacement);
    }
    return result;
}
