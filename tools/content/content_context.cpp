// Reading content files and writing the generator's outputs.
#include "tools/content/content_context.h"

#include <fstream>
#include <iterator>
#include <system_error>

namespace content {
namespace {

namespace fs = std::filesystem;

bool sameBytes(const fs::path& path, std::string_view bytes) {
    std::error_code error;
    if (fs::file_size(path, error) != bytes.size() || error) return false;
    std::ifstream in(path, std::ios::binary);
    const std::string held((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return held == bytes;
}

std::string_view asText(const std::vector<uint8_t>& bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

std::string ContentContext::readContent(std::string_view relative) const {
    const fs::path path = folders_.content / relative;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ContentError(path.string() + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

bool ContentContext::hasContent(std::string_view relative) const {
    std::error_code error;
    return fs::is_regular_file(folders_.content / relative, error);
}

std::vector<uint8_t> ContentContext::readResource(std::string_view relative) const {
    const fs::path path = folders_.resource / relative;
    std::ifstream in(path, std::ios::binary);
    if (!in) throw ContentError(path.string() + ": cannot be read");
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void ContentContext::writeResource(std::string_view relative, const std::vector<uint8_t>& bytes) {
    writeResource(relative, asText(bytes));
}

void ContentContext::writeResource(std::string_view relative, std::string_view text) {
    write(folders_.resource / relative, text);
    resourceBytes_ += text.size();
}

void ContentContext::writeGenerated(std::string_view relative, std::string_view text) {
    write(folders_.generated / relative, text);
}

void ContentContext::writePreview(std::string_view relative, const std::vector<uint8_t>& bytes) {
    if (!folders_.preview.empty()) write(folders_.preview / relative, asText(bytes));
}

void ContentContext::write(const fs::path& path, std::string_view bytes) {
    ++filesWritten_;
    if (sameBytes(path, bytes)) return;
    std::error_code error;
    fs::create_directories(path.parent_path(), error);
    if (error) throw ContentError(path.parent_path().string() + ": cannot be made: " + error.message());
    // Written beside and renamed, so an interrupted run leaves no half file.
    const fs::path partial = fs::path(path).concat(".partial");
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), std::streamsize(bytes.size()));
        if (!out.flush()) throw ContentError(partial.string() + ": cannot be written");
    }
    fs::rename(partial, path, error);
    if (error) throw ContentError(path.string() + ": cannot be written: " + error.message());
}

}  // namespace content
