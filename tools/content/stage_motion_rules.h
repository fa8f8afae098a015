#pragma once
// What the game asks of the motion files the stages load (the bosses, the
// mid-bosses, the stage-3 hulk and the boss-intro visuals), written in
// content/motion/stage_rules.txt, and the check of each file's content
// against it: exactly the objects and labels the game plays, each label's
// length within what the game's timing needs and looping or not, the gun
// and smoke locators in every label, inside the body, the downward guns on
// its lower half, points the game reads while a label is paused standing
// still, and the layer counts the game relies on.
//
// Rule lines (after a "file" line, the lines below it are that file's):
//   file NAME OBJECT...                the objects of motion/NAME.txt
//   label OBJECT LABEL MIN MAX once|loop   a label of MIN..MAX frames
//   locators PREFIX FIRST LAST          PREFIX00.. in every label, as
//                                       "%02d" numbers FIRST..LAST
//   locator NAME                        one more locator in every label
//   area HALFW HALFH                    every locator within +-HALFW, +-HALFH
//                                       of the motion's place
//   below NAME...                       locators on the lower half (y >= 0)
//   steady NAME                         the locator keeps one place in each label
//   pictures OBJECT LABEL COUNT         the label draws COUNT picture layers
//
// Threads: plain functions.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/content/content_context.h"
#include "tools/content/motion_content.h"

namespace content {

struct MotionLabelRule {
    std::string object, label;
    int32_t min = 0, max = 0;
    bool loops = false;
    int line = 0;
};

struct MotionPictureRule {
    std::string object, label;
    int32_t count = 0;
    int line = 0;
};

struct StageMotionRules {
    std::string file;  // the motion file's base name
    int line = 0;      // its "file" line
    std::vector<std::string> objects;
    std::vector<MotionLabelRule> labels;
    std::vector<std::string> locators;  // in every label of every object
    float halfWidth = 0, halfHeight = 0;  // 0: no area rule
    std::vector<std::string> below;
    std::vector<std::string> steady;
    std::vector<MotionPictureRule> pictures;
};

// Reads the rules text; throws ContentError naming `file` and the line.
std::vector<StageMotionRules> readStageMotionRules(std::string_view text, std::string_view file);

// Checks one file's content against its rules; throws ContentError naming
// the motion file's line at fault (or the rule's line for what is missing).
void checkStageMotion(const StageMotionRules& rules, const MotionFileSpec& spec, std::string_view rulesFile);

}  // namespace content
