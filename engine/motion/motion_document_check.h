#pragma once
// The identity checks of a motion file: a document whose "id" is "motion"
// must have been exported for this engine's spec (or "common") and at the
// file version this engine reads. A failed check gives a message and nothing
// else: the document loads all the same.
//
// Threads: any; reads the document only.

#include <string>

class PSBValue;

inline constexpr float kMotionFileVersion = 3.03f;

// The message the checks compose for the document's root, or an empty text
// when they pass (or when the document is not a motion file). A missing
// "spec", or a missing "label" once a check fails, is the reader's fatal
// error.
std::string checkMotionDocument(const PSBValue& root, const std::string& engineSpec);
