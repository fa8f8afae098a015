#pragma once
// The readers of key=value texts. A line is a key somewhere in it, "=" and a
// decimal value; lines holding ";" are comments. Only lines ended by a line
// feed count. Two tables: the config line table, loaded, edited and written
// back by the settings file ("config.txt"); and the parameter cache, which
// holds the last file that SDL2_wheel_ConfigFileGetInt read (the sound
// volume and voice-cue texts), so lookups in a row read it once.
//
// A lookup takes the first counted line without ";" that holds the key
// anywhere, then the text after its first "=": an optional "-" and the
// digits up to the first other character (a run too long for the value
// saturates). A missing key or "=" gives the default; "-" without digits
// gives 0; both log "<key> config read error". Any other first character
// gives the default silently.
//
// Lines longer than 255 bytes are cut, and the tables stop at their size;
// both are logged.
//
// Threads: main thread only; both tables are single global instances.

#include <cstdint>
#include <string>

inline constexpr int kConfigTableLines = 4096;
inline constexpr int kParameterCacheLines = 2048;
inline constexpr int kConfigLineBytes = 256;  // a line and its line feed take at most 255

// Empties the config table and reads the file into it; when the file can't
// be read the table keeps what it held.
void SDL2_wheel_ConfigLoad(const char* path);
int32_t SDL2_wheel_ConfigGetInt(const char* key, int32_t defaultValue);
// Rewrites the key's line as "key=value\n" and gives true, or appends that
// line and gives false (also when the table is full: nothing is added then).
bool SDL2_wheel_ConfigSetInt(const char* key, int32_t value);
// The counted lines of the config table, each with its line feed.
std::string SDL2_wheel_ConfigJoinLines();
int SDL2_wheel_ConfigLineCount();

int64_t SDL2_wheel_ConfigFileGetInt(const char* path, const char* key, int64_t defaultValue);
