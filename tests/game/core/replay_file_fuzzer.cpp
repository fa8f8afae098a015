// Any bytes as a stage replay file: the reader either refuses them or gives
// a header whose capacity is the words it read, whose images restore into a
// record and store back as valid images, and whose input plays back to its
// end giving only the bits a recording can hold.
#include <cstdlib>
#include <utility>
#include <vector>

#include "game/core/obj_work.h"
#include "game/core/replay_files.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    ReplayHeader header;
    std::vector<uint32_t> words;
    const char* why = nullptr;
    if (!replayDecodeFile(data, size, header, words, &why)) {
        if (why == nullptr) std::abort();
        return 0;
    }
    if (header.capacity != words.size()) std::abort();
    for (const ReplayWorkImage& image : header.works) {
        ObjWork work;
        OBJworkInit(&work);
        replayWorkRestore(image, work);
        ReplayWorkImage again;
        replayWorkStore(work, again);
        if (!replayWorkImageValid(again)) std::abort();
    }
    std::vector<uint8_t> encoded(kReplayHeaderBytes);
    replayHeaderEncode(header, encoded.data());
    ReplayHeader decoded;
    if (!replayHeaderDecode(encoded.data(), decoded) || decoded.capacity != header.capacity) std::abort();

    replayInputAdopt(std::move(words));
    replayInputIndex = 0;
    replayIoMode = 2;
    ReplayFrameInput input{};
    size_t frames = 0;
    while (replayPlayFrame(input)) {
        if ((input.directions & ~0x0Fu) != 0 || (input.buttons & ~0xF0u) != 0 || (input.pressed & ~0xF0u) != 0) {
            std::abort();
        }
        if (++frames > header.capacity / kReplayWordsPerFrame) std::abort();
    }
    if (replayIoMode != 0) std::abort();
    replayInputFree();
    return 0;
}
