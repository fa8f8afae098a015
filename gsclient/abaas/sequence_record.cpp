#include "gsclient/abaas/sequence_record.h"

namespace am::abaas {

namespace {

constexpr std::string_view kSeqIdMarker = "\"seq_id\":\"";
constexpr std::string_view kTokenMarker = "\"token\":\"";

}  // namespace

std::string readSequenceValue(std::string_view text, std::string_view marker) {
    const std::size_t at = text.find(marker);
    if (at == std::string_view::npos) return {};
    const std::string_view rest = text.substr(at + marker.size());
    return std::string(rest.substr(0, rest.find('"')));
}

SequenceRecord readSequenceRecord(std::string_view replyText) {
    return {readSequenceValue(replyText, kTokenMarker), readSequenceValue(replyText, kSeqIdMarker)};
}

}  // namespace am::abaas
