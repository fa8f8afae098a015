#pragma once
// ContentContext: where the generator reads and writes. Modules read what a
// person wrote from the content folder and write resources (the game's
// resource folder), generated sources (tables of the game library) and
// previews (pictures for people, not read by the game).
//
// A file is written only when its bytes change, so the build leaves what
// depends on an unchanged file alone.
//
// Threads: one module at a time, on the generator's main thread.

#include <cstdint>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace content {

// Bad or missing content: the message names the file (and line) at fault.
struct ContentError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct ContentFolders {
    std::filesystem::path content;
    std::filesystem::path resource;
    std::filesystem::path generated;
    std::filesystem::path preview;  // empty: no previews
};

class ContentContext {
public:
    explicit ContentContext(ContentFolders folders) : folders_(std::move(folders)) {}

    // A content file whole, by its path relative to the content folder.
    std::string readContent(std::string_view relative) const;
    // Whether the content folder holds that file (content that may be
    // written later, like the stages not designed yet).
    bool hasContent(std::string_view relative) const;
    // A resource an earlier module of this run wrote, by its path relative to
    // the resource folder.
    std::vector<uint8_t> readResource(std::string_view relative) const;

    void writeResource(std::string_view relative, const std::vector<uint8_t>& bytes);
    void writeResource(std::string_view relative, std::string_view text);
    void writeGenerated(std::string_view relative, std::string_view text);
    void writePreview(std::string_view relative, const std::vector<uint8_t>& bytes);

    size_t filesWritten() const { return filesWritten_; }
    uint64_t resourceBytes() const { return resourceBytes_; }

private:
    void write(const std::filesystem::path& path, std::string_view bytes);

    ContentFolders folders_;
    size_t filesWritten_ = 0;
    uint64_t resourceBytes_ = 0;
};

}  // namespace content
