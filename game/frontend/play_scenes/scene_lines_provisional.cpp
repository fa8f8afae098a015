// Provisional: the front end's word tables replace this file.
#include "game/frontend/play_scenes/scene_lines_provisional.h"

namespace {

const char* const kLeaderLinesProvisional[] = {
    "ごくろうさま！",     "よくやった！",       "そのちょうしだ！",   "さあ、つぎへいこう。",
};
const char* const kPartingLinesProvisional[] = {
    "またあおう。", "ありがとう！", "つぎこそは！", "またね。",
};

}  // namespace

SceneLineTable leaderLineTable = {kLeaderLinesProvisional, 1};
SceneLineTable partingLineTable = {kPartingLinesProvisional, 1};

const char* sceneLine(const SceneLineTable& table, int32_t type, int32_t index) {
    if (table.lines == nullptr || table.perType <= 0 || type < 0 || type >= kSceneLineTypes || index < 0) return "";
    return table.lines[type * table.perType + index % table.perType];
}
