#pragma once
// The title's draw: its motion, the notice line, the version and, while the
// card login runs (loginState not 0), the login screen of the current state
// drawn from the card profile. Sprites on layer 1000, font texts on 1001,
// both placed in the 1920 x 1080 output. The draw changes no state.
//
// Threads: main thread only.

#include <array>
#include <cstddef>
#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int32_t kLoginSpriteLayer = 1000;
// Every login and title font text uses this font (24 px).
inline constexpr int32_t kLoginFont = 1;
inline constexpr const char* kTitleVersion = "VER. 1.02";

void titleVersionDraw(ObjTask* task, ObjWork* work);
void aimeLoginDraw(ObjWork* work);
// The 8-character label of a stored stage into text (at least 9 bytes);
// a stage without a label leaves text as it was.
void recordStageLabel(char* text, size_t size, uint32_t stage);

// Font texts are placed by their left edge; this is the width a text takes.
float loginTextWidth(const char* text);

// The stored stages' labels, 8 characters each.
inline constexpr std::array<const char*, 8> kRecordStageLabels = {
    "--------", "1       ", "2       ", "3       ", "4       ", "5       ", "ALL     ", "TRUE ALL",
};
