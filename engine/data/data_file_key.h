#pragma once
// The engine's data-file key: the text the container key stream is derived
// from, and the key stream's length (0: containers are not enciphered). The
// game sets both before it makes its first read task; every read task copies
// them when it is built.
//
// Threads: written on the main thread before any read task exists; read on
// the main thread when a read task is built.

#include <cstdint>
#include <string>

extern std::string dataFileKey;
extern uint32_t dataFileKeyMode;
