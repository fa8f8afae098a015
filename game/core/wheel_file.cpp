// File operations of the porting layer.
#include "game/core/wheel_file.h"

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/core/wheel_log.h"
#include "platform/disk/whole_file.h"

bool writeFileReplacing(const char* path, const void* bytes, size_t size) {
    const platform::ReplaceResult result = platform::replaceFileWhole(path, bytes, size);
    const char* reason = std::strerror(result.error);
    switch (result.failedAt) {
    case platform::ReplaceStep::Create:
        SDL2_wheel_Log("%s : can't be written (%s)", path, reason);
        return false;
    case platform::ReplaceStep::Write:
        SDL2_wheel_Log("%s : write failed, the old file is kept (%s)", path, reason);
        return false;
    case platform::ReplaceStep::Rename:
        SDL2_wheel_Log("%s : can't replace the old file (%s)", path, reason);
        return false;
    case platform::ReplaceStep::Done:
        break;
    }
    if (!result.folderSynced) SDL2_wheel_Log("%s : written, but its folder can't be synced (%s)", path, reason);
    return true;
}

int SDL2_wheel_FileWrite(const char* path, const void* buffer, size_t elementSize, size_t count) {
    if (elementSize != 0 && count > SIZE_MAX / elementSize) return -1;
    return writeFileReplacing(path, buffer, elementSize * count) ? int(count) : -1;
}

long SDL2_wheel_FileGetSize(std::FILE* file) {
    long size = -1;
    const long start = std::ftell(file);
    if (start < 0) {
        SDL2_wheel_Log("ファイルポジションの取得に失敗しました。\n");
    } else if (std::fseek(file, 0, SEEK_END) != 0) {
        SDL2_wheel_Log("ファイルポジションの移動に失敗しました。\n");
    } else {
        size = std::ftell(file);
        if (size < 0) SDL2_wheel_Log("ファイルポジションの取得に失敗しました。\n");
        if (std::fseek(file, start, SEEK_SET) != 0) {
            SDL2_wheel_Log("ファイルポジションの移動に失敗しました。\n");
            size = -1;
        }
    }
    std::fclose(file);
    return size;
}

int SDL2_wheel_DirCreate(const char* path) {
    std::error_code error;
    return std::filesystem::create_directory(path, error) ? 0 : -1;
}

uint8_t* SDL2_wheel_FileReadAlloc(const char* path, long* size) {
    if (size) *size = -1;
    std::string bytes;
    const platform::WholeRead read = platform::readWholeFile(path, bytes);
    if (read.status == platform::WholeReadStatus::Missing) {
        std::printf("%s %s : file not found.\n", "fileReadAlloc", path);
        SDL2_wheel_Log("%s %s : file not found.", "fileReadAlloc", path);
        return nullptr;
    }
    if (read.status == platform::WholeReadStatus::Failed) {
        SDL2_wheel_Log("%s %s : can't be read (%s).", "fileReadAlloc", path, std::strerror(read.error));
        return nullptr;
    }
    auto* buffer = static_cast<uint8_t*>(std::malloc(bytes.size() + 1));
    if (!buffer) {
        std::printf("%s %s : not enough memory.\n", "fileReadAlloc", path);
        SDL2_wheel_Log("%s %s : not enough memory.", "fileReadAlloc", path);
        return nullptr;
    }
    std::memcpy(buffer, bytes.data(), bytes.size());
    if (size) *size = long(bytes.size());
    return buffer;
}
