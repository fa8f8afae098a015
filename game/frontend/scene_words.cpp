#include "game/frontend/scene_words.h"

int32_t mainMenuCursor = 0;
ArcadeScoreAttackChoice arcadeScoreAttackChoice;
uint8_t playFinished = 0;
int32_t testMenuResultCode = 0;
std::array<std::array<int32_t, kRankingRecords>, 2> rankingNewMarks{};
int32_t rankingLatestTable = 0;
int32_t rankingLatestCategory = 0;
uint8_t rankingViewShown = 0;
int32_t replayListCursor = 0;
int32_t replayListPage = 0;
int32_t replayListOffset = 0;

void rankingNewMarksClear() {
    for (auto& table : rankingNewMarks) table.fill(0);
}
