// Where the system font files are.
#include <algorithm>
#include <cctype>
#include <filesystem>
#include <system_error>

#include "platform/font/glyph_rasterizer.h"

namespace platform {
namespace {

namespace fs = std::filesystem;

constexpr const char* kFontFolders[] = {"/usr/local/share/fonts", "/usr/share/fonts"};
constexpr const char* kDefaultFont = "/usr/share/fonts/opentype/ipafont-gothic/ipag.ttf";

std::string lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return char(std::tolower(c)); });
    return text;
}

bool isFontFile(const fs::path& path) {
    const std::string extension = lowered(path.extension().string());
    return extension == ".ttf" || extension == ".otf" || extension == ".ttc";
}

bool isReadableFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

std::string findByBaseName(const std::string& name) {
    const std::string wanted = lowered(name);
    for (const char* folder : kFontFolders) {
        std::error_code error;
        fs::recursive_directory_iterator it(folder, fs::directory_options::skip_permission_denied, error);
        for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
            const fs::path& path = it->path();
            if (isFontFile(path) && lowered(path.stem().string()) == wanted && isReadableFile(path))
                return path.string();
        }
    }
    return {};
}

}  // namespace

std::string findEmbedFontPath(const std::string& name) {
    if (!name.empty()) {
        if (isReadableFile(name)) return name;
        if (std::string found = findByBaseName(name); !found.empty()) return found;
    }
    return isReadableFile(kDefaultFont) ? kDefaultFont : std::string();
}

}  // namespace platform
