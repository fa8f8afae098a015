#pragma once
// One table from SDL's events to the window shell's messages. An event
// gives at most two messages (losing the focus is a deactivation and a loss
// of the mouse capture); events the shell does not handle give none (keys
// reach the keyboard through the input back end's event watch).
//
// Threads: pure; any thread.

#include <SDL_events.h>

#include "platform/window/window_message.h"

namespace platform {

struct TranslatedMessages {
    WindowMessage messages[2];
    int count = 0;
};

TranslatedMessages translateEvent(const SDL_Event& event);

}  // namespace platform
