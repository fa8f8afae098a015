// Where the game's draws land in a 1920 x 1080 window on the OpenGL device:
// the root task's draw-layer tree, a sprite drawn at the playfield's (0, 0)
// and one at the window's (960, 540), read back from the back buffer.
#include <SDL.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "engine/base/win_app_settings.h"
#include "engine/data/psb_object.h"
#include "engine/render/camera_2d.h"
#include "engine/render/display.h"
#include "engine/render/raw_tex.h"
#include "engine/render/texture_upload.h"
#include "engine/render/win_d3d_win.h"
#include "game/core/backdrop_layer.h"
#include "engine/task/looper.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/obj_work.h"
#include "game/core/psb_cache.h"
#include "game/core/sprite_sheet.h"
#include "game/records/paths.h"
#include "game/records/ranking_file.h"
#include "platform/device/gl/gl_device_factory.h"
#include "tests/game/working_folder.h"

namespace {

constexpr int kPictureWidth = 1920;
constexpr int kPictureHeight = 1080;
constexpr uint32_t kWhite = 0xFFFFFFFF;
constexpr uint32_t kBlack = 0xFF000000;

class PicturePlacementTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO), 0) << SDL_GetError();
        MWinAppSettings& s = winAppSettings();
        s = MWinAppSettings{};
        s.windowWidth = s.clientWidth = s.screenWidth = kPictureWidth;
        s.windowHeight = s.clientHeight = s.screenHeight = kPictureHeight;
        s.d3dPureDevice = true;
        window_ = SDL_CreateWindow("picture", 0, 0, kPictureWidth, kPictureHeight, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
        ASSERT_NE(window_, nullptr) << SDL_GetError();
        static platform::gl::GlDeviceFactory factory;
        looper_ = new MLooper;
        display_ = new MDisplay(factory, window_);
        ASSERT_NE(display_->d3dWin()->device(), nullptr);
        display_->setSafeScreenRatio(1.0f, 1.0f);
    }

    void SetUp() override {
        std::filesystem::create_directories(folder.path("root"));
        setAppRootFolder(folder.path("root"));
        setResourceFolders({folder.path("game") + "/"});
    }
    void TearDown() override {
        SDL2_wheel_TextureRelease(0);
        OBJworkFree(gameMainOwner);
        gameMainOwner = nullptr;
        delete GameTask::getInstance();
        for (auto& [key, document] : psbCache()) delete document;
        psbCache().clear();
        rankingTables().all.reset();
        rankingTables().today.reset();
        setResourceFolders({});
    }

    // A white 4 x 4 sheet in slot 0.
    static MRawTex* whiteSheet() {
        auto* sheet = new MRawTex(4, 4);
        for (int y = 0; y < sheet->getBufferHeight(); ++y) {
            auto* row = reinterpret_cast<uint32_t*>(sheet->getPixels() + y * sheet->getPitch());
            for (int x = 0; x < sheet->getBufferWidth(); ++x) row[x] = kWhite;
        }
        MTextureImageDesc desc(32, sheet->getBufferWidth(), sheet->getBufferHeight(), 1, 1);
        desc.pixels = sheet->getPixels();
        uploadTexturePixels(*display_->d3dWin()->device(), sheet->getTexture()->texture, desc);
        SDL2_wheel_TextureSet(0, sheet);
        return sheet;
    }

    // One frame of the root task's tree, as the application driver draws it.
    static std::vector<uint32_t> drawFrame(GameTask& task) {
        MWinD3DWin& win = *display_->d3dWin();
        display_->onPreLoop();
        win.drawTaskToTarget(&task.getParallelSet(), nullptr, true, kBlack);
        return win.device()->readSurface(win.device()->backBuffer(), {0, 0, kPictureWidth, kPictureHeight});
    }

    WorkingFolder folder;

private:
    static inline SDL_Window* window_ = nullptr;
    static inline MLooper* looper_ = nullptr;
    static inline MDisplay* display_ = nullptr;
};

uint32_t pictureAt(const std::vector<uint32_t>& picture, int x, int y) {
    return picture[size_t(y) * kPictureWidth + size_t(x)];
}

TEST_F(PicturePlacementTest, ThePlayfieldIsCentredAndWindowLayersStartAtTheTopLeft) {
    GameTask task;
    task.OBJgameInitDrawObj();
    // The game main update gives the playfield its x3 scale every frame.
    task.virtualScreenLocator->scaleX = task.virtualScreenScaleX;
    task.virtualScreenLocator->scaleY = task.virtualScreenScaleY;
    MRawTex* sheet = whiteSheet();
    selectSpriteLayer(1);
    SDL2_wheel_TextureDraw(sheet, {0, 0, 4, 4}, {0, 0, 4, 4}, 0, 0.0f);
    selectSpriteLayer(1000);
    SDL2_wheel_TextureDraw(sheet, {0, 0, 4, 4}, {960, 540, 4, 4}, 0, 0.0f);
    const std::vector<uint32_t> picture = drawFrame(task);

    // The 224 x 288 playfield three times over is 672 x 864, centred: its
    // (0, 0) is the window's (624, 108), and 4 of its pixels are 12.
    struct Case {
        int x, y;
        uint32_t colour;
    };
    const Case cases[] = {
        {624, 108, kWhite}, {635, 119, kWhite}, {623, 108, kBlack}, {624, 107, kBlack}, {636, 119, kBlack},
        {635, 120, kBlack}, {960, 540, kWhite}, {963, 543, kWhite}, {959, 540, kBlack}, {960, 539, kBlack},
        {964, 543, kBlack}, {963, 544, kBlack}, {0, 0, kBlack},     {1919, 1079, kBlack},
    };
    for (const Case& c : cases) EXPECT_EQ(pictureAt(picture, c.x, c.y), c.colour) << c.x << "," << c.y;
}

// Layer 0 draws its picture into a texture only when what it draws changes
// (its sprites, a sheet gone and loaded again) and copies it onto the screen
// otherwise; every frame reads as if drawn.
TEST_F(PicturePlacementTest, TheBackdropIsRedrawnOnlyWhenItChanges) {
    GameTask task;
    task.OBJgameInitDrawObj();
    // The porting layer places the layers once a run: again for this task's.
    SDL2_wheel_ScreenInit(kPictureWidth, kPictureHeight, 224, 288);
    ASSERT_NE(task.backdropLayer, nullptr);
    ASSERT_EQ(task.layers[0], task.backdropLayer);
    struct Case {
        const char* what;
        int x;  // of the backdrop's sprite; -1: none drawn
        bool reloadSheet;
        int32_t pictureDraws;
    };
    const Case cases[] = {
        {"first frame", 100, false, 1}, {"unchanged", 100, false, 1}, {"still unchanged", 100, false, 1},
        {"moved", 200, false, 2},       {"sheet reloaded", 200, true, 3}, {"nothing drawn", -1, false, 3},
        {"drawn again", 100, false, 4},
    };
    MRawTex* sheet = whiteSheet();
    for (const Case& c : cases) {
        if (c.reloadSheet) {
            SDL2_wheel_TextureRelease(0);
            sheet = whiteSheet();
        }
        if (c.x >= 0) {
            selectSpriteLayer(0);
            SDL2_wheel_TextureDraw(sheet, {0, 0, 4, 4}, {float(c.x), 100, 4, 4}, 0, 0.0f);
        }
        const std::vector<uint32_t> picture = drawFrame(task);
        EXPECT_EQ(task.backdropLayer->pictureDraws(), c.pictureDraws) << c.what;
        for (int x : {100, 200}) {
            const uint32_t expected = x == c.x ? kWhite : kBlack;
            EXPECT_EQ(pictureAt(picture, x, 100), expected) << c.what << " at " << x;
            EXPECT_EQ(pictureAt(picture, x + 3, 103), expected) << c.what << " at " << x;
            EXPECT_EQ(pictureAt(picture, x + 4, 103), kBlack) << c.what << " at " << x;
        }
    }
}

}  // namespace
