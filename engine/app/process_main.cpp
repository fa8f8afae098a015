// The program's entry: everything is the engine's process entry and the
// game's AppMain. Kept alone in the vantor_main library, so only programs
// that link that library get this main.
#include "engine/app/app_main.h"
#include "engine/app/process_entry.h"
#include "platform/heap/heap.h"

int main(int argc, char** argv) {
    platform::tuneHeapForRendering();
    return runProcessEntry(argc, argv, AppMain);
}
