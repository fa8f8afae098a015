// Stage motions module: the motion files the stages load are made with the
// scene motions (motion/motions.txt lists them); this module holds each of
// them to what the game's timing and aim need (motion/stage_rules.txt,
// stage_motion_rules.h) and stops the run at the first file and line at
// fault, then draws each file's labels whole for people:
// <preview>/motion/<name>_poses.png (motion_poses.h).
#include <string>

#include "tools/content/content_modules.h"
#include "tools/content/motion_content.h"
#include "tools/content/motion_pictures.h"
#include "tools/content/motion_poses.h"
#include "tools/content/stage_motion_rules.h"

namespace content {

void checkStageMotions(ContentContext& context) {
    constexpr const char* kRulesFile = "motion/stage_rules.txt";
    const auto read = [&](std::string_view file) { return context.readContent(file); };
    for (const StageMotionRules& rules : readStageMotionRules(context.readContent(kRulesFile), kRulesFile)) {
        const MotionFileSpec spec = readMotionContent("motion/" + rules.file + ".txt", read);
        checkStageMotion(rules, spec, kRulesFile);
        // These files draw machine pictures only: no sprite cells, no texts.
        SpritePictures noSprites({}, [](int32_t) -> std::vector<uint8_t> { return {}; });
        TextFaces noFaces;
        const PictureAtlas atlas = drawPictures(spec.pictures, noSprites, noFaces);
        context.writePreview("motion/" + rules.file + "_poses.png", encodePng(drawMotionPoses(spec, atlas, 360), 6));
    }
}

}  // namespace content
