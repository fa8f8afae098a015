#pragma once
// GameTask: the game's one root task and its global work area. The
// application main creates it and hands it to the disk application driver;
// the engine then steps it once a frame through its boot stages:
//
//   OBJgameInitDrawObj (first frame): the 1200 draw layers, the virtual
//     screen, the sprite target, the input hub, the sound ids, the porting
//     layer's screen set-up (once a run), the button assignment, the object
//     pool, the built-in sprite-frame table, the game's initialisation;
//   stepLoadResource (second frame): the loads of the sound document and the
//     three fonts;
//   stepMain (every later frame): timing, the platform update and its exit
//     request, the shader and draw-state warm-ups, the boot loads' follow-ups, the game's update and draw.
//
// Layer tree: the parallel set holds the virtual-screen driver, the screen
// root, the input hub and the boot load tasks. The screen root holds layer 0,
// the virtual-screen locator (holding the view) and layers 1000..1199, drawn
// in window space; the virtual root holds layers 1..999, drawn into the
// 224 x 288 virtual screen. Each layer's locator holds its SpriteDrawTask;
// layer 0's is a BackdropLayer, which keeps its picture while it stays the same.
//
// Exit: a fresh press of the engine's exit button (Escape), passed on by the
// game's update, or the platform's exit request (arcade::AMDaemonManager's
// exitRequested, seen once) raises the engine's close request; the window's
// close button ends the loop in the engine.
//
// The boot step installs the task as the porting layer's sprite target
// (sprite_sheet.h) and places the layers with SDL2_wheel_ScreenInit.
//
// Threads: main thread only, except the font reads' load states (BootLoads).

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "engine/motion/motion_event_listener.h"
#include "engine/task/process.h"
#include "game/core/boot_loads.h"
#include "game/core/draw_warm_up.h"
#include "game/core/motion_slots.h"
#include "game/core/psb_cache.h"
#include "game/core/sound_device.h"

class BackdropLayer;
class M2DCameraLocator;
class M2DCameraRoot;
class MIndicator;
class MInput;
class MPSBFont;
class MRawTex;
class MSound;
class MVirtualScreenDriver;
class MVirtualScreenView;
class PSBObject;
class SpriteDrawTask;

// It listens to every motion slot's motion and keeps the events' default:
// nothing.
class GameTask : public MProcess, public MMotionEventListener, private BootLoads::Client {
public:
    static constexpr int kLayers = 1200;
    static constexpr int kSoundIds = 1024;
    static constexpr int kFonts = BootLoads::kFonts;
    static constexpr int kTextLines = 64;
    static constexpr int kTextLineLayer = 1001;
    static constexpr int32_t kVirtualWidth = 224;
    static constexpr int32_t kVirtualHeight = 288;

    // The one instance, made on the first call; null when it can't be made.
    static GameTask* getInstance();

    // getInstance makes the game's one; tests make their own.
    GameTask();
    ~GameTask() override;
    GameTask(const GameTask&) = delete;
    GameTask& operator=(const GameTask&) = delete;

    void step() override { (this->*step_)(); }

    void OBJgameInitDrawObj();
    void stepLoadResource();
    void stepMain();

    // Empties, in every layer, the used slots that draw that texture object;
    // called before a sprite sheet's texture is freed.
    void detachTexture(const MRawTex* texture);
    // Shows one line of the font this frame at (x, y) in output pixels;
    // ignored once the font used its 64 lines this frame.
    void printTextLine(int font, const char* text, float x, float y, int r, int g, int b, float alpha,
                       int fontSize);
    // After the frame's draw: hides the lines not printed this frame and
    // starts the next frame's count.
    void resetTextLines();
    // Makes this task's draw layers the ones the porting layer's sprite
    // draws go to (the boot step does this); the destructor takes it back.
    void installSpriteTarget();

    // The sound methods (game_task_sound.cpp); volumes are 0..128.
    // Stops the id's channel and starts the id on it.
    void playSound(int32_t id);
    void setSoundVolume(int32_t id, int32_t volume);
    // Replaces the music of the play group "BGM" with that music number.
    void playBGM(int32_t music);
    void fadeOutSound(int32_t id, int32_t frames);
    // Stops the playing sound of every id that has a name.
    void stopAllSounds();

    // The motion slots (motion_slots.cpp). Every operation on a bad slot
    // (outside 0..31, or free) does nothing and gives 0 or an empty name.
    // All slots free, without releasing anything (once, at game start).
    void resetMotionSlots();
    // The lowest free slot, playing the cached motion file of the key on the
    // draw layer; -1, taking nothing, when none is free, the key is not
    // cached or the layer is outside 0..1199.
    int32_t createMotionSlot(int32_t layer, const std::string& key);
    // Unlinks the slot's tasks, deletes the motion, then its layer.
    void releaseMotionSlot(int32_t slot);
    // Takes down every slot still in use (the game's release), motion first.
    void releaseLeftoverMotionSlots();
    // Once a frame per playing slot: counts loops, rewinds a slot that plays
    // for ever, stops one on its last frame when its loops are done.
    void updateMotionLoop(int32_t slot);
    // Re-evaluates the slot's player at once without advancing time.
    void refreshMotion(int32_t slot);
    int32_t getMotionLoopCount(int32_t slot) const;
    void pauseMotion(int32_t slot);
    void setMotionPosition(int32_t slot, float x, float y);
    void setMotionAngle(int32_t slot, float degrees);
    void setMotionOpacity(int32_t slot, uint32_t opacity);
    void showMotion(int32_t slot);
    void hideMotion(int32_t slot);
    int32_t getMotionLength(int32_t slot) const;
    void setMotionFrame(int32_t slot, int32_t frame);
    int32_t getMotionFrame(int32_t slot) const;
    std::string getMotionName(int32_t slot) const;
    // The slot's motion, or null for a bad slot.
    MMotion* slotMotion(int32_t slot) const;

    void onAction(MMotionPlayer&, const std::string&, const std::string&) override {}
    void onSync(MMotionPlayer&) override {}

    using Step = void (GameTask::*)();
    Step currentStep() const { return step_; }

    MInput* input = nullptr;
    MSound* sound = nullptr;
    // The sound requests go through this (MSound in the game, a recorder in
    // tests) and do nothing until soundReady: the archives have loaded.
    SoundDevice* soundDevice = nullptr;
    bool soundReady = false;
    std::array<int32_t, kSoundIds> soundChannel{};
    std::array<int32_t, kSoundIds> soundVolume{};
    int32_t musicVolume = 0;
    int32_t musicSound = -1;
    int32_t currentMusic = -1;
    M2DCameraRoot* screenRoot = nullptr;
    std::array<M2DCameraLocator*, kLayers> layers{};
    // Layer 0, which keeps its picture while it does not change.
    BackdropLayer* backdropLayer = nullptr;
    M2DCameraRoot* virtualRoot = nullptr;
    M2DCameraLocator* virtualScreenLocator = nullptr;
    MVirtualScreenDriver* virtualScreenDriver = nullptr;
    MVirtualScreenView* virtualScreenView = nullptr;
    // The virtual screen's scale and turn (degrees) on the window, copied to
    // its locator by the game's update every frame.
    float virtualScreenScaleX = 1.0f;
    float virtualScreenScaleY = 1.0f;
    float virtualScreenAngle = 0.0f;
    BootLoads boot;
    // The sprite draw states warmed a few a frame from the frame step.
    DrawWarmUp drawWarmUp;
    std::array<SpriteDrawTask*, kLayers> spriteLayers{};
    int32_t currentLayer = 0;
    // The porting layer's cache (psb_cache.h), the one of the process.
    PsbCache* psbCache = &::psbCache();
    MotionSlotTable motionSlots;
    std::array<PSBObject*, kFonts> fontFiles{};
    std::array<MPSBFont*, kFonts> fonts{};
    std::array<int32_t, kFonts> lineCount{};
    // Owned by the locator of layer 1001; null until the font has loaded.
    std::array<std::array<MIndicator*, kTextLines>, kFonts> lines{};

private:
    bool soundDocumentLoaded() override;
    bool soundArchivesLoaded() override;
    void followUp(int index) override;
    // Makes font k from its file.
    void createFont(int k);
    void createTextLines(int k);
    void releaseSpriteTarget();
    void buildDrawLayers();
    void buildVirtualScreen();
    bool exitButtonPressed() const;
    void raiseCloseRequest();

    Step step_ = &GameTask::OBJgameInitDrawObj;
    std::unique_ptr<SoundDevice> ownSoundDevice_;
};
