#pragma once
// The sound table of the content folder: every sound id with its name,
// archive group, channel, retrigger guard and whether the game registers it
// at boot ("sound/sounds.csv"), and every music number with its name, group
// and arrangement ("sound/music.csv"). Ids without a name are left out.
//
// Threads: plain functions.

#include <string>
#include <vector>

#include "tools/content/content_context.h"

namespace content {

struct SoundName {
    int id = 0;
    std::string name;
    std::string group;    // se, voice, bgm1, bgm2, bgm3
    std::string channel;  // "CH00".."CH31", empty for none
    int guard = 1;        // frames before the id may sound again
    bool registered = false;
};

struct MusicName {
    int number = 0;
    std::string name;
    std::string group;
    int arrangement = 0;
};

std::vector<SoundName> readSoundNames(const ContentContext& context);
std::vector<MusicName> readMusicNames(const ContentContext& context);

}  // namespace content
