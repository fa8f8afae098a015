#include "engine/data/normalize_path.h"

std::string normalizePath(std::string_view path) {
    std::string out;
    out.reserve(path.size());
    for (const char c : path) {
        const char slashed = c == '\\' ? '/' : c;
        if (slashed == '/' && !out.empty() && out.back() == '/') continue;
        out.push_back(slashed);
    }
    return out;
}
