#pragma once
// A fuzzer's own working folder, made the current directory while the process
// runs (so any file written under a relative name lands there, not in the
// build tree), and removed with its contents when the process ends. Its
// "Log.txt", which the game's log opens, appends to and closes for every
// line, is a link to /dev/null: a fuzzer logs on most inputs, and neither the
// lines nor the pages of a growing file are wanted. Use it through
// fuzzFolder(), a function-local static made at the first input.
//
// It lies in memory (/dev/shm) where the machine has it, else under the
// temporary folder: the readers fuzzed through it read files by path, and
// rewriting a file on a disk file system costs milliseconds under load,
// far more than the read.

#include <unistd.h>

#include <filesystem>
#include <string>
#include <system_error>

class FuzzFolder {
public:
    explicit FuzzFolder(const std::string& name) : path_(base() / (name + "_" + std::to_string(getpid()))) {
        std::filesystem::create_directories(path_);
        std::filesystem::current_path(path_);
        std::filesystem::create_symlink("/dev/null", path_ / "Log.txt");
    }
    ~FuzzFolder() {
        std::error_code ignored;
        std::filesystem::current_path(path_.parent_path(), ignored);
        std::filesystem::remove_all(path_, ignored);
    }
    FuzzFolder(const FuzzFolder&) = delete;
    FuzzFolder& operator=(const FuzzFolder&) = delete;

    // The folder, with a trailing '/'.
    std::string root() const { return path_.string() + "/"; }

private:
    static std::filesystem::path base() {
        std::error_code error;
        const std::filesystem::path memory = "/dev/shm";
        return std::filesystem::is_directory(memory, error) ? memory : std::filesystem::temp_directory_path();
    }

    std::filesystem::path path_;
};

// The process's one folder, made with the name of the first call.
inline const FuzzFolder& fuzzFolder(const std::string& name) {
    static const FuzzFolder folder(name);
    return folder;
}
