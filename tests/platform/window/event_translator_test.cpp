#include "platform/window/event_translator.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <vector>

#include "platform/window/message_pump.h"
#include "platform/window/window.h"

namespace {

using platform::WindowMessage;
using Kind = platform::WindowMessageKind;

SDL_Event windowEvent(SDL_WindowEventID id, Sint32 data1 = 0, Sint32 data2 = 0) {
    SDL_Event e{};
    e.type = SDL_WINDOWEVENT;
    e.window.event = id;
    e.window.data1 = data1;
    e.window.data2 = data2;
    return e;
}

SDL_Event buttonEvent(Uint32 type, Uint8 button, Sint32 x, Sint32 y) {
    SDL_Event e{};
    e.type = type;
    e.button.button = button;
    e.button.state = type == SDL_MOUSEBUTTONDOWN ? SDL_PRESSED : SDL_RELEASED;
    e.button.x = x;
    e.button.y = y;
    return e;
}

SDL_Event motionEvent(Sint32 x, Sint32 y) {
    SDL_Event e{};
    e.type = SDL_MOUSEMOTION;
    e.motion.x = x;
    e.motion.y = y;
    return e;
}

SDL_Event plainEvent(Uint32 type) {
    SDL_Event e{};
    e.type = type;
    return e;
}

struct Row {
    const char* name;
    SDL_Event event;
    std::vector<WindowMessage> expected;
};

void expectSame(const std::vector<WindowMessage>& got, const std::vector<WindowMessage>& expected,
                const char* name) {
    ASSERT_EQ(got.size(), expected.size()) << name;
    for (size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].kind, expected[i].kind) << name << " #" << i;
        EXPECT_EQ(got[i].active, expected[i].active) << name << " #" << i;
        EXPECT_EQ(got[i].width, expected[i].width) << name << " #" << i;
        EXPECT_EQ(got[i].height, expected[i].height) << name << " #" << i;
        EXPECT_EQ(got[i].button, expected[i].button) << name << " #" << i;
        EXPECT_EQ(got[i].x, expected[i].x) << name << " #" << i;
        EXPECT_EQ(got[i].y, expected[i].y) << name << " #" << i;
    }
}

const std::vector<Row>& table() {
    static const std::vector<Row> rows = {
        {"close", windowEvent(SDL_WINDOWEVENT_CLOSE), {{.kind = Kind::Close}}},
        {"quit", plainEvent(SDL_QUIT), {{.kind = Kind::Close}}},
        {"minimised", windowEvent(SDL_WINDOWEVENT_MINIMIZED), {{.kind = Kind::Minimize}}},
        {"restored", windowEvent(SDL_WINDOWEVENT_RESTORED), {{.kind = Kind::Restore}}},
        {"focus gained", windowEvent(SDL_WINDOWEVENT_FOCUS_GAINED), {{.kind = Kind::Activate, .active = 1}}},
        {"focus lost",
         windowEvent(SDL_WINDOWEVENT_FOCUS_LOST),
         {{.kind = Kind::Activate, .active = 0}, {.kind = Kind::CaptureLost}}},
        {"size", windowEvent(SDL_WINDOWEVENT_SIZE_CHANGED, 800, 450),
         {{.kind = Kind::Size, .width = 800, .height = 450}}},
        {"motion", motionEvent(-3, 70), {{.kind = Kind::MouseMove, .x = -3.0f, .y = 70.0f}}},
        {"left down", buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_LEFT, 5, 6),
         {{.kind = Kind::ButtonDown, .button = 0, .x = 5.0f, .y = 6.0f}}},
        {"right up", buttonEvent(SDL_MOUSEBUTTONUP, SDL_BUTTON_RIGHT, 7, 8),
         {{.kind = Kind::ButtonUp, .button = 1, .x = 7.0f, .y = 8.0f}}},
        {"middle down", buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_MIDDLE, 1, 2),
         {{.kind = Kind::ButtonDown, .button = 2, .x = 1.0f, .y = 2.0f}}},
        // What the shell does not handle gives nothing.
        {"extra button", buttonEvent(SDL_MOUSEBUTTONDOWN, SDL_BUTTON_X1, 1, 2), {}},
        {"moved", windowEvent(SDL_WINDOWEVENT_MOVED, 10, 10), {}},
        {"key", plainEvent(SDL_KEYDOWN), {}},
        {"wheel", plainEvent(SDL_MOUSEWHEEL), {}},
    };
    return rows;
}

TEST(EventTranslator, TranslatesEachEventOfTheTable) {
    for (const Row& row : table()) {
        const platform::TranslatedMessages out = platform::translateEvent(row.event);
        expectSame(std::vector<WindowMessage>(out.messages, out.messages + out.count), row.expected, row.name);
    }
}

// The pump hands on pushed events in queue order, as the loop will see them.
TEST(MessagePump, PushedEventsArriveTranslatedInOrder) {
    platform::WindowHandle window = platform::createWindow({.title = "pump", .appName = {}, .width = 64, .height = 48,
                                                            .visible = false});
    ASSERT_NE(window, nullptr);
    std::vector<WindowMessage> got;
    platform::pumpWindowMessages([&](const WindowMessage& m) { got.push_back(m); });  // whatever SDL queued itself
    got.clear();

    std::vector<WindowMessage> expected;
    for (const Row& row : table()) {
        SDL_Event event = row.event;
        ASSERT_EQ(SDL_PushEvent(&event), 1) << row.name;
        expected.insert(expected.end(), row.expected.begin(), row.expected.end());
    }
    platform::pumpWindowMessages([&](const WindowMessage& m) { got.push_back(m); });
    expectSame(got, expected, "pumped");
    platform::destroyWindow(window);
}

}  // namespace
