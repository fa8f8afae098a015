// Stage replay files: the save at a stage's end and the load before playback.
#include "game/core/replay_files.h"

#include <cstdio>
#include <cstdlib>
#include <new>
#include <utility>

#include "game/core/app_switches.h"
#include "game/core/play_state.h"
#include "game/core/wheel_file.h"
#include "game/core/wheel_log.h"

namespace {

void putWord(uint32_t value, uint8_t* out) {
    for (int i = 0; i < 4; ++i) out[i] = uint8_t(value >> (8 * i));
}

uint32_t getWord(const uint8_t* in) {
    return uint32_t(in[0]) | uint32_t(in[1]) << 8 | uint32_t(in[2]) << 16 | uint32_t(in[3]) << 24;
}

// The input array behind the header, as the file holds it.
std::vector<uint8_t> encodeStageFile() {
    const std::vector<uint32_t>& words = replayInputWords();
    std::vector<uint8_t> bytes(kReplayHeaderBytes + 4 * words.size());
    replayHeaderEncode(replayHeader, bytes.data());
    uint8_t* out = bytes.data() + kReplayHeaderBytes;
    for (uint32_t word : words) {
        putWord(word, out);
        out += 4;
    }
    return bytes;
}

void loadFail(const std::string& path, const char* why) {
    std::printf("replay load fail : %s (%s).\n", why, path.c_str());
    SDL2_wheel_Log("replay load fail : %s (%s).", why, path.c_str());
}

}  // namespace

void replaySave(const std::string& path) {
    if (arcadeMode || gamePhase != 3 || !playIsRecorded || path.empty() || replayInputWords().empty()) return;
    if (!replayInputEndMarker()) return;
    std::vector<uint8_t> bytes;
    try {
        bytes = encodeStageFile();
    } catch (const std::bad_alloc&) {
        SDL2_wheel_Log("replay save fail : memory not enough.");
        std::printf("replay save fail : memory not enough.\n");
        return;
    }
    SDL2_wheel_FileWrite(path.c_str(), bytes.data(), 1, bytes.size());
}

bool replayDecodeFile(const uint8_t* bytes, size_t size, ReplayHeader& header, std::vector<uint32_t>& words,
                      const char** why) {
    ReplayHeader read;
    if (size < kReplayHeaderBytes) {
        *why = "shorter than its header";
        return false;
    }
    if (!replayHeaderDecode(bytes, read)) {
        *why = "a header value is out of range";
        return false;
    }
    if (read.capacity > kReplayMaxCapacity) {
        *why = "more input than a recording holds";
        return false;
    }
    if (size != kReplayHeaderBytes + 4 * uint64_t(read.capacity)) {
        *why = size < kReplayHeaderBytes + 4 * uint64_t(read.capacity) ? "shorter than its header says"
                                                                       : "longer than its header says";
        return false;
    }
    words.resize(read.capacity);
    for (uint32_t i = 0; i < read.capacity; ++i) words[i] = getWord(bytes + kReplayHeaderBytes + 4 * size_t(i));
    header = read;
    return true;
}

bool replayLoad(const std::string& path) {
    std::FILE* probe = std::fopen(path.c_str(), "rb");
    if (!probe) {
        std::printf("replay load fail : file not found (%s).\n", path.c_str());
        SDL2_wheel_Log("replay load fail : file not found (%s).", path.c_str());
        replayInputFree();
        return false;
    }
    std::fclose(probe);
    replayInputFree();
    long size = 0;
    uint8_t* bytes = SDL2_wheel_FileReadAlloc(path.c_str(), &size);
    if (!bytes) {
        loadFail(path, "can't be read");
        return false;
    }
    std::vector<uint32_t> words;
    const char* why = "";
    bool loaded = false;
    try {
        loaded = replayDecodeFile(bytes, size_t(size), replayHeader, words, &why);
    } catch (const std::bad_alloc&) {
        why = "memory not enough";
    }
    std::free(bytes);
    if (!loaded) {
        loadFail(path, why);
        return false;
    }
    replayInputAdopt(std::move(words));
    return true;
}
