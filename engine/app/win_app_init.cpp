#include "engine/app/win_app_init.h"

#include <filesystem>
#include <system_error>

#include "engine/base/replace_all.h"
#include "engine/base/special_folders.h"
#include "engine/base/text_resources.h"
#include "engine/base/win_app_settings.h"
#include "engine/base/win_txt_cfg.h"
#include "engine/data/search_directories.h"
#include "platform/display/display.h"

namespace {

bool has(const MResCfg& config, const char* key) { return config.find(key) >= 0; }

void applyString(const MResCfg& config, const char* key, std::string& field) {
    if (const char* value = config.getString(key)) {
        field = value;
    }
}

void applyInt(const MResCfg& config, const char* key, int32_t& field) {
    if (has(config, key)) {
        field = config.getInt(key);
    }
}

void applyBool(const MResCfg& config, const char* key, bool& field) {
    if (has(config, key)) {
        field = config.getInt(key) != 0;
    }
}

// The DPI keys are whole numbers.
void applyIntAsFloat(const MResCfg& config, const char* key, float& field) {
    if (has(config, key)) {
        field = static_cast<float>(config.getInt(key));
    }
}

void applyFloat(const MResCfg& config, const char* key, float& field) {
    if (has(config, key)) {
        field = config.getFloat(key);
    }
}

// The built-in text with the text file beside the executable (its base name
// with ".txt") laid over it.
std::unique_ptr<MWinResCfg> readConfiguration(const std::string& executablePath) {
    auto config = std::make_unique<MWinResCfg>();
    config->load(kWindowConfigResourceId);
    const std::filesystem::path executable(executablePath);
    if (!executable.stem().empty()) {
        MWinTxtCfg file((executable.parent_path() / executable.stem()).string() + ".txt");
        file.load();
        config->merge(file);
    }
    return config;
}

void applyConfiguration(const MResCfg& config, MWinAppSettings& s) {
    applyString(config, "CLASSNAME", s.className);
    applyString(config, "CAPTION", s.caption);
    applyInt(config, "WINDOW_W", s.windowWidth);
    applyInt(config, "WINDOW_H", s.windowHeight);
    applyIntAsFloat(config, "WINDOW_DPI_X", s.dpiX);
    applyIntAsFloat(config, "WINDOW_DPI_Y", s.dpiY);
    applyInt(config, "SCREEN_W", s.screenWidth);
    applyInt(config, "SCREEN_H", s.screenHeight);
    applyString(config, "RSC_PATH", s.resourcePath);
    applyString(config, "M_SPEC", s.spec);
    applyInt(config, "FIT_MODE", s.fitMode);
    applyString(config, "EMBED_FONT", s.embedFont);
    applyBool(config, "USE_DEPTH_STENCIL", s.useDepthStencil);
    applyBool(config, "VISIBLE", s.visible);
    applyBool(config, "SOFTKEYPAD", s.softKeypad);
    applyInt(config, "SOFTKEYPAD_TYPE", s.softKeypadType);
    applyBool(config, "MOUSE_TO_TOUCHPAD", s.mouseToTouchPad);
    applyInt(config, "PRINT_CAPABILITY", s.printCapability);
    applyFloat(config, "SAFE_SCREEN_RATIO_X", s.safeScreenRatioX);
    applyFloat(config, "SAFE_SCREEN_RATIO_Y", s.safeScreenRatioY);
    applyInt(config, "DISPLAYADAPTER_ID", s.displayAdapter);
    applyBool(config, "FULLSCREEN_MODE", s.fullscreenMode);
    applyBool(config, "FULLSCREEN_TYPE_PURE", s.fullscreenTypePure);
    applyInt(config, "FULLSCREEN_REFRESHRATE", s.fullscreenRefreshRate);
    applyBool(config, "FULLSCREEN_LOGWINDOW", s.fullscreenLogWindow);
    applyBool(config, "FULLSCREEN_CURSOR", s.fullscreenCursor);
    applyBool(config, "MOUSE_CURSOR", s.mouseCursor);
    applyBool(config, "WINDOW_VSYNC", s.windowVsync);
    applyBool(config, "D3D_PUREDEVICE", s.d3dPureDevice);
    if (const char* base = config.getString("BACKUP_BASE_PATH")) {
        s.backupBasePath = expandSpecialFolders(base);
    }
    applyString(config, "BACKUP_DIR_NAME", s.backupDirName);
    s.popupStyle = config.getInt("POPUP_STYLE");
}

// An absolute path stands where a drive-qualified one would: it is used as it is.
std::string backupPath(const MWinAppSettings& s, const MWinAppOptions& options) {
    if (!options.backupDirectory) {
        return joinPath(s.backupBasePath, s.backupDirName);
    }
    const std::string& option = *options.backupDirectory;
    return option.starts_with('/') ? option : joinPath(s.startDirectory, option);
}

void applyOptions(const MWinAppOptions& options, MWinAppSettings& s) {
    if (options.windowSize[0] != 0) {
        s.windowWidth = options.windowSize[0];
    }
    if (options.windowSize[1] != 0) {
        s.windowHeight = options.windowSize[1];
    }
    if (options.windowDpi[0] != 0.0f) {
        s.dpiX = options.windowDpi[0];
    }
    if (options.windowDpi[1] != 0.0f) {
        s.dpiY = options.windowDpi[1];
    }
    if (s.screenWidth < 0) {
        s.screenWidth = s.windowWidth;
    }
    if (s.screenHeight < 0) {
        s.screenHeight = s.windowHeight;
    }
    if (options.screenSize[0] != 0) {
        s.screenWidth = options.screenSize[0];
    }
    if (options.screenSize[1] != 0) {
        s.screenHeight = options.screenSize[1];
    }
    if (options.useDepthStencil) {
        s.useDepthStencil = *options.useDepthStencil;
    }
}

// RSC_W and RSC_H count only together, and only when neither is 0.
void applyResourceSize(const MResCfg& config, MWinAppSettings& s) {
    const int width = config.getInt("RSC_W");
    const int height = config.getInt("RSC_H");
    if (width != 0 && height != 0) {
        s.resourceHeight = static_cast<float>(height);
        s.resourceAspect = static_cast<float>(width) / static_cast<float>(height);
    }
}

}  // namespace

MWinAppHost readWinAppHost() {
    MWinAppHost host;
    std::error_code error;
    host.currentDirectory = std::filesystem::current_path(error).string();
    host.executablePath = std::filesystem::read_symlink("/proc/self/exe", error).string();
    const platform::DisplayDpi dpi = platform::displayDpi();
    host.screenDpiX = dpi.x;
    host.screenDpiY = dpi.y;
    return host;
}

std::unique_ptr<MWinResCfg> prepareWinAppSettings(const MWinAppOptions& options, const MWinAppHost& host) {
    MWinAppSettings& s = winAppSettings();
    s = engineSettings();
    s.startDirectory = host.currentDirectory;
    const std::filesystem::path executable(host.executablePath);
    s.executableDirectory = executable.has_parent_path() ? joinPath(executable.parent_path().string(), "") : "";

    std::unique_ptr<MWinResCfg> config = readConfiguration(host.executablePath);
    applyConfiguration(*config, s);
    if (s.backupBasePath.empty()) {
        s.backupBasePath = s.startDirectory;
    }
    if (s.backupDirName.empty()) {
        s.backupDirName = "winbackup";
    }
    s.backupPath = backupPath(s, options);
    applyOptions(options, s);
    if (s.resourcePath.empty()) {
        s.resourcePath = s.spec + "data/";
    }
    applyResourceSize(*config, s);
    if (s.dpiX < 0.0f) {
        s.dpiX = host.screenDpiX;
    }
    if (s.dpiY < 0.0f) {
        s.dpiY = host.screenDpiY;
    }
    M_SPEC = s.spec;
    ensureDirectory(s.backupPath);
    return config;
}

MWinAppDirectories applyWinAppDirectories(const MResCfg& config, const MWinAppOptions& options,
                                          const std::string& currentDirectory) {
    MWinAppSettings& s = winAppSettings();
    MWinAppDirectories folders;
    s.webDataPath = s.spec + "web";
    s.startDirectory = currentDirectory;

    const bool dataOption = options.dataDirectory && !options.dataDirectory->empty();
    folders.dataDirectory = replaceAll(dataOption ? *options.dataDirectory : currentDirectory + "/" + s.resourcePath,
                                       "\\", "/");
    setPrimarySearchDirectory(folders.dataDirectory);

    if (const char* external = config.getString("EXTERNAL_DATA_PATH")) {
        s.externalDataPath = external;
        folders.externalDataFolder = s.startDirectory + "/" + s.externalDataPath + "/";
        addSearchDirectory(folders.externalDataFolder);
    }

    if (options.webDirectory && !options.webDirectory->empty()) {
        s.webDataPath = *options.webDirectory;
    } else {
        applyString(config, "WEB_DATA_PATH", s.webDataPath);
    }
    folders.webFolder = s.startDirectory + "/" + s.webDataPath + "/";
    addSearchDirectory(folders.webFolder);
    return folders;
}
