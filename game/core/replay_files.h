#pragma once
// Replay files: each recorded stage as a header and the fighter's input, five
// words a frame, under "replay/temp" during a play and copied into a dated
// folder when the player keeps the replay; "rep_info.dat" sums the play up.
//
// Provisional (replay_files_provisional.cpp) until the replay files are
// built: nothing is read or written.
//
// Threads: main thread only.

#include <cstdint>
#include <string>

// 0 off, 1 record, 2 playback.
extern int32_t replayIoMode;
// The next word of the input array to write or read.
extern uint32_t replayInputIndex;
// "replay/temp" under the application root, set at game init.
extern std::string replayTempFolder;

void replayMakeFolder();
void replayClearFolder();
void replayCommitFolder();
// "<temp folder>/rep_stNN.dat" for the current stage number.
std::string replayStagePath();
void replaySave(const std::string& path);
bool replayLoad(const std::string& path);
void replayWriteInfo(bool finished);
void replayDeleteFolder(const std::string& folder);
