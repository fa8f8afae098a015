// The fuzz build makes no content, so its programs get an all-zero table in
// place of the generated one; none of them draws.
#include "game/core/sprite_frame_table.h"

const SpriteFrame spriteFrameTable[kSpriteFrameRows] = {};
