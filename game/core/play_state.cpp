#include "game/core/play_state.h"

int32_t gamePhase = 0;
int32_t menuResultCode = 0;
int32_t stageNumber = 0;
int32_t trainingStartStage = 0;
int32_t pauseChoice = 0;
uint8_t playIsRecorded = 0;
uint8_t continueScreenActive = 0;
uint8_t pauseAllowed = 0;
uint8_t gameExitRequested = 0;
int32_t bossPresentFlag = 0;
uint8_t stageClearFlag = 0;
int32_t runModeWord = 0;
