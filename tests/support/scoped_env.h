#pragma once
// Sets or unsets environment variables for one test and puts them back after.

#include <cstdlib>
#include <optional>
#include <string>
#include <utility>
#include <vector>

class ScopedEnv {
public:
    ScopedEnv() = default;
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;
    ~ScopedEnv() {
        for (auto it = saved_.rbegin(); it != saved_.rend(); ++it) {
            apply(it->first, it->second);
        }
    }

    // An empty optional unsets the variable.
    void set(const std::string& name, std::optional<std::string> value) {
        const char* old = std::getenv(name.c_str());
        saved_.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
        apply(name, value);
    }

private:
    static void apply(const std::string& name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name.c_str(), value->c_str(), 1);
        } else {
            unsetenv(name.c_str());
        }
    }

    std::vector<std::pair<std::string, std::optional<std::string>>> saved_;
};
