// File operations of the porting layer.
#include "game/core/wheel_file.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "game/core/wheel_log.h"

namespace {

// Writes every byte and flushes; false on the first failure.
bool writeAll(std::FILE* file, const void* bytes, size_t size) {
    const bool written = size == 0 || std::fwrite(bytes, 1, size, file) == size;
    return std::fflush(file) == 0 && written;
}

}  // namespace

bool writeFileReplacing(const char* path, const void* bytes, size_t size) {
    const std::string temporary = std::string(path) + ".tmp";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        SDL2_wheel_Log("%s : can't be written (%s)", path, std::strerror(errno));
        return false;
    }
    const bool written = writeAll(file, bytes, size);
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::remove(temporary.c_str());
        SDL2_wheel_Log("%s : write failed, the old file is kept (%s)", path, std::strerror(error));
        return false;
    }
    if (std::rename(temporary.c_str(), path) != 0) {
        SDL2_wheel_Log("%s : can't replace the old file (%s)", path, std::strerror(errno));
        std::remove(temporary.c_str());
        return false;
    }
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
    std::FILE* probe = std::fopen(path, "r");
    if (!probe) {
        std::printf("%s %s : file not found.\n", "fileReadAlloc", path);
        SDL2_wheel_Log("%s %s : file not found.", "fileReadAlloc", path);
        return nullptr;
    }
    std::fclose(probe);
    std::FILE* file = std::fopen(path, "rb");
    long length = -1;
    if (!file) {
        SDL2_wheel_Log("SDL2_wheel_FileGetSize Not Find File = %s", path);
    } else {
        length = SDL2_wheel_FileGetSize(file);
    }
    if (size) *size = length;
    if (length < 0) return nullptr;
    auto* buffer = static_cast<uint8_t*>(std::malloc(size_t(length) + 1));
    if (!buffer) {
        std::printf("%s %s : not enough memory.\n", "fileReadAlloc", path);
        SDL2_wheel_Log("%s %s : not enough memory.", "fileReadAlloc", path);
        return nullptr;
    }
    file = std::fopen(path, "rb");
    const size_t read = file ? std::fread(buffer, 1, size_t(length), file) : 0;
    if (file) std::fclose(file);
    if (read != size_t(length)) {
        SDL2_wheel_Log("%s %s : read %zu of %ld bytes.", "fileReadAlloc", path, read, length);
        std::free(buffer);
        if (size) *size = -1;
        return nullptr;
    }
    return buffer;
}
