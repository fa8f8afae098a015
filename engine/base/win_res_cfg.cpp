#include "engine/base/win_res_cfg.h"

#include "engine/base/text_resources.h"

bool MWinResCfg::load(int resourceId) {
    const std::string_view resource = findTextResource(resourceId);
    if (resource.empty()) {
        return false;
    }
    parse(resource.substr(0, resource.find('\0')));
    return true;
}
