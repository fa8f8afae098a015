#pragma once
// Per-slot bookkeeping over the request layer: the busy flags, the client
// and control members added to every body, the four requests, and the
// session values (seq_id, token) taken from user/load and user/save replies
// and sent back by later requests in the same slot.
//
// Threads: one thread (the game's frame loop) makes every call.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>

#include "gsclient/abaas/body_members.h"
#include "gsclient/abaas/gs_main.h"
#include "gsclient/abaas/request.h"
#include "gsclient/abaas/sequence_record.h"
#include "gsclient/util/base.h"

namespace am::abaas {

class Task : public util::Base {
public:
    static constexpr std::size_t kSlots = REQUEST_NUM_MAX;

    enum class Start { Started, Busy, Failed };
    enum class Outcome { Done, Unusable, Running, TimedOut, Unreachable };

    Task() : Base("Task") {}

    void setLogLevel(std::int32_t level) override;

    // Sets up the request layer, then the client identity and the base URL.
    // 0, or -1.
    int setConfig(const GsMain::ConnectionSettings& settings, const GsMain::Config& config,
                  const GsMain::ClientConfig& client);

    // The slot must be below kSlots (the client checks it).
    Start serverAlive(std::size_t slot);
    Start userLoad(std::size_t slot, bool startGame, const std::string& body, std::string& reply);
    Start userSave(std::size_t slot, const std::string& body);
    Start userHeartbeat(std::size_t slot, const std::string& body);

    int update() { return request_.update(); }

    Outcome getResult(std::size_t slot, GsMain::Result& result);

private:
    Start send(std::size_t slot, const char* path, const std::string& body,
               const std::string& control, std::string* reply);
    void release(std::size_t slot);

    Request request_;
    ClientIdentity identity_;
    std::array<SequenceRecord, kSlots> sequences_;
    std::array<std::string, kSlots> saveReplies_;
    std::string baseUrl_;
    std::array<bool, kSlots> busy_{};
    std::array<std::string*, kSlots> replies_{};
};

}  // namespace am::abaas
