#pragma once
// Collects the client's log output for the lifetime of the object.

#include <string>

#include "gsclient/util/log.h"

namespace gstest {

class LogCapture {
public:
    LogCapture() {
        previous_ = setAbaasLogSink([this](std::string_view text) { text_ += text; });
    }
    ~LogCapture() { setAbaasLogSink(std::move(previous_)); }
    LogCapture(const LogCapture&) = delete;
    LogCapture& operator=(const LogCapture&) = delete;

    const std::string& text() const { return text_; }

private:
    std::string text_;
    AbaasLogSink previous_;
};

}  // namespace gstest
