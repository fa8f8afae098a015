// Provisional: the replay files replace this file.
#include "game/core/replay_files.h"

int32_t replayIoMode = 0;
uint32_t replayInputIndex = 0;
std::string replayTempFolder;

void replayMakeFolder() {}
void replayClearFolder() {}
void replayCommitFolder() {}
std::string replayStagePath() { return {}; }
void replaySave(const std::string&) {}
bool replayLoad(const std::string&) { return false; }
void replayWriteInfo(bool) {}
void replayDeleteFolder(const std::string&) {}
