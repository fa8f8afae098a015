#include "engine/base/special_folders.h"

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <optional>
#include <system_error>

#include "engine/base/known_folders.h"
#include "engine/base/win_app_settings.h"

namespace {

// Resolves one token, delimiters included; nothing when it cannot.
using TokenResolver = std::function<std::optional<std::string>(std::string_view token)>;

// Replaces every open...close token of text in place; false when a token
// stopped the expansion (the text from that token on is left unchanged).
bool expandPass(std::string& text, std::string_view open, std::string_view close,
                const TokenResolver& resolve) {
    std::string out;
    size_t pos = 0;
    for (;;) {
        const size_t start = text.find(open, pos);
        if (start == std::string::npos) {
            out += text.substr(pos);
            text = std::move(out);
            return true;
        }
        out += text.substr(pos, start - pos);
        const size_t end = text.find(close, start + open.size());
        std::optional<std::string> value;
        if (end != std::string::npos) {
            value = resolve(std::string_view(text).substr(start, end + close.size() - start));
        }
        if (!value || value->empty()) {
            out += text.substr(start);
            text = std::move(out);
            return false;
        }
        if (value->back() == '/' || value->back() == '\\') {
            value->pop_back();
        }
        out += *value;
        pos = end + close.size();
    }
}

std::optional<std::string> environmentToken(std::string_view token) {
    const std::string name(token.substr(1, token.size() - 2));
    const char* value = std::getenv(name.c_str());
    return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

std::optional<std::string> engineToken(std::string_view token) {
    const MWinAppSettings& settings = winAppSettings();
    if (token == "<<CurrentDir>>") {
        return settings.startDirectory;
    }
    if (token == "<<ExeFileDir>>") {
        return settings.executableDirectory;
    }
    return std::nullopt;
}

}  // namespace

std::string expandSpecialFolders(std::string_view path) {
    std::string text(path);
    if (expandPass(text, "%", "%", environmentToken) && expandPass(text, "<<", ">>", engineToken)) {
        expandPass(text, "<", ">", resolveKnownFolder);
    }
    return text;
}

std::string joinPath(std::string_view directory, std::string_view name) {
    std::string path(directory);
    if (path.empty() || path.back() != '/') {
        path += '/';
    }
    path += name;
    return path;
}

bool ensureDirectory(std::string_view path) {
    const std::filesystem::path directory{std::string(path)};
    std::error_code error;
    std::filesystem::create_directories(directory, error);
    return std::filesystem::is_directory(directory, error);
}
