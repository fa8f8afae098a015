#pragma once
// Reading the two kinds of sound document (layout in this folder's README):
// the header checks, which compose a warning when a document was made for
// another spec or version (loading goes on all the same), and the voice
// records of an archive. A missing required key is fatal, as everywhere the
// PSB reader is used.
//
// Threads: any thread, on a document nobody changes meanwhile.

#include <map>
#include <string>

#include "engine/data/psb_value.h"
#include "engine/sound/sound_voice_record.h"

inline constexpr float kSoundDocumentVersion = 1.02f;

// For a root whose "id" is "sound": the warning about its "spec" (against
// M_SPEC) or else its "version"; empty when both match or it is no sound
// document.
std::string checkSoundFileHeader(const PSBValue& root);
// The same for a root whose "id" is "sound_archive"; `label` names it when
// the root has no "label".
std::string checkSoundArchiveHeader(const PSBValue& root, const std::string& label);

// The archive's "voice" records by name. The byte spans point into the
// document, which must outlive them.
std::map<std::string, MSoundVoiceRecord> readVoiceRecords(const PSBValue& root);
