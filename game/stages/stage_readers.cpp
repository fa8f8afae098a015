// The stage image readers: a stage's background images read whole into the
// image slots before the stage loads, which decodes them.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "game/core/stage_load.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"
#include "game/records/paths.h"
#include "game/stages/stage_field.h"

namespace {

int32_t stageReadNone(int32_t) { return 0; }

void stageReadImage(int32_t stage, int32_t k) {
    char name[64];
    std::snprintf(name, sizeof name, "resource/graphic/bgst%d_%d.png", int(stage), int(k));
    const std::string path = makeResourcePath(name);
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(path.c_str(), &size);
    StageImageSlot& slot = stageImageSlots[size_t(k)];
    slot = StageImageSlot{};
    slot.slot = k;
    if (bytes == nullptr) return;
    // The file reader's buffer is malloc'd; the slot owns a new[] one.
    slot.image = std::make_unique<uint8_t[]>(size_t(size));
    std::memcpy(slot.image.get(), bytes, size_t(size));
    std::free(bytes);
    slot.size = int32_t(size);
}

int32_t stageReadImages(int32_t stage) {
    if (stageImagesLoaded[size_t(stage)] != 0) return 0;
    const int32_t count = stage == 5 ? 2 : 1;
    for (int32_t k = 0; k < count; ++k) stageReadImage(stage, k);
    return 0;
}

}  // namespace

int32_t TSKst01InitReadThread(int32_t) { return stageReadImages(1); }

int32_t TSKst02InitReadThread(int32_t) {
    SDL2_wheel_Log("%s : stage_load[STG_02]=%d", "TSKst02InitReadThread", int(stageImagesLoaded[2]));
    return stageReadImages(2);
}

int32_t TSKst03InitReadThread(int32_t) { return stageReadImages(3); }
int32_t TSKst04InitReadThread(int32_t) { return stageReadImages(4); }
int32_t TSKst05InitReadThread(int32_t) { return stageReadImages(5); }

int32_t (*const stageInitReadThreadTable[kStageReaders])(int32_t) = {
    stageReadNone, TSKst01InitReadThread, TSKst02InitReadThread, TSKst03InitReadThread, TSKst04InitReadThread,
    TSKst05InitReadThread};
