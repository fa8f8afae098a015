#pragma once
// The message pump: drains SDL's event queue and hands every message the
// event translator makes of it to the sink, in queue order.
//
// Threads: the thread that initialised SDL's video (the main thread).

#include <functional>

#include "platform/window/window_message.h"

namespace platform {

void pumpWindowMessages(const std::function<void(const WindowMessage&)>& sink);

}  // namespace platform
