#include "engine/app/win_res_cfg.h"

#include "engine/app/text_resources.h"

bool MWinResCfg::load(int resourceId) {
    const std::string_view resource = findTextResource(resourceId);
    if (resource.empty()) {
        return false;
    }
    parse(resource.substr(0, resource.find('\0')));
    return true;
}
