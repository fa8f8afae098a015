#include "game/frontend/ranking_view.h"

const std::array<const char*, kRankingCategories> kRankingCategoryTitles = {
    "NOVICE MODE",          "CASUAL MODE",          "ORIGINAL MODE",        "EXPERT MODE",
    "SCORE ATTACK STAGE 1", "SCORE ATTACK STAGE 2", "SCORE ATTACK STAGE 3", "SCORE ATTACK STAGE 4",
    "SCORE ATTACK STAGE 5",
};

const std::array<const char*, kRankingTables> kRankingTableTitles = {
    "LEADER ALL", "LEADER TYPE A", "LEADER TYPE B", "LEADER TYPE C", "LEADER TYPE D",
};
