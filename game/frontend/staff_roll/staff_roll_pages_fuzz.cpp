// The fuzz build makes no content: empty pages and small boxes.
#include "game/frontend/staff_roll/staff_roll_pages.h"

const StaffRollPage kStaffRollPageTable[kStaffRollPageCount] = {};
const HitBox kStaffRollLetterBox = {0.0f, 0.0f, 6.0f, 6.0f};
const HitBox kStaffRollCharacterBox = {0.0f, 0.0f, 8.0f, 8.0f};
const HitBox kStaffRollPartnerBox = {0.0f, 0.0f, 8.0f, 12.0f};
