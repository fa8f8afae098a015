#include "game/objects/play_record_block.h"

std::array<uint8_t, kPlayRecordBlockSize> playRecordBlock{};
