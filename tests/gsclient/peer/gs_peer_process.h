#pragma once
// Runs the loopback game server (gs_peer.py) for one test: on port 80 of a
// loopback address of its own, so tests run in parallel. Every wait is
// bounded: a peer that does not start or answer in time is reported, never
// waited for. The destructor stops it.
//
// Threads: one test thread drives the object.

#include <sys/types.h>

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/gsclient/peer/test_identity.h"

namespace gstest {

class GsPeerProcess {
public:
    GsPeerProcess(const std::vector<std::uint8_t>& titleKey = testTitleKey(),
                  const std::string& gameId = kGameId);
    ~GsPeerProcess();
    GsPeerProcess(const GsPeerProcess&) = delete;
    GsPeerProcess& operator=(const GsPeerProcess&) = delete;

    bool started() const { return pid_ > 0; }
    const std::string& startError() const { return startError_; }

    // "127.a.b.c", the host the client is configured with.
    const std::string& host() const { return host_; }
    // "http://" + host + ":80" + path, as the client builds it.
    std::string url(const std::string& path) const;

    // One command line of the peer (see gs_peer.py); the payload after "ok",
    // or nothing on "error" or when no answer came within five seconds.
    std::optional<std::string> command(const std::string& line);

    // count 0: until changed.
    bool setMode(const std::string& mode, int count = 0);
    bool setAppStatus(int status);
    bool addUser(std::uint32_t userId, const std::string& name);
    bool setSavedata(std::uint32_t userId, const std::string& key, const std::string& value);
    bool setOnline(std::uint32_t userId, bool online);
    std::string user(std::uint32_t userId);   // JSON of the stored user
    std::string lastRequest(const std::string& path);
    std::string lastUserAgent(const std::string& path);
    int requestCount(const std::string& path);
    std::string lastError();

    void stop();

private:
    bool spawn(const std::vector<std::uint8_t>& titleKey, const std::string& gameId);
    std::optional<std::string> readLine(std::chrono::milliseconds limit);
    bool writeLine(const std::string& line);

    pid_t pid_ = -1;
    int toPeer_ = -1;
    int fromPeer_ = -1;
    std::string host_;
    std::string pending_;
    std::string startError_;
};

}  // namespace gstest
