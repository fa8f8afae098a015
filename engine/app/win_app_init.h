#pragma once
// Start-up of the application settings: the live MWinAppSettings built from
// the defaults, the configuration text (the built-in "#SPEC_TXT" resource with
// the text file beside the executable laid over it) and the command line, and
// the directories derived from them. The application object's initialisation
// runs prepareWinAppSettings, creates its window from the live record, then
// runs applyWinAppDirectories.
//
// Threads: main thread, once, before any other thread reads the settings.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "engine/base/win_res_cfg.h"

// The engine's command-line values that shape the settings.
struct MWinAppOptions {
    std::optional<std::string> dataDirectory;    // "--data-directory="
    std::optional<std::string> backupDirectory;  // "--backup-directory="
    std::optional<std::string> webDirectory;     // "--web-directory="
    std::array<int32_t, 2> windowSize{};         // "--window-size="; 0 = not given
    std::array<float, 2> windowDpi{};            // "--window-dpi="; 0 = not given
    std::array<int32_t, 2> screenSize{};         // "--screen-size="; 0 = not given
    std::optional<bool> useDepthStencil;         // "--use-depth-stencil="
};

// What start-up reads of the machine it runs on.
struct MWinAppHost {
    std::string currentDirectory;  // without a trailing '/'
    std::string executablePath;
    float screenDpiX = 96.0f;
    float screenDpiY = 96.0f;
};

// The current directory, the executable's path and the screen's DPI, now.
MWinAppHost readWinAppHost();

// Builds the live settings: copies the defaults, reads the configuration,
// applies its keys and the options, derives the backup path, publishes M_SPEC
// and creates the backup directory. Answers the merged configuration, which
// the application object keeps.
std::unique_ptr<MWinResCfg> prepareWinAppSettings(const MWinAppOptions& options, const MWinAppHost& host);

// The folders that applyWinAppDirectories hands to the file table.
struct MWinAppDirectories {
    std::string dataDirectory;       // the primary search directory
    std::string externalDataFolder;  // empty without EXTERNAL_DATA_PATH
    std::string webFolder;
};

// Derives the data, external data and web folders (under the current
// directory, which becomes the start directory again) and sets them as the
// file table's search directories.
MWinAppDirectories applyWinAppDirectories(const MResCfg& config, const MWinAppOptions& options,
                                          const std::string& currentDirectory);
