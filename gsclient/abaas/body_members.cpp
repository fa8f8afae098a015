#include "gsclient/abaas/body_members.h"

#include <picojson.h>

#include <cstdio>

namespace am::abaas {

namespace {

constexpr std::string_view kClientOpen = "\"client\":{";
constexpr std::string_view kControlOpen = "\"control\":{";
constexpr std::string_view kSeqIdOpen = "\"seq_id\":";
constexpr std::string_view kTokenOpen = "\"token\":";
constexpr std::string_view kStartGame1 = "\"start_game\":1";
constexpr std::string_view kStartGame0 = "\"start_game\":0";
constexpr std::string_view kEndGame1 = ",\"end_game\":1";
constexpr std::string_view kEmptyBody = "{}";

std::string controlMember(std::string_view members) {
    std::string text(kControlOpen);
    text += members;
    text += '}';
    return text;
}

std::string jsonString(const std::string& value) { return picojson::value(value).serialize(); }

std::string quotedValue(std::string_view open, const std::string& value) {
    return std::string(open) + jsonString(value);
}

constexpr const char* kBlanks = " \t\r\n";

// An object text at least as far as its braces go: "{" first, "}" last.
bool isObjectText(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    return first != std::string_view::npos && text[first] == '{' && text.size() - first >= 2 &&
           text.back() == '}';
}

// True when nothing but blanks stands between the braces, so the first
// spliced member needs no comma.
bool hasNoMembers(std::string_view object) {
    return object.find_last_not_of(kBlanks, object.size() - 2) == object.find('{');
}

}  // namespace

std::string gameVersionText(std::uint8_t major, std::uint8_t minor) {
    char text[8];
    std::snprintf(text, sizeof text, "%d.%02d", major, minor);
    return text;
}

std::string clientMember(const ClientIdentity& identity, const platform::LocalTime& now) {
    char createTime[32];
    std::snprintf(createTime, sizeof createTime, "%04d%02d%02d%02d%02d%02d", now.year, now.month,
                  now.day, now.hour, now.minute, now.second);
    std::string text(kClientOpen);
    text += "\"serial\":" + jsonString(identity.serial);
    text += ",\"game_id\":" + jsonString(identity.gameId);
    text += ",\"game_ver\":" + jsonString(identity.gameVersion);
    text += ",\"location_id\":" + std::to_string(identity.locationId);
    text += ",\"create_time\":\"" + std::string(createTime) + "\"";
    text += '}';
    return text;
}

std::string userLoadControl(bool startGame) {
    return controlMember(startGame ? kStartGame1 : kStartGame0);
}

std::string userSaveControl(const SequenceRecord& sequence) {
    if (sequence.seqId.empty()) return controlMember(quotedValue(kTokenOpen, sequence.token));
    return controlMember(quotedValue(kSeqIdOpen, sequence.seqId) + std::string(kEndGame1));
}

std::string userHeartbeatControl(const SequenceRecord& sequence) {
    if (sequence.seqId.empty()) return controlMember({});
    return controlMember(quotedValue(kSeqIdOpen, sequence.seqId));
}

bool spliceMembers(std::string& body, std::string_view client, std::string_view control) {
    std::string spliced = body.empty() ? std::string(kEmptyBody) : body;
    if (!isObjectText(spliced)) return false;
    std::string members = hasNoMembers(spliced) ? "" : ",";
    members += client;
    if (!control.empty()) {
        members += ',';
        members += control;
    }
    spliced.insert(spliced.size() - 1, members);
    body = std::move(spliced);
    return true;
}

}  // namespace am::abaas
