#pragma once
// Configuration text read from one of the program's compiled-in text resources.

#include "engine/base/res_cfg.h"

class MWinResCfg : public MResCfg {
public:
    // The resource is read by load(resourceId); there is nothing to reread.
    bool load() override { return true; }

    // Parses the resource's text up to its first zero byte. False, with the
    // table unchanged, when the resource is missing or empty.
    bool load(int resourceId);
};
