#pragma once
// MDiskFileReadTask: the file read task over files on disk (platform/disk).
// A request's file is looked for in the search directories
// (search_candidates.h); its whole byte range is read on a reader thread
// while the completion run decodes the previous file. A file that cannot be
// found, opened or read to the last byte asked for is a failed read (status
// kReadNotFound), never a buffer with bytes missing; a byte range past the
// file's end fails before anything is allocated for it. The file of a keep-open
// request (an archive's data file) is left open in the open-file cache for
// the next read of it, and taken from there. A mapped request's whole file
// is mapped read-only instead of read (a file that can't be mapped, such as
// an empty one, is read as usual).
//
// Threads: as MFileReadTask; ReadRequest and finishRead run on the
// completion run's thread only.

#include <string>
#include <utility>

#include "engine/data/file_read_task.h"
#include "platform/disk/disk_file.h"

class MDiskFileReadTask : public MFileReadTask {
public:
    MDiskFileReadTask() = default;
    ~MDiskFileReadTask() override;

protected:
    void ReadRequest(MFileReadRequest& request) override;
    bool finishRead(uint8_t*& bytes, size_t& size) override;
    bool isContainer(const uint8_t* bytes, size_t size) override;
    int inflate(const uint8_t* bytes, size_t size, uint8_t*& out, size_t& outSize, uint32_t id) override;
    platform::FileMapping takeMapping() override { return std::move(mapping_); }

private:
    platform::FileHandle openFromSearchDirectories(const std::string& path);
    void finishMappedRead(uint8_t*& bytes, size_t& size);
    void closeOpenFile();

    platform::FileHandle file_ = platform::kNoFile;
    std::string fullPath_;  // the file_ was opened as
    bool keepOpen_ = false;
    uint8_t* buffer_ = nullptr;
    size_t byteCount_ = 0;
    platform::AsyncFileRead read_;
    platform::FileMapping mapping_;  // the read's bytes when its file was mapped
};
