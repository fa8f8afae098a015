#include "engine/data/seed_generator.h"

#include <cstdint>

#include "platform/clock/clock.h"

namespace {

MSeedGenerator* instance = nullptr;

}  // namespace

MSeedGenerator::MSeedGenerator()
    : MLooperVSyncHook(true), pool_(uint16_t(platform::currentClock().milliseconds())) {
    instance = this;
    publishSeedPool(&pool_);
}

MSeedGenerator::~MSeedGenerator() {
    if (instance == this) instance = nullptr;
    publishSeedPool(nullptr);
}

void MSeedGenerator::onVSync() {
    const auto address = reinterpret_cast<uintptr_t>(this);
    pool_.mix(uint16_t(platform::currentClock().milliseconds() ^ address));
}

MSeedGenerator* getSeedGenerator() { return instance; }
