#pragma once
// What the config-files fuzzer and its seeds agree on: the selector byte of
// each kind of file, the pad whose "dinput.ini" section is read, the volume
// texts and the sounds the sound layer loads from them.

#include <cstdint>

#include "platform/input/input_backend.h"

namespace configfuzz {

enum Kind : uint8_t { kPadMap, kCabinetSettings, kCabinetScript, kVolumeText, kReplayInfo, kKinds };

inline platform::ProductGuid padProduct() { return platform::ProductGuid::fromUsb(0x0F0D, 0x00C1); }

// Under "resource/<sound folder>/".
inline constexpr const char* kVolumeTexts[] = {"master_volume.txt", "chunk/se_volume.txt", "voice/voice_volume.txt",
                                               "music/bgm_volume.txt"};

inline constexpr const char* kEffectName = "shot";
inline constexpr int kEffectId = 3;
inline constexpr const char* kVoiceName = "v_start";
inline constexpr int kVoiceId = 100;
inline constexpr const char* kMusicName = "stage1";
inline constexpr int kMusicNumber = 1;

}  // namespace configfuzz
