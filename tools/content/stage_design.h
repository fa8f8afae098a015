#pragma once
// A stage as people write it, in its folder "stages/stageN/" of the content
// folder, and its expansion into the rows the game holds in the program.
//
// "scripts.txt", the movement scripts: a head "script INDEX NAME", then one
// row a line, "FRAME OP ARGS", closed by "end"; or a head alone, "script
// INDEX NAME mirror OTHER", the other script with every heading mirrored.
//   ops: size W H (1), layer L (2), noattack A (6), speed S (7), heading H (8),
//        leave (9), skip A (10), and "op N A B C D" for any row as numbers.
// "scroll.txt", the four layer scripts: a head "layer N" (1..4) and its rows
// closed by "end", or "layer N as M".
//   ops: place X Y (1), speed S (2), heading H (3), nop A (4), kill L (5),
//        wrap-x-below LIMIT JX JY (6), wrap-x-above (7), wrap-y-below (8),
//        wrap-y-above (9), xfactor F (10), yfactor F (11), "op N ...".
// In both, "FRAME ramp OP FROM TO step S every F" writes OP rows from FROM
// to TO in steps of S (the last one shorter), F frames apart; a heading
// ramp takes the short way round.
// "waves.txt", the timeline: "place NAME X Y" (hundredths of a pixel),
// "time NAME FRAME", then waves in time order:
//   wave NAME FRAME [repeat N every F]
//   +OFFSET kind K script NAME|none at PLACE|X Y [count N every F]
//           [step DX DY] [extra A B C D]
// and "end" last (the end row). A FRAME is a number, a time's name, or
// NAME+N / NAME-N. Rows that share a frame keep the file's order.
//
// Threads: plain functions.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace content {

inline constexpr int32_t kStageCount = 6;
inline constexpr int32_t kEndRowFrame = 99999999;

// One row of a movement or scroll script: op, frame, a, b, c, d.
using ScriptRow = std::array<int32_t, 6>;
enum ScriptField { kOp, kFrame, kA, kB, kC, kD };

// One spawn row: kind, param, frame, x, y, extra[4].
using SpawnWords = std::array<int32_t, 9>;
enum SpawnField { kKind, kParam, kRowFrame, kRowX, kRowY, kExtra0 };

struct MoveScriptDesign {
    int32_t index = 0;
    std::string name;
    int32_t line = 0;
    std::vector<ScriptRow> rows;
    std::vector<int32_t> rowLines;
};

struct LayerScriptDesign {
    int32_t line = 0;
    std::vector<ScriptRow> rows;
    std::vector<int32_t> rowLines;
};

struct SpawnRowDesign {
    SpawnWords words{};
    int32_t line = 0;
    int32_t wave = 0;  // index into StageDesign::waves
};

struct WaveDesign {
    std::string name;
    int32_t frame = 0;
    int32_t line = 0;
};

struct StageDesign {
    int32_t stage = 0;
    std::vector<MoveScriptDesign> scripts;  // in index order
    std::array<LayerScriptDesign, 4> layers;
    std::vector<WaveDesign> waves;
    std::vector<SpawnRowDesign> rows;  // in table order, the end row last
    int32_t lastLine = 0;              // of waves.txt, for rules on the whole table
};

// The folder of a stage and the path of one of its files, relative to the
// content folder ("stages/stage1/waves.txt").
std::string stageFile(int32_t stage, std::string_view name);

std::vector<MoveScriptDesign> parseMoveScripts(std::string_view text, std::string_view file);
std::array<LayerScriptDesign, 4> parseLayerScripts(std::string_view text, std::string_view file);
// Needs the stage's scripts to turn script names into params.
void parseWaves(std::string_view text, std::string_view file, StageDesign& design);

// The three files of a stage read and expanded; throws ContentError naming
// the file, the line and the rule at fault.
StageDesign parseStage(int32_t stage, std::string_view scripts, std::string_view scroll, std::string_view waves);

}  // namespace content
