#include "platform/window/message_pump.h"

#include <SDL.h>

#include "platform/window/event_translator.h"

namespace platform {

void pumpWindowMessages(const std::function<void(const WindowMessage&)>& sink) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        const TranslatedMessages translated = translateEvent(event);
        for (int i = 0; i < translated.count; ++i) sink(translated.messages[i]);
    }
}

}  // namespace platform
