#pragma once
// Configuration text read from a file on disk.

#include <string>

#include "engine/base/res_cfg.h"

class MWinTxtCfg : public MResCfg {
public:
    explicit MWinTxtCfg(std::string path) : path_(std::move(path)) {}

    // Parses the file's bytes, as they are, up to the first zero byte. A file
    // that cannot be opened leaves the table unchanged and still answers true:
    // the file is optional.
    bool load() override;

    const std::string& path() const { return path_; }

private:
    std::string path_;  // UTF-8
};
