#include "engine/app/app_events.h"

#include <gtest/gtest.h>

#include <initializer_list>

namespace {

using E = MAppEvent;
constexpr E kAll[] = {E::CloseRequested, E::MinimizeRequested, E::RestoreRequested, E::QuitRequested,
                      E::Suspended,      E::Closing,           E::Terminated};

struct Case {
    const char* name;
    std::initializer_list<E> before;
    bool displayChange;
    std::initializer_list<E> after;
    bool displayChangeAfter;
};

class AppEvents : public testing::Test {
protected:
    ~AppEvents() override { clearAppEvents(); }
};

TEST_F(AppEvents, DispatchTurnsRequestsIntoStates) {
    const Case cases[] = {
        {"nothing", {}, false, {}, false},
        {"minimise", {E::MinimizeRequested}, false, {E::Suspended}, false},
        {"restore", {E::RestoreRequested, E::Suspended}, false, {}, false},
        {"minimise and restore", {E::MinimizeRequested, E::RestoreRequested}, false, {}, false},
        {"close", {E::CloseRequested}, false, {E::Closing}, false},
        {"quit", {E::QuitRequested}, false, {E::Terminated}, false},
        {"display change", {}, true, {}, false},
        // Once terminated only a quit request is still taken.
        {"terminated",
         {E::Terminated, E::MinimizeRequested, E::CloseRequested, E::QuitRequested},
         true,
         {E::Terminated, E::MinimizeRequested, E::CloseRequested},
         true},
    };
    for (const Case& c : cases) {
        clearAppEvents();
        for (E e : c.before) writeAppEvent(e, true);
        if (c.displayChange) raiseDisplayChange(1, 2, 3);
        dispatchAppEvents();
        for (E e : kAll) {
            const bool expected = std::find(c.after.begin(), c.after.end(), e) != c.after.end();
            EXPECT_EQ(readAppEvent(e), expected) << c.name << " event " << int(e);
        }
        EXPECT_EQ(readDisplayChange().pending, c.displayChangeAfter) << c.name;
    }
}

TEST_F(AppEvents, AQuitRequestFromTheGameTerminatesAtTheNextDispatch) {
    requestAppQuit();
    EXPECT_FALSE(readAppEvent(E::Terminated));
    dispatchAppEvents();
    EXPECT_TRUE(readAppEvent(E::Terminated));
    EXPECT_FALSE(readAppEvent(E::QuitRequested));
}

TEST_F(AppEvents, TheDisplayChangeKeepsItsValuesUntilDispatched) {
    raiseDisplayChange(7, -1, 60);
    const MDisplayChange change = readDisplayChange();
    EXPECT_TRUE(change.pending);
    EXPECT_EQ(change.values[0], 7);
    EXPECT_EQ(change.values[1], -1);
    EXPECT_EQ(change.values[2], 60);
    clearAppEvents();
    EXPECT_FALSE(readDisplayChange().pending);
}

}  // namespace
