#pragma once
// Root of every class of the game-server client: a name and a log level.
//
// Threads: an object and its level belong to the thread that drives the client.

#include <cstdint>
#include <string>

namespace util {

class Base {
public:
    explicit Base(std::string name = {}) : name_(std::move(name)) {}
    virtual ~Base() = default;
    Base(const Base&) = delete;
    Base& operator=(const Base&) = delete;

    const std::string& name() const { return name_; }

    // 0 silences the object; 1 lets error lines through; 3 also dumps the
    // title key. An object that owns others passes its level on to them.
    std::int32_t logLevel() const { return logLevel_; }
    virtual void setLogLevel(std::int32_t level) { logLevel_ = level; }

private:
    std::string name_;
    std::int32_t logLevel_ = 0;
};

}  // namespace util
