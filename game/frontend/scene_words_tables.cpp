#include "game/frontend/scene_words.h"

const std::array<const char*, kButtonNames> buttonNameTable = {
    "0", "1", "2", "3", "4", "5", "6", "7", "8", "9", "10", "11", "12", "13", "14", "15", "16", "OFF"};
