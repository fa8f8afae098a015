#include "platform/window/event_translator.h"

namespace platform {

namespace {

using Kind = WindowMessageKind;

// A window event and the messages it stands for, in the order delivered.
struct WindowEventRow {
    SDL_WindowEventID event;
    Kind first;
    int32_t active;
    bool capture;  // followed by CaptureLost
};

constexpr WindowEventRow kWindowEvents[] = {
    {SDL_WINDOWEVENT_CLOSE, Kind::Close, 0, false},
    {SDL_WINDOWEVENT_MINIMIZED, Kind::Minimize, 0, false},
    {SDL_WINDOWEVENT_RESTORED, Kind::Restore, 0, false},
    {SDL_WINDOWEVENT_FOCUS_GAINED, Kind::Activate, 1, false},
    {SDL_WINDOWEVENT_FOCUS_LOST, Kind::Activate, 0, true},
    {SDL_WINDOWEVENT_SIZE_CHANGED, Kind::Size, 0, false},
};

// SDL's buttons in the shell's numbering; others are not handled.
int32_t shellButton(Uint8 button) {
    switch (button) {
        case SDL_BUTTON_LEFT: return 0;
        case SDL_BUTTON_RIGHT: return 1;
        case SDL_BUTTON_MIDDLE: return 2;
        default: return -1;
    }
}

void add(TranslatedMessages& out, const WindowMessage& message) { out.messages[out.count++] = message; }

void translateWindowEvent(const SDL_WindowEvent& event, TranslatedMessages& out) {
    for (const WindowEventRow& row : kWindowEvents) {
        if (row.event != event.event) continue;
        WindowMessage message{.kind = row.first, .active = row.active};
        if (row.first == Kind::Size) {
            message.width = event.data1;
            message.height = event.data2;
        }
        add(out, message);
        if (row.capture) add(out, {.kind = Kind::CaptureLost});
        return;
    }
}

void translateButton(const SDL_MouseButtonEvent& event, Kind kind, TranslatedMessages& out) {
    const int32_t button = shellButton(event.button);
    if (button < 0) return;
    add(out, {.kind = kind, .button = button, .x = float(event.x), .y = float(event.y)});
}

}  // namespace

TranslatedMessages translateEvent(const SDL_Event& event) {
    TranslatedMessages out;
    switch (event.type) {
        case SDL_QUIT: add(out, {.kind = Kind::Close}); break;
        case SDL_WINDOWEVENT: translateWindowEvent(event.window, out); break;
        case SDL_MOUSEMOTION:
            add(out, {.kind = Kind::MouseMove, .x = float(event.motion.x), .y = float(event.motion.y)});
            break;
        case SDL_MOUSEBUTTONDOWN: translateButton(event.button, Kind::ButtonDown, out); break;
        case SDL_MOUSEBUTTONUP: translateButton(event.button, Kind::ButtonUp, out); break;
        default: break;
    }
    return out;
}

}  // namespace platform
