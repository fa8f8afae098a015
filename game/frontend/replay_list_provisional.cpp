// Provisional: the replay list replaces this file.
#include "game/frontend/replay_list_provisional.h"

std::string replayChosenFolder;
int32_t replayChosenFirstStage = 1;
