#include "tests/gsclient/peer/gs_peer_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <thread>

extern char** environ;

namespace gstest {

namespace {

constexpr auto kStartLimit = std::chrono::seconds(10);
constexpr auto kAnswerLimit = std::chrono::seconds(5);
constexpr auto kExitLimit = std::chrono::seconds(3);
constexpr int kStartAttempts = 3;

// A loopback address no other test process uses at the same time: the
// process id spreads the tests, the attempt number the peers of one test.
std::string loopbackHost(int attempt) {
    const unsigned pid = static_cast<unsigned>(getpid());
    char text[32];
    std::snprintf(text, sizeof text, "127.%u.%u.%u", 1 + ((pid >> 16) & 0x3f) + 64 * (attempt % 3),
                  (pid >> 8) & 0xff, pid & 0xff);
    return text;
}

std::string hex(const std::vector<std::uint8_t>& bytes) {
    std::string text;
    char cell[3];
    for (std::uint8_t b : bytes) {
        std::snprintf(cell, sizeof cell, "%02x", b);
        text += cell;
    }
    return text;
}

}  // namespace

GsPeerProcess::GsPeerProcess(const std::vector<std::uint8_t>& titleKey,
                             const std::string& gameId) {
    // A peer that died must not take the test with it when we write to it.
    signal(SIGPIPE, SIG_IGN);
    static int attempts = 0;
    for (int i = 0; i < kStartAttempts && !started(); ++i) {
        host_ = loopbackHost(attempts++);
        spawn(titleKey, gameId);
    }
}

GsPeerProcess::~GsPeerProcess() { stop(); }

std::string GsPeerProcess::url(const std::string& path) const {
    return "http://" + host_ + ":80" + path;
}

bool GsPeerProcess::spawn(const std::vector<std::uint8_t>& titleKey, const std::string& gameId) {
    int input[2];
    int output[2];
    if (pipe2(input, O_CLOEXEC) != 0) return false;
    if (pipe2(output, O_CLOEXEC) != 0) {
        close(input[0]);
        close(input[1]);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], STDIN_FILENO);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    const std::string script = GS_PEER_SCRIPT;
    const std::string key = hex(titleKey);
    const char* argv[] = {"/usr/bin/python3", script.c_str(), "--host", host_.c_str(),
                          "--title-key", key.c_str(), "--game-id", gameId.c_str(), nullptr};
    pid_t pid = -1;
    const int failed = posix_spawn(&pid, argv[0], &actions, nullptr, const_cast<char**>(argv),
                                   environ);
    posix_spawn_file_actions_destroy(&actions);
    close(input[0]);
    close(output[1]);
    toPeer_ = input[1];
    fromPeer_ = output[0];
    if (failed != 0) {
        startError_ = "posix_spawn failed";
        stop();
        return false;
    }
    pid_ = pid;
    const std::optional<std::string> line = readLine(kStartLimit);
    if (line == "ready") return true;
    startError_ = line ? *line : "no answer from the peer at " + host_;
    stop();
    return false;
}

std::optional<std::string> GsPeerProcess::readLine(std::chrono::milliseconds limit) {
    const auto deadline = std::chrono::steady_clock::now() + limit;
    for (;;) {
        const std::size_t end = pending_.find('\n');
        if (end != std::string::npos) {
            std::string line = pending_.substr(0, end);
            pending_.erase(0, end + 1);
            return line;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0 || fromPeer_ < 0) return std::nullopt;
        pollfd ready{fromPeer_, POLLIN, 0};
        if (poll(&ready, 1, static_cast<int>(left.count())) <= 0) continue;
        char buffer[4096];
        const ssize_t got = read(fromPeer_, buffer, sizeof buffer);
        if (got <= 0) return std::nullopt;
        pending_.append(buffer, static_cast<std::size_t>(got));
    }
}

bool GsPeerProcess::writeLine(const std::string& line) {
    if (toPeer_ < 0) return false;
    const std::string text = line + "\n";
    return write(toPeer_, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

std::optional<std::string> GsPeerProcess::command(const std::string& line) {
    if (!started() || !writeLine(line)) return std::nullopt;
    const std::optional<std::string> answer = readLine(kAnswerLimit);
    if (!answer || answer->compare(0, 2, "ok") != 0) return std::nullopt;
    return answer->size() > 3 ? answer->substr(3) : std::string();
}

bool GsPeerProcess::setMode(const std::string& mode, int count) {
    return command("mode " + mode + (count > 0 ? " " + std::to_string(count) : "")).has_value();
}

bool GsPeerProcess::setAppStatus(int status) {
    return command("app-status " + std::to_string(status)).has_value();
}

bool GsPeerProcess::addUser(std::uint32_t userId, const std::string& name) {
    return command("user " + std::to_string(userId) + " " + name).has_value();
}

bool GsPeerProcess::setSavedata(std::uint32_t userId, const std::string& key,
                                const std::string& value) {
    return command("savedata " + std::to_string(userId) + " " + key + " " + value).has_value();
}

bool GsPeerProcess::setOnline(std::uint32_t userId, bool online) {
    return command("online " + std::to_string(userId) + (online ? " 1" : " 0")).has_value();
}

std::string GsPeerProcess::user(std::uint32_t userId) {
    return command("get " + std::to_string(userId)).value_or("");
}

std::string GsPeerProcess::lastRequest(const std::string& path) {
    return command("last " + path).value_or("");
}

std::string GsPeerProcess::lastUserAgent(const std::string& path) {
    return command("agent " + path).value_or("");
}

int GsPeerProcess::requestCount(const std::string& path) {
    const std::optional<std::string> count = command("count " + path);
    return count ? std::stoi(*count) : -1;
}

std::string GsPeerProcess::lastError() { return command("error").value_or(""); }

void GsPeerProcess::stop() {
    if (pid_ > 0 && writeLine("quit")) readLine(kExitLimit);
    if (toPeer_ >= 0) close(toPeer_);
    if (fromPeer_ >= 0) close(fromPeer_);
    toPeer_ = fromPeer_ = -1;
    pending_.clear();
    if (pid_ <= 0) return;
    const auto deadline = std::chrono::steady_clock::now() + kExitLimit;
    while (waitpid(pid_, nullptr, WNOHANG) == 0) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(pid_, SIGKILL);
            waitpid(pid_, nullptr, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    pid_ = -1;
}

}  // namespace gstest
