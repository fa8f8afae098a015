#include "game/frontend/boot_scenes.h"

const std::array<BootSceneMotion, 4> kBootSceneMotions = {{
    {"resource/motion/initialize.psb", "initialize", 800},
    {"resource/motion/qv_splash.psb", "qv_splash", 801},
    {"resource/motion/opening.psb", "opening", 801},
    {"resource/motion/eng_opening.psb", "eng_opening", 801},
}};

const std::array<int32_t, 4> kSplashCueFrames = {10, 120, 300, -1};

const std::array<std::array<int32_t, 3>, kSplashVoiceSets> kSplashVoices = {{
    {364, 369, 365},
    {520, 525, 521},
    {675, 680, 676},
    {828, 833, 829},
    {909, 912, 910},
}};

std::array<int32_t, kOpeningCues> openingVoiceCues = {kOpeningCuesUnread, 30, 40, 50, 60, 70, 80,
                                                      90,                 100, 110, 120, 130, 140};
