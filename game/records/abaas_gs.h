#pragma once
// The game's one front for the game-server client: it owns the client, gives
// it the cabinet's identity when created and the title server as soon as the
// cabinet's network authentication is good, and carries the flags the rest of
// the game reads. The card login, the play upload, the keep-alive and the
// shutdown reach the client through `client`; nobody makes a second one.
//
// The platform start creates it (create(), then initialize()); the platform
// end deletes it (destroy()). `abaasGs` points at it while it lives.
//
// Threads: main thread only.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/core/singleton.h"
#include "gsclient/abaas/gs_main.h"

class AbaasGs : public Singleton<AbaasGs> {
public:
    AbaasGs();
    ~AbaasGs() override;

    // Gives the client the cabinet's identity, then tries the title server.
    // False when the client refused the identity: the program can't start.
    bool initialize() override;
    // Does nothing once the title server is configured or while the network
    // authentication is not good; a refused configuration is tried again on
    // the next call, with the platform's values read afresh.
    void setupTitleServer();
    bool rankingUploadEnabled() const { return rankingUpload; }

    am::abaas::GsMain client;
    // The game server answered the last keep-alive or login request.
    bool online = false;
    bool titleServerReady = false;
    // Cleared for good when the platform runs us under our own game id.
    bool rankingUpload = true;
};

extern AbaasGs* abaasGs;

// The game's own code as the platform's game id.
inline constexpr char kOwnGameId[] = "KVZD";

// The title keys, kept masked like the client's key constant: [0] for another
// game id, [1] for our own.
inline constexpr uint8_t kTitleKeyMask = 0x5C;
extern const std::array<std::array<uint8_t, 32>, 2> abaasMaskedTitleKeys;
std::vector<uint8_t> abaasTitleKey(bool ownGame);

// ASCII identity texts to narrow text; a character outside ASCII makes the
// whole text empty, which the client then refuses.
std::string abaasWideToNarrow(const wchar_t* wide);
