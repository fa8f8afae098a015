#pragma once
// The engine's process entry. runProcessEntry takes the engine's long options
// out of the arguments (command_line.h), brings the engine's singletons up in
// a fixed order, calls the application main with the remaining arguments and
// tears the singletons down in a fixed order when it returns:
//
// Start-up: the application object (created and initialised, with its
// window, unless one exists already); the display adapter option; the
// looper, with the window shell as its frame host; the window's on-screen pad
// and mouse; the display with its device window (unless one exists), its safe
// rectangle and full screen when the settings ask for it; the input system
// (once per input lifetime); the seed generator (unless one exists).
//
// Shutdown: the looper's remaining application task; the file table (mounted
// archives, files kept open, search directories); the seed generator; the
// input system (the pad-poll thread is told to stop and joined, then the
// devices and the button maps go); the display; the application object; the
// looper.
//
// The worker pool and the background queues are never stopped: they end with
// the process.
//
// Threads: main thread, which is also the thread of the window and the loop.

using MAppMain = int (*)(int argc, char** argv);

// Answers appMain's result, the process's exit code.
int runProcessEntry(int argc, char** argv, MAppMain appMain);
