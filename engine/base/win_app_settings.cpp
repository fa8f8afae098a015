#include "engine/base/win_app_settings.h"

MWinAppSettings& winAppSettings() {
    static MWinAppSettings live;
    return live;
}

std::string M_SPEC;
