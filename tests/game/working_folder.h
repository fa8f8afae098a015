#pragma once
// A test's own working folder: the game writes "Log.txt" (and the settings
// files under a relative root) into the working folder, so each test moves
// into a fresh temporary one and back again when it ends.

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_dir.h"

class WorkingFolder {
public:
    WorkingFolder() : previous_(std::filesystem::current_path()) { std::filesystem::current_path(dir_.str()); }
    ~WorkingFolder() { std::filesystem::current_path(previous_); }
    WorkingFolder(const WorkingFolder&) = delete;
    WorkingFolder& operator=(const WorkingFolder&) = delete;

    const TempDir& dir() const { return dir_; }
    std::string path(const std::string& name) const { return dir_ / name; }

    // The lines of "Log.txt" so far; none when it doesn't exist.
    std::vector<std::string> logLines() const {
        std::ifstream file(path("Log.txt"), std::ios::binary);
        std::vector<std::string> lines;
        for (std::string line; std::getline(file, line);) lines.push_back(line);
        return lines;
    }
    void clearLog() const { std::filesystem::remove(path("Log.txt")); }

    static std::string read(const std::string& file) {
        std::ifstream in(file, std::ios::binary);
        std::stringstream bytes;
        bytes << in.rdbuf();
        return bytes.str();
    }

private:
    TempDir dir_;
    std::filesystem::path previous_;
};
