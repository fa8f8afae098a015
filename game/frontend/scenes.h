#pragma once
// The scenes and menus the game-control sequence creates (each a task of
// group 13 that the sequence waits for), declared in their own headers and
// gathered here for the sequence's table.
//
// Threads: main thread only.

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
#include "game/frontend/staff_roll/staff_roll.h"
#include "game/frontend/title_scene.h"
