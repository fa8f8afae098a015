// Which motions each route and leader type plays, and the roll's pictures.
#include <algorithm>

#include "game/frontend/ending/ending.h"

namespace {

constexpr const char* kEndingTrueSceneLabels[4] = {"true_a", "true_b", "true_c", "true_d"};
constexpr const char* kEndingLastLabels[2][4] = {
    {"type_a", "type_b", "type_c", "type_d"},
    {"type_a_true", "type_b_true", "type_c_true", "type_d_true"},
};

}  // namespace

const std::array<int32_t, kCreditRollPages> endingPagePictures = {-1, 0, 0, 0, 1, 1, 1, 2, 2, 2, 3, 3, 3, 3, 4, 4};

EndingPlan endingPlan(int32_t route, int32_t leaderType) {
    const int32_t type = std::clamp(leaderType, 0, 3);
    const int32_t way = route != 0 ? 1 : 0;
    const EndingMotion last{"ending_last", kEndingLastLabels[way][type]};
    if (way == 0) return EndingPlan{{{{"ending_first", "normal"}}}, 1, last};
    return EndingPlan{{{{"enf_scene1", "anime_1"}, {"enf_scene2", "anime_1"}, {"enf_scene3", kEndingTrueSceneLabels[type]}}},
                      3,
                      last};
}
