#pragma once
// The game-server client: the one class the game talks to. Configure it with
// the title server and the cabinet's identity (both, in either order), start
// requests in six numbered slots, call update() once a frame, and poll each
// slot with getResult until it no longer answers 1. Nothing blocks and
// nothing throws to the caller.
//
// Request results: 0 on its way; 1 the slot still holds a request whose
// result was not collected (nothing started); -1 failed to start; -2 slot
// not below REQUEST_NUM_MAX; -3 not configured.
// Poll results: 1 running; 0 done with HTTP status 200 (or the slot was
// idle: status 0); -1 unusable reply; -2 bad slot; -3 not configured;
// -4 timed out; -5 unreachable, no HTTP status, or a status other than 200.
// Any result but 1 frees the slot.
//
// Threads: one thread (the game's frame loop) makes every call.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace am::abaas {

inline constexpr int REQUEST_NUM_MAX = 6;

class GsMain {
public:
    // The title server, as the platform names it.
    struct Config {
        std::string serverUri;  // host name
        std::string gameId;     // exactly 4 characters
        std::uint8_t majorVersion = 0;  // 0..99
        std::uint8_t minorVersion = 0;  // 0..99
        std::vector<std::uint8_t> titleKey;  // exactly 32 bytes
    };

    // The cabinet's identity.
    struct ClientConfig {
        std::uint16_t locationId = 0;
        std::string keychipId;  // exactly 11 characters
    };

    // What a poll found: the HTTP status once the transfer ended, the
    // application status once the reply header was read.
    struct Result {
        std::uint16_t httpStatus = 0;
        std::uint16_t appStatus = 0;
    };

    // Fixed for the client's life.
    struct ConnectionSettings {
        std::int32_t timeoutSeconds = 15;
        std::uint32_t maxSpeedKilobytes = 128;
        std::string moduleName = "AbaaSGS";
        bool compress = true;
        bool encrypt = true;
    };

    class ImplGs;

    GsMain();
    explicit GsMain(const ConnectionSettings& settings);
    ~GsMain();
    GsMain(const GsMain&) = delete;
    GsMain& operator=(const GsMain&) = delete;

    // 0; -2 refused (logged); -1 the set-up with both configurations failed.
    int setTitleServerConfig(const Config& config);
    int setClientConfig(const ClientConfig& config);

    int requestServerAlive(int slot);
    // reply receives the plain reply text when the poll gives 0; it must
    // outlive the request until then.
    int requestUserLoad(int slot, bool startGame, const std::string& body, std::string& reply);
    int requestUserLoadStart(int slot, const std::string& body, std::string& reply);
    int requestUserSave(int slot, const std::string& body);
    int requestUserHeartbeat(int slot, const std::string& body);

    // Advances every transfer; failures are only logged.
    void update();

    int getResult(int slot, Result& result);

    // 0 silences the client; 1 lets error lines through; 3 also dumps the
    // title key when it is configured.
    void setLogLevel(std::int32_t level);

private:
    std::unique_ptr<ImplGs> impl_;
};

}  // namespace am::abaas
