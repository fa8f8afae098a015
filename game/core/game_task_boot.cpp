// The root task's first two frames: the draw-layer tree and the game's
// set-up, then the boot loads.
#include "engine/data/file_read_task.h"
#include "engine/input/input_hub.h"
#include "engine/render/camera_2d.h"
#include "engine/render/virtual_screen_driver.h"
#include "engine/render/virtual_screen_view.h"
#include "engine/sound/sound.h"
#include "engine/sound/sound_config.h"
#include "engine/sound/sound_load_task.h"
#include "engine/task/application_driver.h"
#include "game/core/backdrop_layer.h"
#include "game/core/game_main.h"
#include "game/core/game_task.h"
#include "game/core/input_words.h"
#include "game/core/obj_task.h"
#include "game/core/sprite_draw_task.h"
#include "game/core/sprite_frame_table.h"
#include "game/core/sprite_sheet.h"

namespace {

constexpr int kOutputWidth = 1920;
constexpr int kOutputHeight = 1080;
constexpr int kFirstVirtualLayer = 1;
constexpr int kFirstWindowLayer = 1000;

constexpr const char* kSoundDocumentPath = "resource/soundfile_duz3/sound.psb";
constexpr const char* kFontPaths[GameTask::kFonts] = {
    "resource/font/font16.psb.m",
    "resource/font/font24.psb.m",
    "resource/font/font32.psb.m",
};
// Fonts read ahead of the engine's ordinary background reads.
constexpr int kFontReadQueue = 1;

// The picture is placed quarter by quarter, each quarter onto itself.
constexpr MVirtualScreenPlacement kQuadrants[] = {
    {0.0f, 0.0f, 0.5f, 0.5f, 0.0f, 0.0f, 0.5f, 0.5f},
    {0.5f, 0.0f, 1.0f, 0.5f, 0.5f, 0.0f, 1.0f, 0.5f},
    {0.0f, 0.5f, 0.5f, 1.0f, 0.0f, 0.5f, 0.5f, 1.0f},
    {0.5f, 0.5f, 1.0f, 1.0f, 0.5f, 0.5f, 1.0f, 1.0f},
};

}  // namespace

void GameTask::buildDrawLayers() {
    for (int i = 0; i < kLayers; ++i) {
        spriteLayers[i] = new SpriteDrawTask;
        if (i == 0) {
            backdropLayer = new BackdropLayer(spriteLayers[i]);
            layers[i] = backdropLayer;
            continue;
        }
        layers[i] = new M2DCameraLocator;
        layers[i]->add(spriteLayers[i]);
    }
}

void GameTask::buildVirtualScreen() {
    virtualRoot = new M2DCameraRoot;
    for (int i = kFirstVirtualLayer; i < kFirstWindowLayer; ++i) virtualRoot->add(layers[i]);
    virtualScreenDriver = new MVirtualScreenDriver(virtualRoot, kVirtualWidth, kVirtualHeight);
    virtualScreenView = new MVirtualScreenView(virtualScreenDriver);
    virtualScreenView->assignPlacements(std::begin(kQuadrants), std::end(kQuadrants));
    screenRoot = new M2DCameraRoot;
    virtualScreenLocator = new M2DCameraLocator;
    virtualScreenLocator->add(virtualScreenView);
    screenRoot->add(layers[0]);
    screenRoot->add(virtualScreenLocator);
    for (int i = kFirstWindowLayer; i < kLayers; ++i) screenRoot->add(layers[i]);
    getParallelSet().add(virtualScreenDriver);
    getParallelSet().add(screenRoot);
}

void GameTask::OBJgameInitDrawObj() {
    buildDrawLayers();
    buildVirtualScreen();
    installSpriteTarget();
    currentLayer = 0;
    auto* hub = new MSingleInputHub;
    input = hub->getInput(0);
    getParallelSet().add(hub);
    sound = MSound::getInstance();
    if (sound) {
        ownSoundDevice_ = std::make_unique<MSoundDevice>(*sound);
        soundDevice = ownSoundDevice_.get();
    }
    soundChannel.fill(0);
    soundVolume.fill(100);
    musicSound = -1;
    currentMusic = -1;
    // The porting layer is set up once a run, by the first root task.
    if (!SDL2_wheel_ScreenIsBuilt()) {
        SDL2_wheel_ScreenInit(kOutputWidth, kOutputHeight, kVirtualWidth, kVirtualHeight);
        inputWordsReset();
    }
    inputRemapHook = SDL2_wheel_InputRemapButtons;
    virtualScreenScaleX = 3.0f;
    virtualScreenScaleY = 3.0f;
    OBJtaskPoolInit();
    // The game's objects read their sprite rows from the first task on.
    OBJsetFrameTable(spriteFrameTable);
    gameMainInit();
    step_ = &GameTask::stepLoadResource;
}

void GameTask::stepLoadResource() {
    boot.reset();
    getParallelSet().add(new MSoundLoadTask(kSoundDocumentPath));
    if (MApplicationDriver* driver = MApplicationDriver::getInstance()) {
        MFileReadTask* read = driver->createReadTask();
        for (int k = 0; k < kFonts; ++k) read->request(kFontPaths[k], &fontFiles[k], &boot.fontStatus(k), true);
        read->setBgQueueIndex(kFontReadQueue);
        getParallelSet().add(read);
    }
    step_ = &GameTask::stepMain;
}

bool GameTask::soundDocumentLoaded() {
    const MSound::SoundConfig* config = sound ? sound->findSoundConfig(kSoundDocumentPath) : nullptr;
    return config && config->loaded();
}
