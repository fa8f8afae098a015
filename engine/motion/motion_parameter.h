#pragma once
// Motion parameters: named inputs a timeline declares, each mapping an
// outside value onto a frame position, and the scoped entries of a player's
// variable store. Also the two name helpers the store and the layer loader
// share.
//
// Threads: owned by one player; touched only by the thread updating its root.

#include <cstdint>
#include <string>
#include <vector>

class PSBValue;
struct MMotionLayerNode;

struct MMotionParameter {
    std::string id;
    bool discretization = false;
    float rangeBegin = 0.0f;
    float rangeEnd = 0.0f;
    float division = 0.0f;
    float value = 0.0f;  // the mapped position
    bool changed = false;

    // Reads one element of a timeline's "parameter" list (every key required).
    static MMotionParameter read(const PSBValue& element);
    // Maps v into value and clears changed.
    void map(float v);
};

// A value sent down through the layers a scope names ("outer/inner::name").
struct MMotionScopedVariable {
    std::vector<std::string> scope;  // layer labels, outermost first
    float value = 0.0f;
    float resolveMark = 1.0f;  // 1: resolve before use, 0: resolved
    std::vector<MMotionLayerNode*> layers;
};

// Splits at the last "::", else at the last "/"; false when there is neither.
bool splitScopedName(const std::string& full, std::string& scope, std::string& name);
// Strips leading and trailing space characters (spaces only).
std::string trimSpaces(const std::string& text);
// Pieces of the trimmed text at each separator; a piece keeps a space just
// before its separator, the rest is trimmed again; a trailing separator
// gives no empty piece.
std::vector<std::string> splitTrimmed(const std::string& text, const std::string& separator);
