// The key=value line tables.
#include "game/core/wheel_config.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <string_view>

#include "game/core/wheel_log.h"
#include "platform/disk/whole_file.h"

namespace {

struct Line {
    uint8_t length = 0;  // bytes held, the line feed included
    char text[kConfigLineBytes - 1];
    std::string_view view() const { return {text, length}; }
};

// A table of lines. The last line of a file that lacks its line feed is
// stored at `count` but not counted: no lookup sees it and the first
// appended key overwrites it.
template <int Capacity>
struct LineTable {
    Line lines[Capacity];
    int count = 0;
    std::string source;  // the file the lines came from (the parameter cache)

    void clear() { count = 0; }
    void fill(const char* path, std::string_view bytes);
    Line* find(std::string_view key);
};

LineTable<kConfigTableLines>& configTable() {
    static auto* table = new LineTable<kConfigTableLines>;
    return *table;
}

LineTable<kParameterCacheLines>& parameterCache() {
    static auto* table = new LineTable<kParameterCacheLines>;
    return *table;
}

template <int Capacity>
void LineTable<Capacity>::fill(const char* path, std::string_view bytes) {
    clear();
    constexpr size_t kLongest = sizeof(Line::text);
    bool cutLogged = false;
    while (!bytes.empty()) {
        if (count == Capacity) {
            SDL2_wheel_Log("%s : more than %d lines, the rest is ignored", path, Capacity);
            return;
        }
        const size_t end = bytes.find('\n');
        const bool terminated = end != std::string_view::npos;
        std::string_view line = bytes.substr(0, terminated ? end + 1 : bytes.size());
        bytes.remove_prefix(line.size());
        Line& slot = lines[count];
        const bool tooLong = line.size() > kLongest;
        if (tooLong) {
            if (!cutLogged) SDL2_wheel_Log("%s : line %d cut to %zu bytes", path, count + 1, kLongest);
            cutLogged = true;
            line = line.substr(0, kLongest - (terminated ? 1 : 0));
        }
        std::memcpy(slot.text, line.data(), line.size());
        slot.length = uint8_t(line.size());
        if (tooLong && terminated) slot.text[slot.length++] = '\n';
        if (terminated) ++count;
    }
}

template <int Capacity>
Line* LineTable<Capacity>::find(std::string_view key) {
    for (int i = 0; i < count; ++i) {
        const std::string_view text = lines[i].view();
        if (text.find(';') == std::string_view::npos && text.find(key) != std::string_view::npos) return &lines[i];
    }
    return nullptr;
}

enum class Parsed { Value, Default, DefaultLogged, Zero };

// The value after the first "=": digits saturate at the limits of Integer.
template <typename Integer>
Parsed parseValue(const Line* line, Integer& value) {
    if (!line) return Parsed::DefaultLogged;
    const std::string_view text = line->view();
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return Parsed::DefaultLogged;
    std::string_view rest = text.substr(equals + 1);
    const bool negative = !rest.empty() && rest.front() == '-';
    if (negative) rest.remove_prefix(1);
    if (rest.empty() || rest.front() < '0' || rest.front() > '9') return negative ? Parsed::Zero : Parsed::Default;
    constexpr Integer kMax = std::numeric_limits<Integer>::max();
    Integer magnitude = 0;
    for (size_t i = 0; i < rest.size() && rest[i] >= '0' && rest[i] <= '9'; ++i) {
        const Integer digit = Integer(rest[i] - '0');
        magnitude = magnitude > (kMax - digit) / 10 ? kMax : Integer(magnitude * 10 + digit);
    }
    value = negative ? (magnitude == kMax ? std::numeric_limits<Integer>::min() : Integer(-magnitude)) : magnitude;
    return Parsed::Value;
}

template <typename Integer>
Integer lookUp(const Line* line, const char* key, Integer defaultValue) {
    Integer value = defaultValue;
    const Parsed parsed = parseValue(line, value);
    if (parsed == Parsed::Value) return value;
    if (parsed == Parsed::Default) return defaultValue;
    SDL2_wheel_Log("%s config read error", key);
    return parsed == Parsed::Zero ? 0 : defaultValue;
}

// Reads the whole file; false (logged) when it can't. A folder or an
// unreadable file in the file's place is refused like a missing one, with
// the reason.
bool readWhole(const char* path, std::string& bytes) {
    const platform::WholeRead read = platform::readWholeFile(path, bytes);
    if (read.status == platform::WholeReadStatus::Read) return true;
    SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", path);
    if (read.status == platform::WholeReadStatus::Failed) {
        SDL2_wheel_Log("%s : can't be read (%s)", path, std::strerror(read.error));
    }
    return false;
}

}  // namespace

void SDL2_wheel_ConfigLoad(const char* path) {
    std::string bytes;
    if (!readWhole(path, bytes)) {
        SDL2_wheel_Log("%s config file read error", path);
        return;
    }
    configTable().fill(path, bytes);
}

int32_t SDL2_wheel_ConfigGetInt(const char* key, int32_t defaultValue) {
    if (configTable().count == 0) {
        SDL2_wheel_Log("%s config read error", key);
        return defaultValue;
    }
    return lookUp<int32_t>(configTable().find(key), key, defaultValue);
}

bool SDL2_wheel_ConfigSetInt(const char* key, int32_t value) {
    auto& table = configTable();
    char text[kConfigLineBytes + 16];
    const int length = std::snprintf(text, sizeof text, "%s=%d\n", key, value);
    if (length < 0 || size_t(length) > sizeof(Line::text)) {
        SDL2_wheel_Log("%s : key too long for a config line", key);
        return false;
    }
    Line* line = table.find(key);
    const bool replaced = line != nullptr;
    if (!line) {
        if (table.count == kConfigTableLines) {
            SDL2_wheel_Log("%s : the config table is full, the key is not added", key);
            return false;
        }
        line = &table.lines[table.count++];
    }
    std::memcpy(line->text, text, size_t(length));
    line->length = uint8_t(length);
    return replaced;
}

std::string SDL2_wheel_ConfigJoinLines() {
    std::string joined;
    const auto& table = configTable();
    for (int i = 0; i < table.count; ++i) joined += table.lines[i].view();
    return joined;
}

int SDL2_wheel_ConfigLineCount() { return configTable().count; }

int64_t SDL2_wheel_ConfigFileGetInt(const char* path, const char* key, int64_t defaultValue) {
    auto& cache = parameterCache();
    if (cache.source != path) {
        std::string bytes;
        cache.clear();
        cache.source.clear();
        if (!readWhole(path, bytes)) {
            SDL2_wheel_Log("file:%s param:%s config read error", path, key);
            return defaultValue;
        }
        cache.fill(path, bytes);
        cache.source = path;
    }
    return lookUp<int64_t>(cache.find(key), key, defaultValue);
}
