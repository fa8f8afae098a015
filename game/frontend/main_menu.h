#pragma once
// The main menu (tag MENU): the hub of home play. Nine items, each leaving a
// result code for the sequence with its side effects and its slide flags;
// the play time of the save block below. Also the CONFIG screen's sample
// voice, whose rotation runs for the whole run.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

struct ObjTask;
struct ObjWork;

inline constexpr int kMainMenuItems = 9;
inline constexpr int kMainMenuCounters = 20;

// Set at every choice to the chosen row's slide flag, kept until the next:
// the next visit slides in only when the last one slid out.
extern int32_t mainMenuSlideIn;
extern int32_t mainMenuSlideOut;
extern int32_t mainMenuInputLock;
extern int32_t mainMenuCloseCounter;
extern std::array<int32_t, kMainMenuCounters> mainMenuRowCounters;
// The sample voices played so far; never reset.
extern int32_t configVoiceSampleCounter;

struct MainMenuItem {
    const char* label;
    int32_t code;
    void (*choose)();  // the side effects, null for none
    int32_t slide;
};
extern const std::array<MainMenuItem, kMainMenuItems> kMainMenuItemTable;

void TSKmainMenu(ObjTask* task);
void TSKmainMenuUpdate(ObjTask* task);
void TSKmainMenuDraw(ObjTask* task, ObjWork* work);
// The play-time line: "PLAYTIME %3dh%2dm%2ds".
void mainMenuPlayTimeText(char (&text)[40]);

// Stops channels 20 to 25 and starts the next of the four leaders' voices.
void configPlayVoiceSample();
