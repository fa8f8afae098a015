#include "engine/base/special_folders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "engine/base/replace_all.h"
#include "engine/base/win_app_settings.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace {

// Every XDG user-directory variable, unset unless a test sets it.
constexpr const char* kUserDirVariables[] = {"XDG_DESKTOP_DIR",   "XDG_DOCUMENTS_DIR", "XDG_MUSIC_DIR",
                                             "XDG_PICTURES_DIR",  "XDG_VIDEOS_DIR",    "XDG_PUBLICSHARE_DIR",
                                             "XDG_DOWNLOAD_DIR",  "XDG_TEMPLATES_DIR"};

class SpecialFolders : public testing::Test {
protected:
    SpecialFolders() {
        env.set("HOME", dir / "home");
        env.set("XDG_DATA_HOME", dir / "data");
        env.set("XDG_CONFIG_HOME", dir / "config");
        for (const char* variable : kUserDirVariables) {
            env.set(variable, std::nullopt);
        }
        winAppSettings().startDirectory = dir / "start";
        winAppSettings().executableDirectory = dir / "bin/";
    }
    ~SpecialFolders() override { winAppSettings() = MWinAppSettings{}; }

    TempDir dir;
    ScopedEnv env;
};

struct TokenCase {
    const char* token;
    const char* place;  // below the test folder when relative; null: no place here
};

// Every known-folder token, each followed by /save.
TEST_F(SpecialFolders, ExpandsEveryKnownFolderToken) {
    dir.write("config/user-dirs.dirs",
              "# written by xdg-user-dirs-update\n"
              "XDG_DOCUMENTS_DIR=\"$HOME/My\\ Docs\"\n"
              "XDG_MUSIC_DIR=\"/srv/music\"\n");
    env.set("XDG_VIDEOS_DIR", dir / "films");
    const TokenCase cases[] = {
        {"<UserProfiles>", "/home"},
        {"<Public>", "home/Public"},
        {"<ProgramData>", "/var/lib"},
        {"<PublicDesktop>", nullptr},
        {"<PublicDocuments>", nullptr},
        {"<PublicMusic>", nullptr},
        {"<PublicPictures>", nullptr},
        {"<PublicVideos>", nullptr},
        {"<PublicGameTasks>", nullptr},
        {"<System>", "/usr/lib"},
        {"<SystemX86>", nullptr},
        {"<Profile>", "home"},
        {"<LocalAppData>", "data"},
        {"<RoamingAppData>", "config"},
        {"<Desktop>", "home/Desktop"},
        {"<Documents>", "home/My Docs"},
        {"<Music>", "/srv/music"},
        {"<Pictures>", "home/Pictures"},
        {"<Videos>", "films"},
        {"<CameraRoll>", nullptr},
        {"<Screenshots>", "home/Pictures/Screenshots"},
        {"<SavedGames>", "data/saved-games"},
        {"<GameTasks>", nullptr},
        {"<UserProgramFiles>", "home/.local/lib"},
        {"<UserProgramFilesCommon>", "home/.local/lib"},
    };
    for (const TokenCase& c : cases) {
        const std::string path = std::string(c.token) + "/save";
        std::string expected = path;
        if (c.place != nullptr) {
            expected = (c.place[0] == '/' ? std::string(c.place) : dir / c.place) + "/save";
        }
        EXPECT_EQ(expandSpecialFolders(path), expected) << c.token;
    }
}

TEST_F(SpecialFolders, XdgBasesFallBackUnderHome) {
    env.set("XDG_DATA_HOME", std::nullopt);
    env.set("XDG_CONFIG_HOME", "relative/ignored");
    EXPECT_EQ(expandSpecialFolders("<LocalAppData>"), dir / "home/.local/share");
    EXPECT_EQ(expandSpecialFolders("<RoamingAppData>"), dir / "home/.config");
    EXPECT_EQ(expandSpecialFolders("<Documents>"), dir / "home/Documents");
}

TEST_F(SpecialFolders, ReplacementsLoseOneTrailingSeparator) {
    env.set("XDG_DATA_HOME", dir / "data/");
    env.set("HALVIR_TEST_DIR", dir / "env/");
    EXPECT_EQ(expandSpecialFolders("<LocalAppData>/save"), dir / "data/save");
    EXPECT_EQ(expandSpecialFolders("%HALVIR_TEST_DIR%/x"), dir / "env/x");
    EXPECT_EQ(expandSpecialFolders("<<ExeFileDir>>/halvir.txt"), dir / "bin/halvir.txt");
    EXPECT_EQ(expandSpecialFolders("<<CurrentDir>>/backup"), dir / "start/backup");
}

TEST_F(SpecialFolders, RunsTheThreePassesInOrder) {
    env.set("HALVIR_TEST_TOKEN", "<<CurrentDir>>");
    EXPECT_EQ(expandSpecialFolders("%HALVIR_TEST_TOKEN%/<Profile>/a"), dir / "start/" + dir / "home/a");
}

struct StopCase {
    const char* name;
    const char* path;
    const char* expectedBelowDir;  // null: the path comes back unchanged
};

// The first token that cannot be replaced ends the whole expansion.
TEST_F(SpecialFolders, StopsAtTheFirstTokenItCannotReplace) {
    env.set("HALVIR_UNSET", std::nullopt);
    env.set("HALVIR_EMPTY", "");
    const StopCase cases[] = {
        {"unknown_folder", "<Nowhere>/x", nullptr},
        {"unset_variable_first", "%HALVIR_UNSET%/<LocalAppData>", nullptr},
        {"empty_variable", "%HALVIR_EMPTY%/<LocalAppData>", nullptr},
        {"unclosed_percent", "100%/<LocalAppData>", nullptr},
        {"unknown_engine_token", "<<Other>>/<LocalAppData>", nullptr},
        {"unclosed_engine_token", "<<CurrentDir/<LocalAppData>", nullptr},
        {"no_counterpart_here", "<CameraRoll>/x", nullptr},
        {"later_token_unknown", "<LocalAppData>/a/<Nowhere>/<Profile>", "data/a/<Nowhere>/<Profile>"},
        {"unclosed_angle", "<LocalAppData>/a/<Profile", "data/a/<Profile"},
        {"no_tokens", "plain/path", nullptr},
    };
    for (const StopCase& c : cases) {
        const std::string expected = c.expectedBelowDir ? dir / c.expectedBelowDir : c.path;
        EXPECT_EQ(expandSpecialFolders(c.path), expected) << c.name;
    }
}

TEST_F(SpecialFolders, HomeUnsetLeavesHomeTokensUnexpanded) {
    env.set("HOME", std::nullopt);
    env.set("XDG_DATA_HOME", std::nullopt);
    EXPECT_EQ(expandSpecialFolders("<Profile>/x"), "<Profile>/x");
    EXPECT_EQ(expandSpecialFolders("<LocalAppData>/x"), "<LocalAppData>/x");
    EXPECT_EQ(expandSpecialFolders("<ProgramData>/x"), "/var/lib/x");
}

struct JoinCase {
    const char* directory;
    const char* name;
    const char* joined;
};

TEST(JoinPath, AddsOneSlashAndNeverTurnsSlashes) {
    const JoinCase cases[] = {
        {"a/b", "c", "a/b/c"},
        {"a/b/", "c", "a/b/c"},
        {"/abs/dir", "sub/file", "/abs/dir/sub/file"},
        {"a\\b", "c", "a\\b/c"},
        {"a/b", "", "a/b/"},
    };
    for (const JoinCase& c : cases) {
        EXPECT_EQ(joinPath(c.directory, c.name), c.joined) << c.directory << " + " << c.name;
    }
}

TEST(EnsureDirectory, CreatesEveryMissingParent) {
    TempDir dir;
    EXPECT_TRUE(ensureDirectory(dir / "a/b/c"));
    EXPECT_TRUE(std::filesystem::is_directory(dir / "a/b/c"));
    EXPECT_TRUE(ensureDirectory(dir / "a/b/c/"));
}

TEST(EnsureDirectory, AnswersFalseForAFile) {
    TempDir dir;
    dir.write("file", "x");
    EXPECT_FALSE(ensureDirectory(dir / "file"));
    EXPECT_FALSE(ensureDirectory(dir / "file/below"));
}

TEST(ReplaceAll, NeverSearchesAnInsertedReplacement) {
    EXPECT_EQ(replaceAll("a\\b\\\\c", "\\", "/"), "a/b//c");
    EXPECT_EQ(replaceAll("aaa", "a", "aa"), "aaaaaa");
    EXPECT_EQ(replaceAll("abc", "", "x"), "abc");
    EXPECT_EQ(replaceAll("", "a", "b"), "");
}

}  // namespace
