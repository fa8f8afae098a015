#include "game/frontend/menu_frame.h"

const std::array<MenuFrameLabels, kMenuFrameScreens> kMenuFrameLabels = {{
    {"mainmenu", {"start_a", "start_b"}, "loop", {"end_a", "end_b"}},
    {"othermenu", {"start", "start"}, "loop", {"end", "end"}},
    {"modeselect", {"start", "start"}, "loop", {"end", "end"}},
    {"fighterselect", {"start", "start"}, "loop", {"end", "end"}},
}};
