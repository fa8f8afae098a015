#include "game/records/play_voice.h"

const std::array<const char*, kVoiceCharacters> playVoicePrefixes = {"typea", "typeb", "typec",
                                                                     "typed", "typew", "types"};
