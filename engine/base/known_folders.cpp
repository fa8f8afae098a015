#include "engine/base/known_folders.h"

#include <array>
#include <cstdlib>
#include <fstream>

namespace {

enum class Base {
    None,        // no counterpart here (the row says why)
    Fixed,       // `where` is the path
    Home,        // HOME, then `where` below it
    DataHome,    // XDG_DATA_HOME or ~/.local/share
    ConfigHome,  // XDG_CONFIG_HOME or ~/.config
    UserDir,     // the XDG user directory named `where` (default ~/`fallback`)
};

struct KnownFolder {
    std::string_view token;
    Base base;
    std::string_view where = {};
    std::string_view fallback = {};
    std::string_view sub = {};  // a folder below the place, when not empty
};

// Every known-folder token, in one place.
constexpr std::array<KnownFolder, 25> kKnownFolders{{
    {"<UserProfiles>", Base::Fixed, "/home"},  // where home folders live
    {"<Public>", Base::UserDir, "PUBLICSHARE", "Public"},
    {"<ProgramData>", Base::Fixed, "/var/lib"},
    {"<PublicDesktop>", Base::None},  // users share no desktop here
    {"<PublicDocuments>", Base::None},  // users share no documents folder here
    {"<PublicMusic>", Base::None},  // users share no music folder here
    {"<PublicPictures>", Base::None},  // users share no pictures folder here
    {"<PublicVideos>", Base::None},  // users share no videos folder here
    {"<PublicGameTasks>", Base::None},  // no game launcher keeps task folders here
    {"<System>", Base::Fixed, "/usr/lib"},
    {"<SystemX86>", Base::None},  // we build 64-bit only: no 32-bit system folder
    {"<Profile>", Base::Home},
    {"<LocalAppData>", Base::DataHome},
    {"<RoamingAppData>", Base::ConfigHome},
    {"<Desktop>", Base::UserDir, "DESKTOP", "Desktop"},
    {"<Documents>", Base::UserDir, "DOCUMENTS", "Documents"},
    {"<Music>", Base::UserDir, "MUSIC", "Music"},
    {"<Pictures>", Base::UserDir, "PICTURES", "Pictures"},
    {"<Videos>", Base::UserDir, "VIDEOS", "Videos"},
    {"<CameraRoll>", Base::None},  // the XDG user directories have no camera import folder
    {"<Screenshots>", Base::UserDir, "PICTURES", "Pictures", "Screenshots"},
    {"<SavedGames>", Base::DataHome, {}, {}, "saved-games"},
    {"<GameTasks>", Base::None},  // no game launcher keeps task folders here
    {"<UserProgramFiles>", Base::Home, ".local/lib"},
    {"<UserProgramFilesCommon>", Base::Home, ".local/lib"},  // no separate shared folder
}};

std::optional<std::string> environment(const char* name) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') {
        return std::nullopt;
    }
    return std::string(value);
}

std::optional<std::string> home() { return environment("HOME"); }

// An XDG base directory: the variable when it holds an absolute path (the
// XDG rules ignore relative ones), else its place under HOME.
std::optional<std::string> xdgBase(const char* variable, std::string_view underHome) {
    std::optional<std::string> value = environment(variable);
    if (value && value->front() == '/') {
        return value;
    }
    std::optional<std::string> homeDir = home();
    if (!homeDir) {
        return std::nullopt;
    }
    return *homeDir + "/" + std::string(underHome);
}

// A value of user-dirs.dirs: "$HOME/folder" or "/absolute/folder" in double
// quotes, with shell escapes.
std::optional<std::string> userDirsValue(std::string_view quoted, const std::string& homeDir) {
    if (quoted.size() < 2 || quoted.front() != '"' || quoted.back() != '"') {
        return std::nullopt;
    }
    std::string value;
    std::string_view body = quoted.substr(1, quoted.size() - 2);
    for (size_t i = 0; i < body.size(); ++i) {
        if (body[i] == '\\' && i + 1 < body.size()) {
            ++i;
        }
        value += body[i];
    }
    if (value.starts_with("$HOME")) {
        return homeDir + value.substr(5);
    }
    return value.starts_with("/") ? std::optional<std::string>(value) : std::nullopt;
}

// The user directory as xdg-user-dirs records it in user-dirs.dirs under the
// config home, or nothing when the file does not name it.
std::optional<std::string> userDirsEntry(std::string_view name, const std::string& homeDir) {
    std::optional<std::string> configHome = xdgBase("XDG_CONFIG_HOME", ".config");
    if (!configHome) {
        return std::nullopt;
    }
    std::ifstream file(*configHome + "/user-dirs.dirs");
    const std::string prefix = "XDG_" + std::string(name) + "_DIR=";
    for (std::string line; std::getline(file, line);) {
        if (line.starts_with(prefix)) {
            return userDirsValue(std::string_view(line).substr(prefix.size()), homeDir);
        }
    }
    return std::nullopt;
}

// An XDG user directory: XDG_<NAME>_DIR from the environment when a session
// exports it, else user-dirs.dirs, else the usual folder under HOME.
std::optional<std::string> userDir(const KnownFolder& folder) {
    const std::string variable = "XDG_" + std::string(folder.where) + "_DIR";
    if (std::optional<std::string> value = environment(variable.c_str()); value && value->front() == '/') {
        return value;
    }
    std::optional<std::string> homeDir = home();
    if (!homeDir) {
        return std::nullopt;
    }
    if (std::optional<std::string> entry = userDirsEntry(folder.where, *homeDir)) {
        return entry;
    }
    return *homeDir + "/" + std::string(folder.fallback);
}

std::optional<std::string> place(const KnownFolder& folder) {
    switch (folder.base) {
    case Base::None:
        return std::nullopt;
    case Base::Fixed:
        return std::string(folder.where);
    case Base::Home: {
        std::optional<std::string> homeDir = home();
        if (homeDir && !folder.where.empty()) {
            *homeDir += "/" + std::string(folder.where);
        }
        return homeDir;
    }
    case Base::DataHome:
        return xdgBase("XDG_DATA_HOME", ".local/share");
    case Base::ConfigHome:
        return xdgBase("XDG_CONFIG_HOME", ".config");
    case Base::UserDir:
        return userDir(folder);
    }
    return std::nullopt;
}

}  // namespace

std::optional<std::string> resolveKnownFolder(std::string_view token) {
    for (const KnownFolder& folder : kKnownFolders) {
        if (folder.token != token) {
            continue;
        }
        std::optional<std::string> path = place(folder);
        if (path && !folder.sub.empty()) {
            *path += "/" + std::string(folder.sub);
        }
        return path;
    }
    return std::nullopt;
}
