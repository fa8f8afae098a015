#include "game/records/user_load_json.h"

#include <picojson.h>

#include <cmath>
#include <exception>

#include "engine/base/text_conv.h"

namespace {

picojson::value userIdValue(uint32_t userId) { return picojson::value(double(userId)); }

std::string serialise(const std::string& member, picojson::object inner) {
    picojson::object root;
    root[member] = picojson::value(std::move(inner));
    return picojson::value(std::move(root)).serialize();
}

// The member `name` of `object` when it has the JSON type T.
template <class T>
const T* member(const picojson::object& object, const char* name) {
    auto found = object.find(name);
    if (found == object.end() || !found->second.is<T>()) return nullptr;
    return &found->second.get<T>();
}

// A JSON number as an unsigned 32-bit value; anything outside 0..2^32-1 (or
// not finite) is refused rather than converted with undefined results.
bool toU32(double number, uint32_t& value) {
    if (!std::isfinite(number) || number < 0.0 || number >= 4294967296.0) return false;
    value = uint32_t(number);
    return true;
}

// picojson throws where a number overflows a double (1e999): such a reply is
// as unreadable as one that is not JSON.
bool parseJson(const std::string& text, picojson::value& root) {
    try {
        return picojson::parse(root, text).empty();
    } catch (const std::exception&) {
        root = picojson::value();
        return false;
    }
}

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool parseSaveData(const picojson::object& savedata, UserDataRecord& record) {
    bool sound = true;
    for (const SaveDataKey& key : saveDataKeys) {
        uint64_t value = 0;
        auto found = savedata.find(key.name);
        bool present = found != savedata.end();
        bool readable = present && found->second.is<std::string>() &&
                        parseSaveDataNumber(found->second.get<std::string>(), value);
        if (present && !readable) sound = false;
        if (readable) {
            userDataSet(record, key, value);
        } else if (key.missingMarked) {
            userDataSet(record, key, kSaveDataMissing);
        }
    }
    return sound;
}

}  // namespace

void userLoadRequestToJson(std::string& body, uint32_t userId) {
    picojson::array keys;
    keys.reserve(saveDataKeys.size());
    for (const SaveDataKey& key : saveDataKeys) keys.emplace_back(std::string(key.name));
    picojson::object savedata;
    savedata["keys"] = picojson::value(std::move(keys));
    picojson::object user;
    user["savedata"] = picojson::value(std::move(savedata));
    user["user_id"] = userIdValue(userId);
    body = serialise("user", std::move(user));
}

void userIdToJson(std::string& body, uint32_t userId) {
    picojson::object user;
    user["user_id"] = userIdValue(userId);
    body = serialise("user", std::move(user));
}

bool parseSaveDataNumber(const std::string& text, uint64_t& value) {
    size_t at = 0;
    while (at < text.size() && isBlank(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) negative = text[at++] == '-';
    uint64_t total = 0;
    size_t digits = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at, ++digits) {
        uint64_t digit = uint64_t(text[at] - '0');
        if (total > (UINT64_MAX - digit) / 10) return false;
        total = total * 10 + digit;
    }
    if (digits == 0) return false;
    value = negative ? uint64_t(0) - total : total;
    return true;
}

bool parseUserResponse(const std::string& reply, UserDataRecord& record) {
    picojson::value root;
    const picojson::object* user = nullptr;
    if (parseJson(reply, root) && root.is<picojson::object>()) {
        user = member<picojson::object>(root.get<picojson::object>(), "user");
    }
    static const picojson::object kNothing;
    const picojson::object& fields = user ? *user : kNothing;

    bool sound = user != nullptr;
    const double* userId = member<double>(fields, "user_id");
    if (!userId || !toU32(*userId, record.userId)) sound = false;

    const std::string* name = member<std::string>(fields, "name");
    if (!name) sound = false;
    // Strict decoding, as the platform's code-page conversion does: broken
    // UTF-8 becomes U+FFFD, and the name ends at an embedded NUL.
    record.name = name ? ansiToWide(*name) : std::u16string();
    if (record.name.empty()) record.name = kDefaultPlayerName;

    const picojson::object* savedata = member<picojson::object>(fields, "savedata");
    if (!savedata) sound = false;
    if (!parseSaveData(savedata ? *savedata : kNothing, record)) sound = false;
    return sound;
}

bool parseControlStatus(const std::string& reply) {
    picojson::value root;
    if (!parseJson(reply, root) || !root.is<picojson::object>()) return false;
    const picojson::object* control = member<picojson::object>(root.get<picojson::object>(), "control");
    const double* online = control ? member<double>(*control, "online") : nullptr;
    uint32_t value = 0;
    return online && toU32(*online, value) && value == 1;
}
