// The module table.
#include "tools/content/content_modules.h"

namespace content {
namespace {

constexpr ContentModule kModules[] = {
    {"PSB fonts", makePsbFonts},
    {"bitmap font", makeBitmapFont},
    {"default texts", makeDefaultTexts},
    {"volume texts", makeVolumeTexts},
    {"front words", makeFrontWords},
    {"sprites", makeSprites},
    {"sound bank", makeSoundBank},
    {"scene motions", makeSceneMotions},
    {"stages", makeStages},
    {"stage motion checks", checkStageMotions},
    {"staff-roll pages", makeStaffRollPages},
};

}  // namespace

std::span<const ContentModule> contentModules() { return kModules; }

}  // namespace content
