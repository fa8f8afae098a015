#include "game/bosses/voice_cut_in_provisional.h"

uint8_t voiceCutInShown = 0;
