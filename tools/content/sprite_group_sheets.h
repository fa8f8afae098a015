#pragma once
// A contact sheet per sprite group for people: the group's sprites in a
// grid, each laid over the ground it is seen on. The play screen's groups
// (the fighter, enemy and ground sheets) lie over patches of the stages'
// tiles, a column a stage in turn so every stage's ground is seen; the
// interface's over the dark of the screens. Written to
// `<preview>/sprites/groups/<group>.png`; a group of many sprites shows its
// first 192.
//
// Threads: plain functions.

#include <cstdint>
#include <map>

#include "tools/content/content_context.h"
#include "tools/content/png_image.h"
#include "tools/content/sprite_layout.h"

namespace content {

void writeGroupSheets(ContentContext& context, const SpriteContent& content, const SpriteLayout& layout,
                      const std::map<int32_t, Image>& sheets);

}  // namespace content
