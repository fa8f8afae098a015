#include "engine/app/win_app_init.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/base/win_app_settings.h"
#include "engine/data/search_directories.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

// Start-up in a folder of its own: the executable is <dir>/bin/halvir, the
// current directory <dir>/run, and halvir.txt (when a test writes it) sits
// beside the executable.
class WinAppInit : public testing::Test {
protected:
    WinAppInit() {
        env.set("XDG_DATA_HOME", dir / "data");
        host.currentDirectory = dir / "run";
        host.executablePath = dir / "bin/halvir";
        host.screenDpiX = 101.0f;
        host.screenDpiY = 102.0f;
        std::filesystem::create_directories(host.currentDirectory);
        clearSearchDirectories();
    }
    ~WinAppInit() override {
        winAppSettings() = MWinAppSettings{};
        M_SPEC.clear();
        clearSearchDirectories();
    }

    void writeTextFile(std::string_view text) { dir.write("bin/halvir.txt", text); }

    const MWinAppSettings& start() {
        config = prepareWinAppSettings(options, host);
        folders = applyWinAppDirectories(*config, options, host.currentDirectory);
        return winAppSettings();
    }

    TempDir dir;
    ScopedEnv env;
    MWinAppHost host;
    MWinAppOptions options;
    std::unique_ptr<MWinResCfg> config;
    MWinAppDirectories folders;
};

TEST(EngineSettings, DefaultsAreFilledBeforeMain) {
    const MWinAppSettings& d = engineSettings();
    EXPECT_EQ(d.className, "vantorlib");
    EXPECT_EQ(d.caption, "vantorlib");
    EXPECT_EQ(d.windowWidth, 640);
    EXPECT_EQ(d.windowHeight, 480);
    EXPECT_EQ(d.clientWidth, 640);
    EXPECT_EQ(d.screenWidth, -1);
    EXPECT_EQ(d.dpiX, -1.0f);
    EXPECT_TRUE(d.fullscreenCursor);
    EXPECT_TRUE(d.mouseCursor);
    EXPECT_TRUE(d.d3dPureDevice);
    EXPECT_FALSE(d.fullscreenMode);
    EXPECT_EQ(d.spec, "win");
    EXPECT_EQ(d.backupDirName, "winbackup");
    EXPECT_TRUE(d.visible);
    EXPECT_TRUE(d.mouseToTouchPad);
    EXPECT_EQ(d.speed, 100);
    EXPECT_EQ(d.safeScreenRatioX, 1.0f);
    EXPECT_EQ(d.safeScreenRatioY, 1.0f);
    EXPECT_EQ(d.popupStyle, 0);
    EXPECT_TRUE(d.resourcePath.empty());
}

TEST_F(WinAppInit, BuiltInTextAloneGivesTheShippedWindow) {
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.className, "HALVIR ORBANE");
    EXPECT_EQ(s.caption, "HALVIR ORBANE");
    EXPECT_EQ(s.windowWidth, 1920);
    EXPECT_EQ(s.windowHeight, 1080);
    EXPECT_EQ(s.screenWidth, 1920);
    EXPECT_EQ(s.screenHeight, 1080);
    EXPECT_EQ(s.popupStyle, 1);
    EXPECT_FALSE(s.fullscreenMode);
    EXPECT_EQ(s.dpiX, 101.0f);
    EXPECT_EQ(s.dpiY, 102.0f);
    EXPECT_EQ(s.speed, 100);
    EXPECT_EQ(s.resourcePath, "windata/");
    EXPECT_EQ(M_SPEC, "win");
    EXPECT_EQ(s.startDirectory, dir / "run");
    EXPECT_EQ(s.executableDirectory, dir / "bin/");
    EXPECT_EQ(s.backupPath, dir / "run/winbackup");
    EXPECT_TRUE(std::filesystem::is_directory(s.backupPath));
    EXPECT_EQ(folders.dataDirectory, dir / "run/windata/");
    EXPECT_EQ(folders.webFolder, dir / "run/winweb/");
    EXPECT_EQ(s.webDataPath, "winweb");
    EXPECT_TRUE(folders.externalDataFolder.empty());
    EXPECT_EQ(searchDirectories(), (std::vector<std::string>{dir / "run/windata/", dir / "run/winweb/"}));
    EXPECT_EQ(engineSettings().windowWidth, 640);
}

TEST_F(WinAppInit, TextFileKeysReplaceTheBuiltInOnes) {
    writeTextFile(
        "WINDOW_W = 800\r\n"
        "SCREEN_W = -5\r\n"
        "SCREEN_H = 0\r\n"
        "WINDOW_DPI_X = 120\r\n"
        "BACKUP_DIR_NAME =\r\n"
        "RSC_W = 640\r\n"
        "CAPTION = Test Window\r\n"
        "MOUSE_CURSOR = 0\r\n"
        "SAFE_SCREEN_RATIO_X = 0.9\r\n"
        "FIT_MODE = abc\r\n");
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.windowWidth, 800);
    EXPECT_EQ(s.windowHeight, 1080);
    EXPECT_EQ(s.screenWidth, 800);
    EXPECT_EQ(s.screenHeight, 0);
    EXPECT_EQ(s.dpiX, 120.0f);
    EXPECT_EQ(s.dpiY, 102.0f);
    EXPECT_EQ(s.backupDirName, "winbackup");
    EXPECT_EQ(s.resourceHeight, 0.0f);
    EXPECT_EQ(s.resourceAspect, 0.0f);
    EXPECT_EQ(s.caption, "Test Window");
    EXPECT_EQ(s.className, "HALVIR ORBANE");
    EXPECT_FALSE(s.mouseCursor);
    EXPECT_EQ(s.safeScreenRatioX, 0.9f);
    EXPECT_EQ(s.fitMode, 0);
}

TEST_F(WinAppInit, OptionsOverrideTheTextFile) {
    writeTextFile("WINDOW_W = 800\nSCREEN_W = 640\nUSE_DEPTH_STENCIL = 1\n");
    options.windowSize = {1024, 0};
    options.screenSize = {0, 600};
    options.windowDpi = {0.0f, 72.0f};
    options.useDepthStencil = false;
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.windowWidth, 1024);
    EXPECT_EQ(s.windowHeight, 1080);
    EXPECT_EQ(s.screenWidth, 640);
    EXPECT_EQ(s.screenHeight, 600);
    EXPECT_EQ(s.dpiX, 101.0f);
    EXPECT_EQ(s.dpiY, 72.0f);
    EXPECT_FALSE(s.useDepthStencil);
}

TEST_F(WinAppInit, ScreenFollowsTheWindowSizeOption) {
    options.windowSize = {800, 600};
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.screenWidth, 800);
    EXPECT_EQ(s.screenHeight, 600);
}

TEST_F(WinAppInit, ResourceSizeNeedsBothKeys) {
    writeTextFile("RSC_W = 224\nRSC_H = 288\n");
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.resourceHeight, 288.0f);
    EXPECT_EQ(s.resourceAspect, 224.0f / 288.0f);
}

TEST_F(WinAppInit, SpecNamesTheDefaultFolders) {
    writeTextFile("M_SPEC = lin\nRSC_PATH =\n");
    const MWinAppSettings& s = start();
    EXPECT_EQ(M_SPEC, "lin");
    EXPECT_EQ(s.resourcePath, "lindata/");
    EXPECT_EQ(folders.dataDirectory, dir / "run/lindata/");
    EXPECT_EQ(folders.webFolder, dir / "run/linweb/");
}

TEST_F(WinAppInit, BackupBasePathExpandsItsTokens) {
    writeTextFile("BACKUP_BASE_PATH = <LocalAppData>/halvir\nBACKUP_DIR_NAME = saves\n");
    const MWinAppSettings& s = start();
    EXPECT_EQ(s.backupBasePath, dir / "data/halvir");
    EXPECT_EQ(s.backupPath, dir / "data/halvir/saves");
    EXPECT_TRUE(std::filesystem::is_directory(s.backupPath));
}

TEST_F(WinAppInit, EngineTokensNameTheStartAndExecutableFolders) {
    writeTextFile("BACKUP_BASE_PATH = <<ExeFileDir>>/keep\n");
    EXPECT_EQ(start().backupPath, dir / "bin/keep/winbackup");
}

TEST_F(WinAppInit, BareBackupOptionGoesUnderTheStartDirectory) {
    options.backupDirectory = "saves";
    EXPECT_EQ(start().backupPath, dir / "run/saves");
}

TEST_F(WinAppInit, AbsoluteBackupOptionIsUsedAsItIs) {
    options.backupDirectory = dir / "elsewhere/backup";
    writeTextFile("BACKUP_DIR_NAME = ignored\n");
    EXPECT_EQ(start().backupPath, dir / "elsewhere/backup");
}

TEST_F(WinAppInit, ExtraDataFoldersFollowTheResourceFolder) {
    writeTextFile("EXTERNAL_DATA_PATH = ext\nWEB_DATA_PATH = site\n");
    start();
    EXPECT_EQ(folders.externalDataFolder, dir / "run/ext/");
    EXPECT_EQ(folders.webFolder, dir / "run/site/");
    EXPECT_EQ(winAppSettings().externalDataPath, "ext");
    EXPECT_EQ(searchDirectories(),
              (std::vector<std::string>{dir / "run/windata/", dir / "run/ext/", dir / "run/site/"}));
}

TEST_F(WinAppInit, DirectoryOptionsReplaceTheConfiguredFolders) {
    writeTextFile("WEB_DATA_PATH = site\n");
    options.dataDirectory = "/srv/game\\data/";
    options.webDirectory = "portal";
    start();
    EXPECT_EQ(folders.dataDirectory, "/srv/game/data/");
    EXPECT_EQ(folders.webFolder, dir / "run/portal/");
    EXPECT_EQ(winAppSettings().webDataPath, "portal");
}

TEST_F(WinAppInit, EmptyDirectoryOptionsCountAsNotGiven) {
    options.dataDirectory = "";
    options.webDirectory = "";
    start();
    EXPECT_EQ(folders.dataDirectory, dir / "run/windata/");
    EXPECT_EQ(folders.webFolder, dir / "run/winweb/");
}

TEST_F(WinAppInit, ExternalFolderEqualToTheWebFolderIsListedOnce) {
    writeTextFile("EXTERNAL_DATA_PATH = winweb\n");
    start();
    EXPECT_EQ(searchDirectories(), (std::vector<std::string>{dir / "run/windata/", dir / "run/winweb/"}));
}

TEST(WinAppHost, ReadsThisProcess) {
    const MWinAppHost host = readWinAppHost();
    EXPECT_EQ(host.currentDirectory, std::filesystem::current_path().string());
    EXPECT_EQ(std::filesystem::path(host.executablePath).filename(), "engine_app_test");
    EXPECT_GT(host.screenDpiX, 0.0f);
    EXPECT_GT(host.screenDpiY, 0.0f);
}

}  // namespace
