#pragma once
// Provisional: the least of the subsystems the platform glue and the input
// words lean on that are not built yet (see README.md). The issue that builds
// the card login replaces these with its own.
//
// Threads: main thread only.

#include <array>
#include <cstdint>

// The card login's words: the card user (0 or -1: nobody), the login state
// (2 logged in) and its busy word.
extern int32_t cardUserId;
extern int32_t cardLoginState;
extern int32_t cardLoginBusy;

// The player's assignment of game buttons 1 to 4 (0 unassigned, 1..16 a raw bit).
struct CardProfile {
    std::array<int32_t, 4> buttons = {1, 2, 3, 5};
};
extern CardProfile cardProfile;
// Logs the card user out and makes the guest the current player.
void cardProfileResetGuest();
