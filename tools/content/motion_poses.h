#pragma once
// A preview of a motion file as the game shows it: every label of every
// object drawn whole, at its first frame (top row) and its last (bottom
// row), over a dark backdrop with the locators marked, so a person sees the
// machine and where its guns fire from. Keys are followed linearly (the
// easings are left out) and the layers drawn in order, additive ones added.
//
// Threads: plain functions.

#include "tools/content/motion_content.h"
#include "tools/content/motion_pictures.h"
#include "tools/content/png_image.h"

namespace content {

// One panel of `panel` x `panel` pixels a label, the motion's place in its
// middle.
Image drawMotionPoses(const MotionFileSpec& spec, const PictureAtlas& atlas, int32_t panel);

}  // namespace content
