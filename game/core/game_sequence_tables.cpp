#include "game/core/screen_effects.h"
#include "game/core/game_sequence_steps.h"
#include "game/frontend/config_menu.h"
#include "game/frontend/main_menu.h"
#include "game/frontend/scenes.h"
#include "game/frontend/score_attack_menu.h"
#include "game/frontend/training_menu.h"

namespace {

constexpr uint32_t kTitl = objTag("TITL");
constexpr uint32_t kMenu = objTag("MENU");

}  // namespace

const std::array<SeqScene, kSeqScenes> kSeqSceneTable = {{
    {130, TSKinitialize, kTitl, SeqPrep::none, 131, 110, nullptr},
    {110, TSKsplash, kTitl, SeqPrep::attractOn, 111, 120, nullptr},
    {120, TSKopening, kTitl, SeqPrep::none, 121, 200, nullptr},
    {200, TSKtitle, kTitl, SeqPrep::attractOnFade, 201, 202, nullptr},
    {250, TSKmodeSelect, objTag("MODE"), SeqPrep::attractOffFade, 251, 252, nullptr},
    {270, TSKdramaticSelect, objTag("DRAM"), SeqPrep::none, 271, 272, nullptr},
    {260, TSKassistSelect, objTag("ATSL"), SeqPrep::fade, 261, 262, nullptr},
    {275, TSKplayerSelect, objTag("PLSL"), SeqPrep::fade, 276, 277, nullptr},
    {400, TSKstageClear, objTag("STGC"), SeqPrep::none, 401, 0, seqStageClearGone},
    {450, TSKendingAct, objTag("ENDI"), SeqPrep::none, 451, 452, nullptr},
    {2100, TSKmainMenu, kMenu, SeqPrep::attractOff, 2102, 0, seqGoneToSelected},
    {2110, TSKscoreAttackMenu, kMenu, SeqPrep::none, 2112, 0, seqGoneToSelected},
    {2130, TSKranking, kMenu, SeqPrep::none, 2132, 0, seqGoneToSelected},
    {2140, TSKreplayMenu, kMenu, SeqPrep::none, 2142, 0, seqGoneToSelected},
    {2150, TSKtrainingMenu, kMenu, SeqPrep::none, 2152, 0, seqGoneToSelected},
    {2170, TSKconfigMenu, kMenu, SeqPrep::none, 2172, 0, seqGoneToSelected},
    {2180, TSKkeyConfigMenu, kMenu, SeqPrep::none, 2182, 0, seqGoneToSelected},
    {2190, TSKstaffRoll, kMenu, SeqPrep::none, 2192, 0, seqGoneToSelected},
    {3100, TSKtestMenu, kTitl, SeqPrep::none, 3101, 0, seqGoneToTestMenu},
    {3110, TSKbookkeeping, kTitl, SeqPrep::none, 3111, 0, seqGoneToTestMenu},
    {3130, TSKsoundSetting, kTitl, SeqPrep::none, 3131, 0, seqGoneToTestMenu},
    {3140, TSKbackupClear, kTitl, SeqPrep::none, 3141, 0, seqGoneToTestMenu},
    {3160, TSKarcadeKeyConfig, kTitl, SeqPrep::attractOff, 3161, 0, seqGoneToSelected},
    {3170, TSKgameSelect, kTitl, SeqPrep::none, 3171, 0, seqGoneToSelected},
    {3180, TSKarcadeScoreAttack, kTitl, SeqPrep::none, 3181, 2120, nullptr},
}};

const std::array<SeqPass, kSeqPasses> kSeqPassTable = {{
    {252, 270},
    {262, 275},
    {277, 301},
    {305, 302},
    {452, 500},
    {551, 552},
    {2101, 2102},
    {2111, 2112},
    {2121, 2122},
    {2124, 302},
    {2131, 2132},
    {2141, 2142},
    {2151, 2152},
    {2161, 2162},
    {2171, 2172},
    {2181, 2182},
    {2191, 2192},
}};

const std::array<int32_t, kSeqResultCodes> kSeqResultStates = {
    250, 2110, 2120, 2100, 2130, 2140, 600, 2150, 2160, 2170, 2180, 2190, 200, 2200, 2100, 2100, 3170, 3160, 3180};

const std::array<int32_t, kSeqTestChoices> kSeqTestMenuStates = {3100, 3110, 3130, 3140, 2200};

const std::array<SeqLeaderVoices, kSeqLeaders> kSeqLeaderVoiceTable = {{
    {362, 363, 351},
    {518, 519, 507},
    {673, 674, 662},
    {826, 827, 815},
    {907, 908, 896},
    {840, 841, 848},
}};

const std::array<int32_t, kSeqStartPoints> kSeqStartPointTable = {
    0, 0,    0,    0,      // the prologue
    0, 2099, 2099, 5709,   //
    0, 3319, 3319, 7170,   //
    0, 3940, 3940, 11900,  //
    0, 7400, 7400, 14680,  //
    0, 5000, 12540, 21096,
};
