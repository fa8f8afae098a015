#include "game/frontend/front_words.h"

const char* leaderLine(int32_t type, int32_t index) {
    if (type < 0 || type >= kFrontWordTypes || index < 0 || index >= kLeaderLineSlots) return "";
    return leaderLineTable[type][index];
}

const char* partingLine(int32_t type, int32_t pick) {
    if (type < 0 || type >= kFrontWordTypes || pick < 0 || pick >= kPartingLineCount) return "";
    return partingLineTable[type][pick];
}
