#include "game/stages/enemies/eshot_library_provisional.h"

std::vector<EshotCall>& eshotCalls() {
    static std::vector<EshotCall> calls;
    return calls;
}

ObjWork* TSKeshotCreate(int32_t type, int32_t heading, int32_t speed, int32_t param1, int32_t param2, ObjWork*,
                        float x, float y) {
    eshotCalls().push_back({type, heading, speed, param1, param2, x, y});
    return nullptr;
}

void TSKeshotFlash(int32_t, float, float) {}

int32_t eshotLiveCount() { return 0; }

void bossGaugeRegister(int32_t, int32_t, const int32_t*, int32_t, int32_t) {}

void bossGaugeVoice(int32_t, int32_t, int32_t) {}

void enemyStepAimSlots(ObjWork*) {}
