// Events written from one thread and dispatched on another meet only under
// the engine's global mutex.
#include <gtest/gtest.h>

#include <thread>

#include "engine/app/app_events.h"

namespace {

TEST(AppEventsThreads, RequestsFromAnotherThreadAreNeverLost) {
    clearAppEvents();
    constexpr int kRounds = 2000;
    std::thread requester([] {
        for (int i = 0; i < kRounds; ++i) {
            writeAppEvent(MAppEvent::MinimizeRequested, true);
            raiseDisplayChange(i, 0, 0);
        }
        writeAppEvent(MAppEvent::CloseRequested, true);
    });
    while (!readAppEvent(MAppEvent::Closing)) dispatchAppEvents();
    requester.join();
    dispatchAppEvents();
    EXPECT_TRUE(readAppEvent(MAppEvent::Suspended));
    EXPECT_FALSE(readAppEvent(MAppEvent::MinimizeRequested));
    clearAppEvents();
}

}  // namespace
