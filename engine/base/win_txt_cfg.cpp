#include "engine/base/win_txt_cfg.h"

#include <fstream>
#include <iterator>

bool MWinTxtCfg::load() {
    std::ifstream file(path_, std::ios::binary);
    if (!file) {
        return true;
    }
    const std::string text{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    parse(std::string_view(text).substr(0, text.find('\0')));
    return true;
}
