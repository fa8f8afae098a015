#pragma once
// MWinAppSettings: the window and start-up settings of the application shell.
//
// Two records exist: the defaults, filled by initEngineSettingsDefaults during
// static initialisation, and the live record that start-up builds from the
// defaults, the configuration text and the command line (win_app_init.h) and
// that everything reads afterwards.
//
// Threads: both records and M_SPEC are written on the main thread during
// start-up, before any other thread reads them. Afterwards only the main
// thread writes, and only the fields marked "written later" below.

#include <cstdint>
#include <string>

struct MWinAppSettings {
    std::string className;              // CLASSNAME: the window class
    std::string caption;                // CAPTION: the window title
    int32_t windowWidth = 0;            // WINDOW_W: requested client size
    int32_t windowHeight = 0;           // WINDOW_H
    int32_t clientWidth = 0;            // measured client size; written later
    int32_t clientHeight = 0;
    int32_t screenWidth = 0;            // SCREEN_W: back buffer; negative follows the window
    int32_t screenHeight = 0;           // SCREEN_H
    float dpiX = 0.0f;                  // WINDOW_DPI_X; negative takes the screen's
    float dpiY = 0.0f;                  // WINDOW_DPI_Y
    int32_t displayAdapter = 0;         // DISPLAYADAPTER_ID
    bool useDepthStencil = false;       // USE_DEPTH_STENCIL
    bool fullscreenTypePure = false;    // FULLSCREEN_TYPE_PURE; written later
    int32_t fullscreenRefreshRate = 0;  // FULLSCREEN_REFRESHRATE
    bool fullscreenLogWindow = false;   // FULLSCREEN_LOGWINDOW; no log window exists
    bool fullscreenCursor = false;      // FULLSCREEN_CURSOR
    bool fullscreenMode = false;        // FULLSCREEN_MODE: start full screen; written later
    bool mouseCursor = false;           // MOUSE_CURSOR
    bool windowVsync = false;           // WINDOW_VSYNC
    bool d3dPureDevice = false;         // D3D_PUREDEVICE
    bool deviceLost = false;            // set while the device is lost; written later
    int32_t fitMode = 0;                // FIT_MODE
    float resourceHeight = 0.0f;        // RSC_H, when RSC_W and RSC_H are both set
    float resourceAspect = 0.0f;        // RSC_W / RSC_H
    std::string spec;                   // M_SPEC: the platform word
    std::string resourcePath;           // RSC_PATH: data folder under the start directory
    std::string startDirectory;         // current directory at start-up: "<<CurrentDir>>"
    std::string executableDirectory;    // with its trailing '/': "<<ExeFileDir>>"
    std::string backupBasePath;         // BACKUP_BASE_PATH, path tokens expanded
    std::string backupDirName;          // BACKUP_DIR_NAME
    std::string embedFont;              // EMBED_FONT: the system font's face name
    std::string externalDataPath;       // EXTERNAL_DATA_PATH
    std::string webDataPath;            // WEB_DATA_PATH
    bool visible = false;               // VISIBLE
    bool softKeypad = false;            // SOFTKEYPAD
    int32_t softKeypadType = 0;         // SOFTKEYPAD_TYPE
    bool mouseToTouchPad = false;       // MOUSE_TO_TOUCHPAD
    int32_t printCapability = 0;        // PRINT_CAPABILITY
    int32_t speed = 0;                  // pacing speed in percent; no key sets it
    float safeScreenRatioX = 0.0f;      // SAFE_SCREEN_RATIO_X
    float safeScreenRatioY = 0.0f;      // SAFE_SCREEN_RATIO_Y
    std::string backupPath;             // the backup directory, derived at start-up
    int32_t popupStyle = 0;             // POPUP_STYLE: borderless window without cursor
};

// The defaults record (filled before main by initEngineSettingsDefaults).
MWinAppSettings& engineSettings();

// Fills the defaults record with the engine's defaults, field by field.
void initEngineSettingsDefaults();

// The live record.
MWinAppSettings& winAppSettings();

// The live M_SPEC text, published at start-up for the loaders that compare a
// document's "spec" with it.
extern std::string M_SPEC;
