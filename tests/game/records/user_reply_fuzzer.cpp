// Any bytes as a user/load reply: the parse and the control status must
// neither fault nor leave the record without a name, and a refused reply
// keeps the missing-aware settings at their default.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "game/records/user_load_json.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string reply(reinterpret_cast<const char*>(data), size);
    parseControlStatus(reply);
    UserDataRecord record;
    parseUserResponse(reply, record);
    if (record.name.empty()) std::abort();
    // A reply the parse refuses is as good as none: the defaults must stand.
    UserDataRecord again;
    if (!parseUserResponse(reply, again) && again.configSound == 0 && reply.find("config_sound") == std::string::npos &&
        reply.find("\\u") == std::string::npos) {
        std::abort();
    }
    return 0;
}
