#pragma once
// A small reader of Windows-style INI files ("[Section]" lines, "key=value"
// lines, ";" comments), read the way the profile functions the engine's
// configuration was written for read them: section and key names compare
// without regard to case, names and values are trimmed of blanks, a value
// wrapped in one pair of quotes loses them, and the first of two equal keys
// wins.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform {

class IniFile {
public:
    // nullopt when the file cannot be read.
    static std::optional<IniFile> load(const std::string& path);
    static IniFile parse(std::string_view text);

    // The key's value, or fallback when the section or key is absent; at most
    // maxChars - 1 characters, as a fixed buffer of maxChars would hold.
    std::string get(std::string_view section, std::string_view key, std::string_view fallback,
                    size_t maxChars) const;

private:
    struct Entry {
        std::string section;
        std::string key;
        std::string value;
    };
    std::vector<Entry> entries_;
};

}  // namespace platform
