// What the replay files ask of the fighter.
#include "game/bosses/boss_flags.h"
#include "game/core/replay_files.h"
#include "game/objects/fighter.h"
#include "game/objects/fighter_counters.h"
#include "game/stages/enemies/enemy_words.h"
#include "game/stages/stage_services.h"

namespace {

ReplayPlayFacts fighterReplayFacts() {
    ReplayPlayFacts facts;
    facts.score = fighterGetScore();
    facts.stageProgress = stageProgress;
    facts.trueRoute = trueRouteFlag != 0;
    facts.fighterType = fighterGetType();
    facts.creditCounter = fighterGetCreditCount();
    return facts;
}

}  // namespace

void fighterInstallReplayHooks() {
    replayPlayFactsHook = fighterReplayFacts;
    replaySetFighterTypeHook = fighterSetType;
}
