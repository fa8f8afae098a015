#pragma once
// Provisional: the scenes and menus the game-control sequence creates (each a
// task of group 13 that the sequence waits for) and the words they share
// with it, until the front end is built here (see README.md). Each stand-in
// shows its name, leaves its usual outcome in the words the sequence reads
// and ends on START or after 180 frames.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

#include "game/records/ranking_file.h"

struct ObjTask;

// The main menu's cursor; the sequence puts it back on the first item when a
// play is accepted on the title.
extern int32_t mainMenuCursor;
// The arcade score-attack screen's four choices.
struct ArcadeScoreAttackChoice {
    int32_t leaderType = 0;
    int32_t assist = 1;
    int32_t dramatic = 1;
    int32_t stage = 1;
};
extern ArcadeScoreAttackChoice arcadeScoreAttackChoice;
// Set when the play reached its end (the last stage, or a cleared
// score-attack stage); the game-over scene reads it.
extern uint8_t playFinished;
// What the operator test menu and its pages leave: 0 the menu, 1 bookkeeping,
// 2 sound setting, 3 backup clear, 4 end.
extern int32_t testMenuResultCode;
// A button setting's name: "0" to "16", then "OFF".
inline constexpr int kButtonNames = 18;
extern const std::array<const char*, kButtonNames> buttonNameTable;

// The ranking view's marks of the latest plays' entries, indexed like a
// RankingTable: [0] the all-time ranking, [1] the daily one.
extern std::array<std::array<int32_t, kRankingRecords>, 2> rankingNewMarks;
// The table and category the ranking view opens on after a play.
extern int32_t rankingLatestTable;
extern int32_t rankingLatestCategory;

void TSKinitialize(ObjTask* task);
void TSKsplash(ObjTask* task);
void TSKopening(ObjTask* task);
void TSKtitle(ObjTask* task);
void TSKmodeSelect(ObjTask* task);
void TSKdramaticSelect(ObjTask* task);
void TSKassistSelect(ObjTask* task);
void TSKplayerSelect(ObjTask* task);
void TSKstageClear(ObjTask* task);
void TSKgameOver(ObjTask* task);
void TSKranking(ObjTask* task);
void MainMenuScreen(ObjTask* task);
void TSKscoreAttackMenu(ObjTask* task);
void ReplayListScreen(ObjTask* task);
void TSKtrainingMenu(ObjTask* task);
void TSKconfigMenu(ObjTask* task);
void TSKkeyConfigMenu(ObjTask* task);
void StaffRollScene(ObjTask* task);
void TestModeScreen(ObjTask* task);
void TSKbookkeeping(ObjTask* task);
void TSKsoundSetting(ObjTask* task);
void BackupClearScreen(ObjTask* task);
void TSKarcadeKeyConfig(ObjTask* task);
void GameSelectScreen(ObjTask* task);
void TSKarcadeScoreAttack(ObjTask* task);

// The stand-ins' common act, with the scene's index in kStandInScenes.
void sceneStandInAct(ObjTask* task, int scene);

struct StandInScene {
    const char* name;
    void (*outcome)();  // null: leaves nothing
};
inline constexpr int kStandInScenes = 25;
extern const std::array<StandInScene, kStandInScenes> kStandInSceneTable;
// The frames a stand-in shows before it ends by itself.
inline constexpr int32_t kStandInFrames = 180;
