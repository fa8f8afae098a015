#include "engine/app/win_app_cursor.h"

#include "engine/base/win_app_settings.h"
#include "platform/window/window.h"

namespace {
bool recordedShown = true;
}

void setCursorVisibility(bool shown) {
    if (shown == recordedShown) return;
    platform::showCursor(shown);
    recordedShown = shown;
}

bool recordedCursorVisibility() { return recordedShown; }

void syncCursor() {
    const MWinAppSettings& s = winAppSettings();
    setCursorVisibility(s.fullscreenMode && s.mouseCursor ? s.fullscreenCursor : s.mouseCursor);
}
