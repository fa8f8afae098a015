// Provisional: the font text lines replace this file.
#include "game/core/game_task.h"

void GameTask::resetTextLines() {}
