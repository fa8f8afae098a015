#pragma once
// The engine button mask and the tables that feed it: the two keyboard
// tables, the default DirectInput pad mapping, XInput buttons to engine bits,
// soft keypad keys to engine bits, and the keys of "dinput.ini".

#include <cstdint>
#include <span>

enum MInputButton : uint32_t {
    kInputA = 0x1,
    kInputB = 0x2,
    kInputBack = 0x4,
    kInputStart = 0x8,
    kInputRight = 0x10,
    kInputLeft = 0x20,
    kInputUp = 0x40,
    kInputDown = 0x80,
    kInputRB = 0x100,
    kInputLB = 0x200,
    kInputX = 0x400,
    kInputY = 0x800,
    kInputTouch = 0x1000,
    kInputLT = 0x10000,
    kInputRT = 0x20000,
    kInputLeftThumb = 0x40000,
    kInputRightThumb = 0x80000,
    kInputExit = 0x100000,
};

constexpr uint32_t kInputDirections = kInputRight | kInputLeft | kInputUp | kInputDown;

// One source (a DirectInput key code or pad button) and what it contributes.
struct MInputMapping {
    uint32_t source;
    uint32_t engineBits;
    uint32_t xinputBits;
};

// Table t feeds slot t.
std::span<const std::span<const MInputMapping>> keyboardTables();
// For pads with no mapping of their own.
std::span<const MInputMapping> defaultPadMapping();

struct MInputBitPair {
    uint32_t from;
    uint32_t to;
};

// XInput button bits to engine bits (LB and RB cross over).
std::span<const MInputBitPair> xinputToEngineTable();
// Soft keypad keys to engine bits.
std::span<const MInputBitPair> softKeyToEngineTable();

struct MInputConfigKey {
    const char* name;
    uint32_t engineBits;
    uint32_t xinputBits;
};

// The keys of a pad's "dinput.ini" section, in reading order.
std::span<const MInputConfigKey> inputConfigKeys();

// ORs into bits every "to" whose "from" is set in source.
uint32_t translateBits(uint32_t source, std::span<const MInputBitPair> table);
