#pragma once
// The JSON members the client adds to every request body: "client" (who is
// asking, and when) and "control" (the request's session values), and their
// splicing into the caller's body. Every text is written as a JSON string
// with its escapes: a session value decoded from a reply may hold a quote.

#include <cstdint>
#include <string>
#include <string_view>

#include "gsclient/abaas/sequence_record.h"
#include "platform/clock/clock.h"

namespace am::abaas {

struct ClientIdentity {
    std::string serial;       // the keychip id
    std::string gameId;
    std::string gameVersion;  // "%d.%02d"
    std::uint16_t locationId = 0;
};

// "1.05" for 1 and 5; a two-digit major gives the longer "12.05".
std::string gameVersionText(std::uint8_t major, std::uint8_t minor);

// "client":{"serial":..,"game_id":..,"game_ver":..,"location_id":N,"create_time":..}
std::string clientMember(const ClientIdentity& identity, const platform::LocalTime& now);

// "control":{"start_game":1} or 0.
std::string userLoadControl(bool startGame);
// "control":{"seq_id":"S","end_game":1} with a seq_id, else "control":{"token":"T"}.
std::string userSaveControl(const SequenceRecord& sequence);
// "control":{"seq_id":"S"} with a seq_id, else "control":{}.
std::string userHeartbeatControl(const SequenceRecord& sequence);

// Inserts the client member and then the control member (when not empty)
// before the closing brace of body; an empty body stands for "{}". False,
// with body untouched, when body does not end with a closing brace.
bool spliceMembers(std::string& body, std::string_view client, std::string_view control);

}  // namespace am::abaas
