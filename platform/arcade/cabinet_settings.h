#pragma once
// The stand-in cabinet's identity and places, from a small settings file of
// its own ("key = value" lines, '#' comments; README.md lists the keys). A
// missing file means the defaults; a bad line is reported with its line
// number and skipped, the rest still counts.
//
// Threads: plain functions on values; any thread.

#include <cstdint>
#include <string>
#include <vector>

namespace arcade {

struct CabinetSettings {
    std::string keychipId = "A00E0000001";  // exactly 11 characters
    std::string gameId = "KVZD";            // exactly 4 characters
    uint32_t versionMajor = 1;
    uint32_t versionMinor = 0;
    int32_t locationId = 1;
    std::string locationName = "HOME";
    std::string serverHost = "localhost";
    bool network = false;     // network authentication good
    bool cardReader = false;  // a card reader is fitted
    bool cardServer = true;   // the card service answers (while the network is good)
    bool freePlay = true;
    int32_t gameCost = 1;     // credits a play costs
    int32_t cardId = 1;       // the card the card key presents
    std::string cardAccessCode = "00000000000000000001";  // 20 digits
    std::string appRoot;      // ends with '/'; empty: defaultAppRoot()
};

struct SettingsLoad {
    CabinetSettings settings;
    bool fileFound = false;
    // "<file>:<line>: <what>", one per skipped line.
    std::vector<std::string> problems;
};

// The settings text, named `source` in the problem lines.
SettingsLoad parseCabinetSettings(const std::string& text, const std::string& source);
// Reads the file; a missing one gives the defaults and no problem.
SettingsLoad loadCabinetSettings(const std::string& path);

// "halvir/" under the XDG data home ($XDG_DATA_HOME, else ~/.local/share).
std::string defaultAppRoot();
// $HALVIR_CABINET_SETTINGS, else "halvir/cabinet.txt" under the XDG config home.
std::string defaultSettingsPath();

}  // namespace arcade
