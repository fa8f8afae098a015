#pragma once
// AppMain: the game's application main, which the program's main hands the
// arguments left after the engine's own options (process_entry.h). The game
// defines it; a test program defines its own.

int AppMain(int argc, char** argv);
