#pragma once
// Provisional: the scenes and menus the game-control sequence creates (each a
// task of group 13 that the sequence waits for), until the front end is
// built here (see README.md). Each stand-in shows its name, leaves its usual
// outcome in the words the sequence reads (scene_words.h) and ends on START
// or after 180 frames. The scenes built so far are declared in their own
// headers, included here for the sequence.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/frontend/boot_scenes.h"
#include "game/frontend/menus/key_config_menu.h"
#include "game/frontend/menus/replay_menu.h"
#include "game/frontend/menus/test_menu.h"
#include "game/frontend/play_scenes/arcade_screens.h"
#include "game/frontend/play_scenes/countdown_select.h"
#include "game/frontend/play_scenes/game_over.h"
#include "game/frontend/play_scenes/stage_results.h"
#include "game/frontend/ranking_view.h"
#include "game/frontend/scene_words.h"
#include "game/frontend/title_scene.h"

struct ObjTask;

void StaffRollScene(ObjTask* task);

// The stand-ins' common act, with the scene's index in kStandInScenes.
void sceneStandInAct(ObjTask* task, int scene);

struct StandInScene {
    const char* name;
    void (*outcome)();  // null: leaves nothing
};
inline constexpr int kStandInScenes = 1;
extern const std::array<StandInScene, kStandInScenes> kStandInSceneTable;
// The frames a stand-in shows before it ends by itself.
inline constexpr int32_t kStandInFrames = 180;
