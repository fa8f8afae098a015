#pragma once
// The session values the server hands back in user/load and user/save
// replies, kept per request slot and sent back by later saves and
// heartbeats in the same slot.

#include <string>
#include <string_view>

namespace am::abaas {

struct SequenceRecord {
    std::string token;
    std::string seqId;
};

// The text after the first occurrence of marker up to the next double quote
// (or the end of the text); empty when the marker is absent.
std::string readSequenceValue(std::string_view text, std::string_view marker);

// Both values of a plain reply text; a value the reply lacks comes back empty.
SequenceRecord readSequenceRecord(std::string_view replyText);

}  // namespace am::abaas
