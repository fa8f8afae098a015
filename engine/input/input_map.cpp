#include "engine/input/input_map.h"

namespace {

constexpr MInputMapping kKeyboardPlayer1[] = {
    {0xC8, kInputUp, 0x0001},         {0xD0, kInputDown, 0x0002},
    {0xCB, kInputLeft, 0x0004},       {0xCD, kInputRight, 0x0008},
    {0x2C, kInputA, 0x1000},          {0x2D, kInputB, 0x2000},
    {0x1E, kInputX, 0x4000},          {0x1F, kInputY, 0x8000},
    {0x2E, kInputLB, 0x0100},         {0x20, kInputRB, 0x0200},
    {0x10, kInputLT, 0},              {0x11, kInputRT, 0},
    {0x12, kInputLeftThumb, 0x0040},  {0x13, kInputRightThumb, 0x0080},
    {0x0F, kInputStart, 0x0010},      {0x06, kInputBack, 0x0020},
    {0x01, kInputExit, 0},
};

constexpr MInputMapping kKeyboardPlayer2[] = {
    {0x48, kInputUp, 0x0001},         {0x50, kInputDown, 0x0002},
    {0x4B, kInputLeft, 0x0004},       {0x4D, kInputRight, 0x0008},
    {0x33, kInputA, 0x1000},          {0x34, kInputB, 0x2000},
    {0x25, kInputX, 0x4000},          {0x26, kInputY, 0x8000},
    {0x35, kInputLB, 0x0100},         {0x27, kInputRB, 0x0200},
    {0x17, kInputLT, 0},              {0x18, kInputRT, 0},
    {0x19, kInputLeftThumb, 0x0040},  {0x91, kInputRightThumb, 0x0080},
    {0x0E, kInputStart, 0x0010},      {0x0B, kInputBack, 0x0020},
};

constexpr std::span<const MInputMapping> kKeyboardTables[] = {kKeyboardPlayer1, kKeyboardPlayer2};

constexpr MInputMapping kDefaultPad[] = {
    {0, kInputA, 0x1000},          {1, kInputB, 0x2000},
    {2, kInputX, 0x4000},          {3, kInputY, 0x8000},
    {4, kInputLB, 0x0100},         {5, kInputRB, 0x0200},
    {8, kInputLT, 0},              {9, kInputRT, 0},
    {10, kInputLeftThumb, 0x0040}, {11, kInputRightThumb, 0x0080},
    {6, kInputStart, 0x0010},      {7, kInputBack, 0x0020},
};

constexpr MInputBitPair kXInputToEngine[] = {
    {0x1000, kInputA},     {0x2000, kInputB},          {0x0020, kInputBack},
    {0x0010, kInputStart}, {0x0008, kInputRight},      {0x0004, kInputLeft},
    {0x0001, kInputUp},    {0x0002, kInputDown},       {0x0200, kInputRB},
    {0x0100, kInputLB},    {0x4000, kInputX},          {0x8000, kInputY},
    {0x0040, kInputLeftThumb}, {0x0080, kInputRightThumb},
};

constexpr MInputBitPair kSoftKeyToEngine[] = {
    {0x1, kInputA},      {0x2, kInputB},     {0x4, kInputX},     {0x8, kInputY},
    {0x10, kInputLB},    {0x20, kInputRB},   {0x40, kInputStart}, {0x80, kInputBack},
    {0x100, kInputUp},   {0x200, kInputDown}, {0x400, kInputLeft}, {0x800, kInputRight},
};

constexpr MInputConfigKey kConfigKeys[] = {
    {"KeyA", kInputA, 0x1000},       {"KeyB", kInputB, 0x2000},
    {"KeyX", kInputX, 0x4000},       {"KeyY", kInputY, 0x8000},
    {"KeyLB", kInputLB, 0x0100},     {"KeyRB", kInputRB, 0x0200},
    {"KeyLT", kInputLT, 0},          {"KeyRT", kInputRT, 0},
    {"KeyBack", kInputBack, 0x0020}, {"KeyStart", kInputStart, 0x0010},
};

}  // namespace

std::span<const std::span<const MInputMapping>> keyboardTables() { return kKeyboardTables; }

std::span<const MInputMapping> defaultPadMapping() { return kDefaultPad; }

std::span<const MInputBitPair> xinputToEngineTable() { return kXInputToEngine; }

std::span<const MInputBitPair> softKeyToEngineTable() { return kSoftKeyToEngine; }

std::span<const MInputConfigKey> inputConfigKeys() { return kConfigKeys; }

uint32_t translateBits(uint32_t source, std::span<const MInputBitPair> table) {
    uint32_t bits = 0;
    for (const MInputBitPair& pair : table) {
        if (source & pair.from) bits |= pair.to;
    }
    return bits;
}
