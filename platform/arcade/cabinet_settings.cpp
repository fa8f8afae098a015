#include "platform/arcade/cabinet_settings.h"

#include <cctype>
#include <climits>
#include <charconv>
#include <cstdlib>
#include <fstream>
#include <sstream>

namespace arcade {
namespace {

std::string trim(const std::string& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(text[begin]))) ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(text[end - 1]))) --end;
    return text.substr(begin, end - begin);
}

bool parseInt(const std::string& text, int64_t low, int64_t high, int64_t& out) {
    int64_t value = 0;
    auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || value < low || value > high) return false;
    out = value;
    return true;
}

bool parseBool(const std::string& text, bool& out) {
    for (const char* yes : {"on", "yes", "true", "1"}) {
        if (text == yes) return out = true, true;
    }
    for (const char* no : {"off", "no", "false", "0"}) {
        if (text == no) return out = false, true;
    }
    return false;
}

bool isIdText(const std::string& text, size_t length) {
    if (text.size() != length) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '-') return false;
    }
    return true;
}

// Applies one key; an empty answer means it was taken.
std::string applyKey(const std::string& key, const std::string& value, CabinetSettings& s) {
    int64_t number = 0;
    if (key == "keychip_id") {
        if (!isIdText(value, 11)) return "keychip_id needs 11 letters, digits or '-'";
        s.keychipId = value;
    } else if (key == "game_id") {
        if (!isIdText(value, 4)) return "game_id needs 4 letters or digits";
        s.gameId = value;
    } else if (key == "game_version") {
        size_t dot = value.find('.');
        int64_t major = 0;
        int64_t minor = 0;
        if (dot == std::string::npos || !parseInt(value.substr(0, dot), 0, 99, major) ||
            !parseInt(value.substr(dot + 1), 0, 99, minor)) {
            return "game_version needs major.minor, each 0 to 99";
        }
        s.versionMajor = uint32_t(major);
        s.versionMinor = uint32_t(minor);
    } else if (key == "location_id") {
        if (!parseInt(value, 0, 65535, number)) return "location_id needs a number 0 to 65535";
        s.locationId = int32_t(number);
    } else if (key == "location_name") {
        if (value.empty()) return "location_name is empty";
        s.locationName = value;
    } else if (key == "server_host") {
        if (value.empty() || value.find_first_of(" \t/") != std::string::npos) return "server_host needs a host name";
        s.serverHost = value;
    } else if (key == "network" || key == "card_reader" || key == "card_server" || key == "free_play") {
        bool flag = false;
        if (!parseBool(value, flag)) return key + " needs on or off";
        (key == "network" ? s.network : key == "card_reader" ? s.cardReader
                                     : key == "card_server" ? s.cardServer : s.freePlay) = flag;
    } else if (key == "game_cost") {
        if (!parseInt(value, 1, 99, number)) return "game_cost needs a number 1 to 99";
        s.gameCost = int32_t(number);
    } else if (key == "card_id") {
        if (!parseInt(value, 1, INT32_MAX, number)) return "card_id needs a number above 0";
        s.cardId = int32_t(number);
    } else if (key == "card_access_code") {
        if (value.size() != 20 || value.find_first_not_of("0123456789") != std::string::npos) {
            return "card_access_code needs 20 digits";
        }
        s.cardAccessCode = value;
    } else if (key == "app_root") {
        if (value.empty()) return "app_root is empty";
        s.appRoot = value.back() == '/' ? value : value + '/';
    } else {
        return "unknown key '" + key + "'";
    }
    return {};
}

std::string homeRelative(const char* variable, const char* fallback) {
    const char* base = std::getenv(variable);
    if (base && *base) return std::string(base) + '/';
    const char* home = std::getenv("HOME");
    if (home && *home) return std::string(home) + '/' + fallback + '/';
    return "./";
}

}  // namespace

SettingsLoad parseCabinetSettings(const std::string& text, const std::string& source) {
    SettingsLoad load;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        std::string content = trim(line.substr(0, line.find('#')));
        if (content.empty()) continue;
        size_t equals = content.find('=');
        std::string problem = equals == std::string::npos
                                  ? "expected key = value"
                                  : applyKey(trim(content.substr(0, equals)), trim(content.substr(equals + 1)),
                                             load.settings);
        if (!problem.empty()) load.problems.push_back(source + ':' + std::to_string(number) + ": " + problem);
    }
    if (load.settings.appRoot.empty()) load.settings.appRoot = defaultAppRoot();
    return load;
}

SettingsLoad loadCabinetSettings(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return parseCabinetSettings({}, path);
    std::ostringstream text;
    text << file.rdbuf();
    SettingsLoad load = parseCabinetSettings(text.str(), path);
    load.fileFound = true;
    return load;
}

std::string defaultAppRoot() { return homeRelative("XDG_DATA_HOME", ".local/share") + "halvir/"; }

std::string defaultSettingsPath() {
    const char* named = std::getenv("HALVIR_CABINET_SETTINGS");
    if (named && *named) return named;
    return homeRelative("XDG_CONFIG_HOME", ".config") + "halvir/cabinet.txt";
}

}  // namespace arcade
