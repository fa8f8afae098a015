#include "game/frontend/title_scene.h"

const std::array<int32_t, kTitleVoiceSets> kTitleVoices = {366, 522, 677, 830, 911};
