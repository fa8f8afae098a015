#pragma once
// The JSON the game exchanges with the game server for a user outside of
// play: the user/load request asking for all savedata, the body that only
// names the user (heartbeat, the save on leaving), the parse of the user/load
// reply and its control status. Bodies are compact picojson (members in
// ascending key order); the client adds its own members inside them.
//
// Replies come from the network: every member may be missing, of another
// type or out of range. Such a member takes its default and the parse says
// the reply was malformed, which the card login treats as a failed request.
//
// Threads: main thread only (the card login, the keep-alive, the shutdown).

#include <cstdint>
#include <string>

#include "game/records/user_data.h"

// "プレイヤー": the name of a user whose reply names nobody.
inline constexpr char16_t kDefaultPlayerName[] = u"\u30D7\u30EC\u30A4\u30E4\u30FC";

// {"user":{"savedata":{"keys":[<94 keys>]},"user_id":N}}
void userLoadRequestToJson(std::string& body, uint32_t userId);
// {"user":{"user_id":N}}
void userIdToJson(std::string& body, uint32_t userId);

// Fills a record the caller has zeroed. Missing savedata keys are no fault:
// the ten missing-aware settings read kSaveDataMissing, the rest stay 0.
// False when the reply is not the expected document (not JSON, a member
// missing or mistyped, a savedata value that is no decimal text or exceeds
// 64 bits); what could be read is filled all the same.
bool parseUserResponse(const std::string& reply, UserDataRecord& record);

// True only when the reply's "control" holds "online": 1 (the server still
// counts this user as playing elsewhere).
bool parseControlStatus(const std::string& reply);

// A savedata text the way the server writes numbers: leading blanks and a
// sign allowed, a minus negating modulo 2^64, digits up to the first other
// character. False when there is no digit or the value exceeds 64 bits.
bool parseSaveDataNumber(const std::string& text, uint64_t& value);
