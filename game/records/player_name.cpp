#include "game/records/player_name.h"

#include <utility>

namespace {

std::string& playerName() {
    static std::string name = "NO NAME";
    return name;
}

}  // namespace

const char* currentPlayerName() { return playerName().c_str(); }

void setCurrentPlayerName(std::string name) { playerName() = std::move(name); }
