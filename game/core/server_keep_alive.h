#pragma once
// The game server's keep-alive, stepped once a frame by the platform update:
// a server-alive request on the first frame, whenever the network comes back
// and every five minutes of frame time; for a logged-in card user a heartbeat
// every five minutes. Each answer sets the game-server front's online flag.
// Until three alive attempts are counted (a success counts as all three) the
// alive slot is polled every frame.
//
// Threads: main thread only.

#include <cstdint>

struct KeepAliveWords {
    uint32_t aliveTimer = 0;  // microseconds since the last alive request
    bool alivePending = false;
    bool authenticationDone = false;
    bool aliveSentOnce = false;
    uint8_t aliveAttempts = 0;  // 0..3
    uint32_t heartbeatTimer = 0;
    // This frame's game-server result (0x7FFFFFFF: none read) and status pair.
    int32_t frameResult = kNoResult;
    uint16_t frameHttpStatus = 0;
    uint16_t frameResultCode = 0;

    static constexpr int32_t kNoResult = 0x7FFFFFFF;
};

extern KeepAliveWords keepAlive;

inline constexpr uint32_t kKeepAlivePeriod = 300000000;  // five minutes in microseconds
inline constexpr int kAliveSlot = 1;
inline constexpr int kUserSlot = 0;

// The application main's reset before start-up: all zero, authentication
// done as the network stands now.
void keepAliveReset();
void SDL2_wheel_ServerKeepAlive(uint32_t elapsedMicroseconds);
