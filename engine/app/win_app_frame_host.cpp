#include "engine/app/win_app_frame_host.h"

#include "engine/app/app_events.h"
#include "engine/app/present_frame.h"
#include "engine/app/win_app.h"
#include "platform/window/message_pump.h"

void MWinAppFrameHost::pumpMessages() {
    platform::pumpWindowMessages([this](const platform::WindowMessage& message) {
        // Without a window nothing could have been addressed to it.
        if (MWinAppWindow* window = app_.window(); window && window->handle()) window->appWindowProc(message);
    });
}

void MWinAppFrameHost::presentFrame() { ::presentFrame(); }

void MWinAppFrameHost::dispatchAppEvents() { ::dispatchAppEvents(); }

bool MWinAppFrameHost::isAppSuspended() { return readAppEvent(MAppEvent::Suspended); }

bool MWinAppFrameHost::isAppClosing() { return readAppEvent(MAppEvent::Closing); }

bool MWinAppFrameHost::isAppTerminated() { return readAppEvent(MAppEvent::Terminated); }

void MWinAppFrameHost::turnClosingIntoQuitRequest() {
    writeAppEvent(MAppEvent::Closing, false);
    writeAppEvent(MAppEvent::QuitRequested, true);
}
