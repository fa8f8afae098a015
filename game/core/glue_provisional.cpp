#include "game/core/glue_provisional.h"

int32_t cardUserId = 0;
int32_t cardLoginState = 0;
int32_t cardLoginBusy = 0;
CardProfile cardProfile;

void cardProfileResetGuest() {
    cardUserId = 0;
    cardProfile = CardProfile{};
}
