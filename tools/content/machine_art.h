#pragma once
// The machine pictures of the boss motions: armour plates with seams and
// rivets, tapered wing plates, and gun mounts whose barrel points down with
// the muzzle on the picture's lower edge (so a locator placed there sits on
// the gun's mouth). Drawn lit from the top left, in the picture's colour.
//
// Threads: plain functions.

#include "tools/content/motion_content.h"
#include "tools/content/png_image.h"

namespace content {

Image drawHull(const MotionPicture& picture);
Image drawWing(const MotionPicture& picture);
Image drawGun(const MotionPicture& picture);

}  // namespace content
